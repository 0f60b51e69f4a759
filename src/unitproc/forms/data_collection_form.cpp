#include "unitproc/forms/data_collection_form.h"

#include "events/event_file.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "unitproc/communication_control.h"
#include "unitproc/data_collection.h"
#include "unitproc/forms/memo_log.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TSBERDA::TSBERDA(const ControlUnitTable& units, CommunicationControl& comm,
                 std::filesystem::path dir, const Clock& clock, QWidget* parent)
    : ProcedureWindow(parent), units_(units), comm_(comm), dir_(std::move(dir)), clock_(clock) {
    setObjectName(QStringLiteral("TSBERDA"));
    setWindowTitle(QStringLiteral("Sběr dat od všech hardwarových jednotek"));
    // No system menu and no close box: the window is left through "hotovo".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* Label1 = new QLabel(ui::toQ(comm.commDescription()), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    meMon_ = new QPlainTextEdit(this);
    meMon_->setObjectName(QStringLiteral("meMon"));
    meMon_->setReadOnly(true);
    meMon_->setMaximumBlockCount(20000); // a unit retried all night must not eat the memory

    Button1_ = new QPushButton(QStringLiteral("Začít"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    btPrerus_ = new QPushButton(QStringLiteral("Přerušit"), this);
    btPrerus_->setObjectName(QStringLiteral("btPrerus"));
    btPrerus_->hide();
    BitBtn1_ = new QPushButton(QStringLiteral("hotovo"), this);
    BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    connect(Button1_, &QPushButton::clicked, this, &TSBERDA::Button1Click);
    connect(btPrerus_, &QPushButton::clicked, this, &TSBERDA::btPrerusClick);
    connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Komunikace:"), this));
    top->addWidget(Label1);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1_);
    buttons->addWidget(btPrerus_);
    buttons->addStretch();
    buttons->addWidget(BitBtn1_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(meMon_, 1);
    layout->addLayout(buttons);
    resize(420, 440);
}

bool TSBERDA::running() const {
    return !btPrerus_->isHidden();
}

void TSBERDA::Button1Click() {
    if (running()) {
        return;
    }
    btPrerus_->show();
    BitBtn1_->hide();
    Button1_->setEnabled(false);
    meMon_->clear();
    comm_.bus().letPendingMessagesRun();
    errorFlag_ = false;
    MemoLog log(meMon_);
    CollectionStore store(dir_ / kEventFile);
    CollectionOptions options;
    options.interrupted = [this] { return !running(); };
    options.clock = &clock_;
    const CollectionResult r = SberDatVsechny(comm_.bus(), units_, store, log, options);
    errorFlag_ = r.errorFlag;
    if (!r.fileError.empty()) {
        ui::messageOk(ui::toQ(r.fileError), QStringLiteral("CHYBY PŘI SBĚRU DAT!"), u'E');
        errorFlag_ = false; // said already
    }
    endOfRun();
}

void TSBERDA::btPrerusClick() {
    btPrerus_->hide();
}

// The buttons of the end, and the error box once the event file has been closed.
void TSBERDA::endOfRun() {
    btPrerus_->hide();
    BitBtn1_->show();
    Button1_->setEnabled(true);
    if (errorFlag_) {
        ui::messageOk(QStringLiteral("Prověřte stav řídících jednotek!"),
                      QStringLiteral("CHYBY PŘI SBĚRU DAT!"), u'E');
    }
}

} // namespace qtr
