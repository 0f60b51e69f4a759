#include "unitproc/forms/time_setting_form.h"

#include "base/clock.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/memo_log.h"
#include "unitproc/time_setting.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TSETTIM::TSETTIM(const ControlUnitTable& units, CommunicationControl& comm, const Clock& clock,
                 QWidget* parent)
    : ProcedureWindow(parent), units_(units), comm_(comm), clock_(clock) {
    setObjectName(QStringLiteral("TSETTIM"));
    setWindowTitle(QStringLiteral("Nastavení času všem jednotkám systému"));
    meMon_ = new QPlainTextEdit(this);
    meMon_->setObjectName(QStringLiteral("meMon"));
    meMon_->setReadOnly(true);
    Button1_ = new QPushButton(QStringLiteral("Začít"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button2_ = new QPushButton(QStringLiteral("Přerušit"), this);
    Button2_->setObjectName(QStringLiteral("Button2"));
    Button2_->hide();
    connect(Button1_, &QPushButton::clicked, this, &TSETTIM::Button1Click);
    connect(Button2_, &QPushButton::clicked, this, &TSETTIM::Button2Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1_);
    buttons->addWidget(Button2_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meMon_, 1);
    layout->addLayout(buttons);
    resize(420, 380);
}

void TSETTIM::Button1Click() {
    if (running_) {
        return;
    }
    meMon_->clear();
    MemoLog log(meMon_);
    log.addLine(timeSettingHeader(clock_.now()));
    Button2_->show();
    Button1_->setEnabled(false);
    running_ = true;
    comm_.bus().letPendingMessagesRun();
    NastavCasVsechny(comm_.bus(), units_, clock_, log);
    running_ = false;
    Button1_->setEnabled(true);
    // Also with no unit: there is nothing left to interrupt.
    Button2_->hide();
}

void TSETTIM::Button2Click() {
    comm_.bus().aborted = true;
}

} // namespace qtr
