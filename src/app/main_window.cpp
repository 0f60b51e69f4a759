#include "app/main_window.h"

#include "access/forms/access_editors.h"
#include "app/about_box.h"
#include "app/account_file.h"
#include "app/accounts_window.h"
#include "app/login_dialog.h"
#include "app/random_source.h"
#include "app/user_guide.h"
#include "attendance/forms/attendance_windows.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"
#include "calendar/forms/calendar_windows.h"
#include "calendar/holiday_calendar.h"
#include "db/configuration_database.h"
#include "db/installation_keys.h"
#include "docs/forms/settings_documentation_form.h"
#include "events/event_count_check.h"
#include "events/event_file.h"
#include "events/forms/event_file_window.h"
#include "events/forms/event_history_window.h"
#include "events/forms/protocol_window.h"
#include "setup/setup_editors.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/comm_parameters_dialog.h"
#include "unitproc/forms/converter_test_window.h"
#include "unitproc/forms/data_collection_form.h"
#include "unitproc/forms/full_configuration_form.h"
#include "unitproc/forms/status_reading_form.h"
#include "unitproc/forms/time_setting_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace qtr {
namespace fs = std::filesystem;

namespace {

// The picture behind the client area until somebody logs in.
QPixmap titlePicture(QSize size) {
    QPixmap p(size);
    QPainter painter(&p);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x1d, 0x3b, 0x5c));
    g.setColorAt(1, QColor(0x3f, 0x6e, 0x99));
    painter.fillRect(p.rect(), g);
    painter.setPen(QColor(255, 255, 255));
    QFont big = painter.font();
    big.setPointSize(44);
    big.setBold(true);
    painter.setFont(big);
    const QRect upper(0, 0, size.width(), size.height() / 2);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("QTR"));
    QFont small = painter.font();
    small.setPointSize(15);
    small.setBold(false);
    painter.setFont(small);
    const QRect lower(0, size.height() / 2 + 8, size.width(), size.height() / 2);
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Přístupový a docházkový systém\n"
                                    "Přihlaste se v nabídce \"Uživatelé\"."));
    return p;
}

} // namespace

TQTRM::TQTRM(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), protocol_(ctx.dir / kProtocolLogFile, ctx.clock) {
    setObjectName(QStringLiteral("TQTRM"));
    setWindowTitle(QStringLiteral("Přístupový systém - základní modul"));
    buildMenu();
    buildClientArea();
    resize(820, 580);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    applyMenuStates();
}

TQTRM::~TQTRM() {
    shutDown();
}

QAction* TQTRM::item(QMenu* menu, const QString& caption, const char* name, void (TQTRM::*slot)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
}

