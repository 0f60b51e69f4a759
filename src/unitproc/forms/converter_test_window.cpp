#include "unitproc/forms/converter_test_window.h"

#include "base/file_io.h"
#include "base/key_number.h"
#include "base/text_lines.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/up_down.h"
#include "unitproc/communication_control.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace qtr {

TTESTK::TTESTK(CommunicationControl& comm, const ControlUnitTable& units, std::filesystem::path dir,
               QWidget* parent)
    : QDialog(parent), comm_(comm), units_(units), dir_(std::move(dir)) {
    setObjectName(QStringLiteral("TTESTK"));
    setWindowTitle(QStringLiteral("Test konvertoru"));

    auto* laKom = new QLabel(ui::toQ(comm.commDescription()), this);
    laKom->setObjectName(QStringLiteral("laKom"));

    udAdresa_ = new UpDown(this);
    udAdresa_->setObjectName(QStringLiteral("udAdresa"));
    udAdresa_->setValue(comm.settings().readerAddress);
    laAdresa_ = makeAddressDisplay(udAdresa_, QStringLiteral("laAdresa"), this);

    imStav_ = new QLabel(this);
    imStav_->setObjectName(QStringLiteral("imStav"));
    imStav_->setFixedSize(18, 18);

    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setToolTip(QStringLiteral("Klepnutím se seznam uloží do souboru ") +
                          QString::fromLatin1(kConverterTestListFile));
    ListBox1_->viewport()->installEventFilter(this);

    auto* btStart = new QPushButton(QStringLiteral("start"), this);
    btStart->setObjectName(QStringLiteral("btStart"));
    auto* btStop = new QPushButton(QStringLiteral("stop"), this);
    btStop->setObjectName(QStringLiteral("btStop"));
    auto* btSmazat = new QPushButton(QStringLiteral("Smazat seznam"), this);
    btSmazat->setObjectName(QStringLiteral("btSmazat"));
    auto* btHelp = new QPushButton(QStringLiteral("?"), this);
    btHelp->setObjectName(QStringLiteral("btHelp"));
    btHelp->setToolTip(QStringLiteral("nápověda"));
    btHelp->setMaximumWidth(32);
    auto* btZavrit = new QPushButton(QStringLiteral("zavřít"), this);
    btZavrit->setObjectName(QStringLiteral("btZavrit"));

    // The help panel lays its text out line by line where the blanks once did.
    pnHelp_ = new QFrame(this);
    pnHelp_->setObjectName(QStringLiteral("pnHelp"));
    static_cast<QFrame*>(pnHelp_)->setFrameShape(QFrame::StyledPanel);
    auto* helpText = new QLabel(QString::fromUtf8(kConverterTestHelpText)
                                    .split(QRegularExpression(QStringLiteral(" {3,}")))
                                    .join(u'\n'),
                                pnHelp_);
    helpText->setObjectName(QStringLiteral("laHelp"));
    auto* btHelpZpet = new QPushButton(QStringLiteral("zpět"), pnHelp_);
    btHelpZpet->setObjectName(QStringLiteral("btHelpZpet"));
    auto* helpLayout = new QVBoxLayout(pnHelp_);
    helpLayout->addWidget(helpText);
    helpLayout->addWidget(btHelpZpet, 0, Qt::AlignRight);
    pnHelp_->hide();

    Timer1_ = new QTimer(this);
    Timer1_->setInterval(1000);
    connect(Timer1_, &QTimer::timeout, this, &TTESTK::Timer1Timer);
    connect(btStart, &QPushButton::clicked, this, &TTESTK::btStartClick);
    connect(btStop, &QPushButton::clicked, this, &TTESTK::btStopClick);
    connect(btSmazat, &QPushButton::clicked, this, &TTESTK::btSmazatClick);
    connect(btHelp, &QPushButton::clicked, this, &TTESTK::btHelpClick);
    connect(btHelpZpet, &QPushButton::clicked, pnHelp_, &QWidget::hide);
    connect(btZavrit, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] { btStopClick(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Komunikace:"), this));
    top->addWidget(laKom);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("Adresa:"), this));
    top->addWidget(laAdresa_);
    top->addWidget(udAdresa_);
    top->addStretch();
    top->addWidget(imStav_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btStart);
    buttons->addWidget(btStop);
    buttons->addWidget(btSmazat);
    buttons->addWidget(btHelp);
    buttons->addStretch();
    buttons->addWidget(btZavrit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ListBox1_);
    layout->addWidget(pnHelp_);
    layout->addLayout(buttons);
    resize(440, 420);
    setBusy(false);
}

bool TTESTK::running() const {
    return Timer1_->isActive();
}

void TTESTK::setBusy(bool busy) {
    imStav_->setStyleSheet(busy ? QStringLiteral("background:#d02020; border-radius:9px;")
                                : QStringLiteral("background:#20a040; border-radius:9px;"));
    imStav_->setToolTip(busy ? QStringLiteral("čtení") : QStringLiteral("čeká"));
}

void TTESTK::Timer1Timer() {
    UnitTransaction& bus = comm_.bus();
    bus.aborted = false;
    setBusy(true);
    if (ListBox1_->count() > 100) {
        ListBox1_->clear();
    }
    Timer1_->stop();
    KeyNumber key;
    const auto address = static_cast<std::uint8_t>(udAdresa_->value());
    if (bus.GetKonvertor(address, key, units_)) {
        ListBox1_->addItem(ui::toQ(key.text()));
    } else {
        ListBox1_->addItem(ui::toQ(bus.errorText));
    }
    ListBox1_->setCurrentRow(ListBox1_->count() - 1);
    setBusy(false);
    Timer1_->start();
    // Asking again would only repeat the refusal until another address is chosen.
    if (bus.aborted || !keyReadingRefusal(units_, address).empty()) {
        btStopClick();
    }
}

void TTESTK::btStartClick() {
    Timer1_->start();
}

void TTESTK::btStopClick() {
    comm_.bus().aborted = true;
    Timer1_->stop();
}

void TTESTK::btSmazatClick() {
    ListBox1_->clear();
    pnHelp_->hide();
}

void TTESTK::btHelpClick() {
    pnHelp_->show();
    comm_.bus().aborted = true;
    Timer1_->stop();
}

bool TTESTK::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        saveList();
    }
    return QDialog::eventFilter(watched, event);
}

void TTESTK::saveList() {
    std::vector<std::string> lines;
    for (int i = 0; i < ListBox1_->count(); ++i) {
        lines.push_back(ui::fromQ(ListBox1_->item(i)->text()));
    }
    const FileResult r =
        writeFileAtomically(dir_ / kConverterTestListFile, win1250TextFromLines(lines));
    if (!r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
}

} // namespace qtr
