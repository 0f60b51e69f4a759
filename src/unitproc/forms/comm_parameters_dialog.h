#pragma once

#include "unitproc/communication_control.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QLabel;
class QSpinBox;

namespace qtr {

// TKOMPAR: port, mode, speed and the reader's address. The caller closes the port
// before and reopens it after; it stores and applies the parameters on OK.
class TKOMPAR : public QDialog {
    Q_OBJECT

public:
    // `ports` is what probing COM1..COM4 found.
    TKOMPAR(const CommSettings& current, const QStringList& ports, QWidget* parent = nullptr);

    // Runs the dialog through the window seam (ui::execModal). With no port at all it
    // tells the operator so and returns Rejected without showing itself.
    int run();

    // The choices; valid after Accepted.
    CommSettings settings() const { return result_; }

private:
    void btOkClick();

    CommSettings result_;
    QComboBox* cbPort_;
    QButtonGroup* rgMod_;
    QButtonGroup* rgRychlost_;
    QSpinBox* udAdresa_;
    QLabel* laAdresa_;
};

} // namespace qtr