void TQTRM::buildMenu() {
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    mnUzivatele_ = MainMenu1->addMenu(QStringLiteral("&Uživatelé"));
    mnUzivatele_->setObjectName(QStringLiteral("mnUzivatele"));
    item(mnUzivatele_, QStringLiteral("&Přihlásit"), "miPrihlasit", &TQTRM::miPrihlasitClick);
    QAction* miUrcit =
        item(mnUzivatele_, QStringLiteral("&Určit"), "miUrcit", &TQTRM::miUrcitClick);
    QAction* miTest = item(mnUzivatele_, QStringLiteral("&Test komunikace"), "miTestKomunikace",
                           &TQTRM::miTestKomunikaceClick);

    mnDefinice_ = MainMenu1->addMenu(QStringLiteral("&Definice systému"));
    mnDefinice_->setObjectName(QStringLiteral("mnDefinice"));
    item(mnDefinice_, QStringLiteral("Osoby (nositelé &klíčů)"), "miOsoby", &TQTRM::miOsobyClick);
    item(mnDefinice_, QStringLiteral("Organizační &skupiny"), "miSkupiny", &TQTRM::miSkupinyClick);
    item(mnDefinice_, QStringLiteral("Řídící &jednotky"), "miJednotky", &TQTRM::miJednotkyClick);
    item(mnDefinice_, QStringLiteral("Skupiny &oprávnění"), "miOpravneni",
         &TQTRM::miOpravneniClick);
    item(mnDefinice_, QStringLiteral("Časy pro přístup"), "miCasy", &TQTRM::miCasyClick);
    item(mnDefinice_, QStringLiteral("Kalendář svátků"), "miSvatky", &TQTRM::miSvatkyClick);
    item(mnDefinice_, QStringLiteral("Plánovací kalendář"), "miPlanovaciKalendar",
         &TQTRM::miPlanovaciKalendarClick);

    mnNastaveni_ = MainMenu1->addMenu(QStringLiteral("&Nastavení systému"));
    mnNastaveni_->setObjectName(QStringLiteral("mnNastaveni"));
    QAction* miStav = item(mnNastaveni_, QStringLiteral("Stav řídících &jednotek"),
                           "miStavJednotek", &TQTRM::miStavJednotekClick);
    QAction* miSynchro = item(mnNastaveni_, QStringLiteral("&Synchronizace času"),
                              "miSynchronizace", &TQTRM::miSynchronizaceClick);
    item(mnNastaveni_, QStringLiteral("Úplné &nastavení systému"), "miUplneNastaveni",
         &TQTRM::miUplneNastaveniClick);
    item(mnNastaveni_, QStringLiteral("&Dokumentace nastavení"), "miDokumentace",
         &TQTRM::miDokumentaceClick);

    mnVyuzivani_ = MainMenu1->addMenu(QStringLiteral("&Využívání systému"));
    mnVyuzivani_->setObjectName(QStringLiteral("mnVyuzivani"));
    QAction* miSber = item(mnVyuzivani_, QStringLiteral("&Sběr dat od jednotek"), "miSberDat",
                           &TQTRM::miSberDatClick);
    item(mnVyuzivani_, QStringLiteral("&Historie událostí v systému"), "miHistorieUdalosti",
         &TQTRM::miHistorieUdalostiClick);
    item(mnVyuzivani_, QStringLiteral("&Vyhodnotit docházku"), "miVyhodnotit",
         &TQTRM::miVyhodnotitClick);
    miKarty_ =
        item(mnVyuzivani_, QStringLiteral("Dochazkové karty"), "miKarty", &TQTRM::miKartyClick);
    item(mnVyuzivani_, QStringLiteral("Číselník docházky"), "miCiselnik", &TQTRM::miCiselnikClick);
    item(mnVyuzivani_, QStringLiteral("Správa souboru &událostí"), "miSpravaUdalosti",
         &TQTRM::miSpravaUdalostiClick);

    mnProgram_ = MainMenu1->addMenu(QStringLiteral("&Program"));
    mnProgram_->setObjectName(QStringLiteral("mnProgram"));
    item(mnProgram_, QStringLiteral("Konec"), "miKonec", &TQTRM::miKonecClick);
    item(mnProgram_, QStringLiteral("O programu"), "miOProgramu", &TQTRM::miOProgramuClick);
    QAction* miHistP = item(mnProgram_, QStringLiteral("&Historie programu"), "miHistorieProgramu",
                            &TQTRM::miHistorieProgramuClick);
    QAction* miKom =
        item(mnProgram_, QStringLiteral("&Komunikace"), "miKomunikace", &TQTRM::miKomunikaceClick);

    miNapoveda_ = MainMenu1->addAction(QStringLiteral("Nápověda"));
    miNapoveda_->setObjectName(QStringLiteral("miNapoveda"));
    miNapoveda_->setShortcut(QKeySequence(Qt::Key_F1));
    miNapoveda_->setShortcutContext(Qt::ApplicationShortcut);
    addAction(miNapoveda_);
    connect(miNapoveda_, &QAction::triggered, this, &TQTRM::miNapovedaClick);

    enabledByLogin_ = {miHistP, miStav, miSynchro, miSber, miKom, miUrcit, miTest};
}

