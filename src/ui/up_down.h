#pragma once

#include <QSpinBox>

class QLabel;

namespace qtr {

// An up-down: only the two arrows of a spin box, beside the field that shows
// its value (as two hex digits).
class UpDown : public QSpinBox {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

// The sunken field beside an address up-down: its value as exactly two hex digits
// ("00", "1F"), following every change.
QLabel* makeAddressDisplay(QSpinBox* upDown, const QString& objectName, QWidget* parent);

} // namespace qtr
