#pragma once

#include "setup/editor_widgets.h"
#include "ui/record_editor.h"

class QLineEdit;

namespace qtr {
class GroupTable;
} // namespace qtr

namespace qtr::setup {

// TSKUP "Seznam skupin nositelů klíčů": the organisational groups. The table
// holds 50 groups (files of up to 50 load), but "nový" stops at 32. The caller
// saves QTR0004.DAT when the window closes.
class TSKUP : public ui::RecordEditor {
    Q_OBJECT

public:
    static constexpr int kNewGroupLimit = 32;

    explicit TSKUP(GroupTable& groups, QWidget* parent = nullptr);

private:
    void showRecord() override;
    void applyMode(EditMode mode) override;
    bool readRecord() override;

    GroupTable& groups_;
    QLineEdit* edit1_;
    QLineEdit* edit2_;
    QLineEdit* edit3_;
};

} // namespace qtr::setup