void TQTRM::buildClientArea() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    Image2_ = new QLabel(central);
    Image2_->setObjectName(QStringLiteral("Image2"));
    Image2_->setScaledContents(true);
    Image2_->setPixmap(titlePicture(QSize(820, 540)));
    Image2_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    Label2_ = new QLabel(QStringLiteral("Přístupový a docházkový systém QTR"), central);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setAlignment(Qt::AlignCenter);
    QFont captionFont = Label2_->font();
    captionFont.setPointSize(captionFont.pointSize() + 6);
    captionFont.setBold(true);
    Label2_->setFont(captionFont);
    Label2_->setContentsMargins(8, 12, 8, 12);
    Label2_->hide();

    Image1_ = new QLabel(central);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Image1_->setContentsMargins(12, 12, 12, 12);
    Image3_ = new QLabel(central);
    Image3_->setObjectName(QStringLiteral("Image3"));
    Image3_->setAlignment(Qt::AlignTop | Qt::AlignRight);
    Image3_->setContentsMargins(12, 12, 12, 12);

    Memo1_ = new QPlainTextEdit(central);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setReadOnly(true);
    Memo1_->setFrameShape(QFrame::NoFrame);
    Memo1_->viewport()->setAutoFillBackground(false);
    Memo1_->hide();

    Label1_ = new QLabel(central);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setFrameShape(QFrame::StyledPanel);
    Label1_->setFrameShadow(QFrame::Sunken);
    Label1_->setContentsMargins(6, 2, 6, 2);
    Label1_->setAutoFillBackground(true);
    Label1_->installEventFilter(this);

    grid->addWidget(Image2_, 0, 0, 3, 3);
    grid->addWidget(Label2_, 0, 0, 1, 3);
    grid->addWidget(Image1_, 1, 0);
    grid->addWidget(Memo1_, 1, 1);
    grid->addWidget(Image3_, 1, 2);
    grid->addWidget(Label1_, 3, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);
}

void TQTRM::applyMenuStates() {
    for (QMenu* m : {mnDefinice_, mnNastaveni_, mnVyuzivani_, mnProgram_}) {
        m->menuAction()->setEnabled(loggedIn_ && !ended_);
    }
    mnUzivatele_->menuAction()->setEnabled(!ended_);
    for (QAction* a : enabledByLogin_) {
        a->setEnabled(loginOffered_);
    }
    miKarty_->setEnabled(loginOffered_ && ctx_.db.keyHolders.count() > 0);
    miNapoveda_->setEnabled(!ended_);
}

void TQTRM::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        FormShow();
    }
}

void TQTRM::FormShow() {
    if (shown_) {
        return;
    }
    shown_ = true;
    loadDecorationFiles();
    showErrors(loadConfiguration(ctx_.db, ctx_.dir));
    applyMenuStates();
    ctx_.comm.useComPar();
    if (const std::string failure = ctx_.comm.serialOpen(); !failure.empty()) {
        ui::messageOk(ui::toQ(failure), {}, u'E');
    }
    Label1_->setText(ui::toQ(ctx_.comm.commDescription()));
}

void TQTRM::loadDecorationFiles() {
    const auto present = [this](const char* name) {
        std::error_code ec;
        return fs::exists(ctx_.dir / name, ec);
    };
    if (present("foto.BMP")) {
        Image1_->setPixmap(QPixmap(ui::toQ((ctx_.dir / "foto.BMP").string())));
    }
    if (present("foto1.BMP")) {
        Image3_->setPixmap(QPixmap(ui::toQ((ctx_.dir / "foto1.BMP").string())));
    }
    if (present("text.PRG")) {
        std::vector<std::uint8_t> bytes;
        if (readWholeFile(ctx_.dir / "text.PRG", bytes)) {
            const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            QStringList lines;
            for (const auto& line : splitWin1250Lines(raw)) {
                lines << ui::toQ(win1250ToUtf8(line));
            }
            Memo1_->setPlainText(lines.join(u'\n'));
        }
    }
}

void TQTRM::showErrors(const std::vector<std::string>& errors) {
    if (errors.empty()) {
        return;
    }
    QStringList texts;
    for (const auto& e : errors) {
        texts << ui::toQ(e);
    }
    ui::messageOk(texts.join(u'\n'), {}, u'E');
}

