#pragma once

#include "setup/editor_widgets.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qtr {
class GroupTable;
namespace ui {
class RecordNavigator;
}
} // namespace qtr

namespace qtr::setup {

// TSKUP "Seznam skupin nositelů klíčů": the organisational groups. The table
// holds 50 groups (files of up to 50 load), but "nový" stops at 32. The caller
// saves QTR0004.DAT when the window closes.
class TSKUP : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNewGroupLimit = 32;

    explicit TSKUP(GroupTable& groups, QWidget* parent = nullptr);

    EditMode mode() const { return mode_; }

private:
    void btNovyClick();
    void btOpravitClick();
    void btSmazatClick();
    void btPrerusitClick();
    void btHotovoClick();
    void display();
    void setMode(EditMode mode);

    GroupTable& groups_;
    EditMode mode_ = EditMode::Browse;
    ui::RecordNavigator* navigator_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QLineEdit* edit3_;
    QPushButton* btNovy_;
    QPushButton* btOpravit_;
    QPushButton* btSmazat_;
    QPushButton* btPrerusit_;
    QPushButton* btHotovo_;
};

} // namespace qtr::setup
