#pragma once

#include <QDialog>

namespace qtr {

// A window whose procedure holds the bus while it runs: Esc and the close box do nothing
// until the run has ended, so that only the window's own "Přerušit" ends it early.
class ProcedureWindow : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    virtual bool running() const = 0;

    // Esc and the close box do nothing while a run holds the bus.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace qtr
