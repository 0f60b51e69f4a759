#include "unitproc/forms/procedure_window.h"

#include <QCloseEvent>

namespace qtr {

void ProcedureWindow::reject() {
    if (!running()) {
        QDialog::reject();
    }
}

void ProcedureWindow::closeEvent(QCloseEvent* event) {
    if (running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace qtr