void TQTRM::reportFileResult(const FileResult& result) {
    if (!result) {
        ui::messageOk(ui::toQ(result.error()), {}, u'E');
    }
}

void TQTRM::protocolEntry(std::string_view text) {
    if (FileResult r = protocol_.appendLine(text); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
}

void TQTRM::EventCountCheck() {
    if (const auto warning = eventCountCheck(countStoredEvents(ctx_.dir / kEventFile))) {
        ui::messageOk(ui::toQ(warning->text), ui::toQ(warning->caption), u'!');
    }
}

bool TQTRM::administratorKeyPresented() {
    KeyNumber key;
    if (!ctx_.comm.bus().CteniKlice(ctx_.comm.settings().readerAddress, key,
                                    ctx_.comm.keyReadDialogs(), ctx_.db.units)) {
        return false;
    }
    return ctx_.keys.isAdministratorKey(key);
}

void TQTRM::miPrihlasitClick() {
    loginOffered_ = true;
    applyMenuStates();
    protocolEntry("START PROGRAMU");

    UserAccounts accounts;
    if (FileResult r =
            loadAccountFile(ctx_.dir / kAccountFile, scramblingKeyOf(ctx_.keys.masterOrZero()),
                            ctx_.random, accounts);
        !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    TFIRST login(this);
    if (ui::execModal(login) != QDialog::Accepted) {
        return;
    }
    const std::string name = ui::fromQ(login.userName());
    const bool known = accounts.find(name, ui::fromQ(login.password())) > 0;
    // The names and passwords do not stay in memory longer than the check.
    accounts = emptyAccounts(ctx_.random);
    if (known) {
        Image2_->hide();
        Label2_->show();
        Memo1_->show();
        loggedIn_ = true;
        applyMenuStates();
        EventCountCheck();
        return;
    }
    // The password typed is never written anywhere: the name tells who tried.
    protocolEntry("#Uživatel! " + name);
    close();
}

void TQTRM::miUrcitClick() {
    if (!administratorKeyPresented()) {
        return;
    }
    TCPM accountsWindow(ctx_.dir / kAccountFile, ctx_.keys.masterOrZero(), serviceMode_,
                        ctx_.random, this);
    ui::execModal(accountsWindow);
}

void TQTRM::miTestKomunikaceClick() {
    TTESTK test(ctx_.comm, ctx_.db.units, ctx_.dir, this);
    ui::execModal(test);
}

void TQTRM::miOsobyClick() {
    setup::KeyReading reading;
    reading.masterKey = ctx_.keys.masterKey;
    reading.readKey = [this]() -> std::optional<KeyNumber> {
        KeyNumber key;
        if (ctx_.comm.bus().CteniKlice(ctx_.comm.settings().readerAddress, key,
                                       ctx_.comm.keyReadDialogs(), ctx_.db.units)) {
            return key;
        }
        return std::nullopt;
    };
    reportFileResult(setup::runKeyHolderRegister(ctx_.db, ctx_.dir, reading, this));
    // The attendance cards need key holders.
    applyMenuStates();
}

void TQTRM::miSkupinyClick() {
    reportFileResult(setup::runGroupRegister(ctx_.db, ctx_.dir, this));
}

void TQTRM::miJednotkyClick() {
    reportFileResult(setup::runUnitEditor(ctx_.db, ctx_.dir, this));
}
void TQTRM::miOpravneniClick() {
    reportFileResult(access::runPermissionGroupEditor(ctx_.db, ctx_.dir, this));
}

void TQTRM::miCasyClick() {
    reportFileResult(access::runScheduleEditor(ctx_.db, ctx_.dir, this));
}
void TQTRM::miSvatkyClick() {
    reportFileResult(calendar::runHolidayCalendar(ctx_.calendar, ctx_.dir,
                                                  decodeDateTime(ctx_.clock.now()).year, this));
}

void TQTRM::miPlanovaciKalendarClick() {
    calendar::runPlanningCalendar(ctx_.calendar, ctx_.dir, decodeDateTime(ctx_.clock.now()).year,
                                  this);
}

void TQTRM::miStavJednotekClick() {
    TGETSTAV status(ctx_.comm, ctx_.db.units, this);
    ui::execModal(status);
}

void TQTRM::miSynchronizaceClick() {
    protocolEntry("&Synchronizace času");
    TSETTIM window(ctx_.db.units, ctx_.comm, ctx_.clock, this);
    ui::execModal(window);
}

void TQTRM::miUplneNastaveniClick() {
    protocolEntry("Úplné &nastavení systému");
    TSNDRTS0 window(ctx_.db, ctx_.comm, ctx_.dir, ctx_.clock, this);
    ui::execModal(window);
}

void TQTRM::miDokumentaceClick() {
    protocolEntry("&Dokumentace nastavení");
    TDOK0 documentation(ctx_.db, ctx_.dir, this);
    ui::execModal(documentation);
}

void TQTRM::miSberDatClick() {
    EventCountCheck();
    protocolEntry("&Sběr dat od jednotek");
    TSBERDA window(ctx_.db.units, ctx_.comm, ctx_.dir, ctx_.clock, this);
    ui::execModal(window);
}

void TQTRM::miHistorieUdalostiClick() {
    EventCountCheck();
    TEVELST history(ctx_.dir, ctx_.db, ctx_.clock, serviceMode_, this);
    ui::execModal(history);
}

void TQTRM::miVyhodnotitClick() {
    attendance::runEvaluation(ctx_.attendance, ctx_.db, ctx_.calendar.holidays, ctx_.dir,
                              ctx_.clock, this);
}

void TQTRM::miKartyClick() {
    attendance::runCardRegister(ctx_.attendance, ctx_.db, ctx_.calendar.holidays, ctx_.dir,
                                ctx_.clock, this);
}
void TQTRM::miCiselnikClick() {
    reportFileResult(attendance::runCodeList(ctx_.attendance, ctx_.dir, ctx_.clock, this));
}
void TQTRM::miSpravaUdalostiClick() {
    TEVEMAN management(ctx_.dir, ctx_.db, ctx_.clock, serviceMode_, this);
    ui::execModal(management);
}

void TQTRM::miKonecClick() {
    close();
}

void TQTRM::miOProgramuClick() {
    TQTRABOUT about(currentMemoryFigures(), this);
    ui::execModal(about);
}

void TQTRM::miHistorieProgramuClick() {
    if (!administratorKeyPresented()) {
        return;
    }
    TPRTKOL log(protocol_, this);
    ui::execModal(log);
}

void TQTRM::miKomunikaceClick() {
    ctx_.comm.serialClose();
    QStringList ports;
    for (const auto& p : ctx_.comm.availablePorts()) {
        ports << ui::toQ(p);
    }
    TKOMPAR dialog(ctx_.comm.settings(), ports, this);
    if (dialog.run() == QDialog::Accepted) {
        ctx_.comm.setSettings(dialog.settings());
        if (const std::string failure = ctx_.comm.saveSettings(); !failure.empty()) {
            ui::messageOk(ui::toQ(failure), {}, u'E');
        }
        ctx_.comm.useComPar();
        Label1_->setText(ui::toQ(ctx_.comm.commDescription()));
    }
    if (const std::string failure = ctx_.comm.serialOpen(); !failure.empty()) {
        ui::messageOk(ui::toQ(failure), {}, u'E');
    }
}

void TQTRM::miNapovedaClick() {
    showUserGuide(this, QStringLiteral("QTR"));
}

void TQTRM::Label1Click() {
    serviceMode_ = !serviceMode_;
}

bool TQTRM::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1_ && event->type() == QEvent::MouseButtonRelease) {
        Label1Click();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TQTRM::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

void TQTRM::shutDown() {
    if (ended_ || !shown_) {
        ended_ = ended_ || !shown_;
        return;
    }
    ended_ = true;
    showErrors(saveConfiguration(ctx_.db, ctx_.dir));
    ctx_.comm.serialClose();
    protocolEntry("UKONČENÍ PROGRAMU");
    applyMenuStates();
}

} // namespace qtr
