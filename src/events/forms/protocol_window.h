#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "events/protocol_log.h"
#endif

#include <QDialog>

class QPlainTextEdit;

namespace qtr {

// TPRTKOL "Systémový protokol": the protocol log, read-only; "vymazat" clears it
// (after a question: the log is the record of who did what) and shows it again.
class TPRTKOL : public QDialog {
    Q_OBJECT

public:
    explicit TPRTKOL(const ProtocolLog& log, QWidget* parent = nullptr);

    // Fills the memo from the log.
    void FormShow();
    void btVymazatClick();

private:
    const ProtocolLog& log_;
    QPlainTextEdit* Memo1_;
};

} // namespace qtr
