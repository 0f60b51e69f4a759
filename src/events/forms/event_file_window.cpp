#include "events/forms/event_file_window.h"

#include "db/configuration_database.h"
#include "db/data_files.h"
#include "events/event_archive.h"
#include "events/event_file.h"
#include "events/event_file_rewrite.h"
#include "events/event_transfer.h"
#include "events/forms/date_dialog.h"
#include "events/forms/event_page.h"
#include "events/keys_from_events.h"
#include "setup/editor_widgets.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {
namespace fs = std::filesystem;

namespace {

const QString kDeletionCaption = QStringLiteral("MAZÁNÍ UDÁLOSTÍ");
const QString kDataFilter = QStringLiteral("datové soubory (*.DAT);;všechny soubory (*.*)");
const QString kTransferFilter = QStringLiteral("exportní soubory (*.SDF);;všechny soubory (*.*)");

fs::path chosenPath(const QString& file) {
    return fs::path(file.toStdWString());
}

// Whether two paths name one file, also when it does not exist yet.
bool sameFile(const fs::path& a, const fs::path& b) {
    const auto canonical = [](const fs::path& p) {
        std::error_code ec;
        fs::path c = fs::weakly_canonical(p, ec);
        return ec ? fs::absolute(p, ec) : c;
    };
    return canonical(a) == canonical(b);
}

QString where(const fs::path& archive) {
    return QStringLiteral("\nSmazané události budou uschovány v souboru %1.")
        .arg(ui::toQ(archive.string()));
}

} // namespace

TEVEMAN::TEVEMAN(fs::path dir, ConfigurationDatabase& db, const Clock& clock, bool serviceMode,
                 QWidget* parent)
    : QDialog(parent), dir_(std::move(dir)), db_(db), clock_(clock), decoder_(db) {
    setObjectName(QStringLiteral("TEVEMAN"));
    page_ = new EventPage(table_, decoder_, serviceMode, this);

    auto* pnSoubor = new QGroupBox(QStringLiteral("Soubor událostí"), this);
    pnSoubor->setObjectName(QStringLiteral("pnSoubor"));
    auto* btCistSoubor = setup::makeButton(QStringLiteral("Číst soubor"), "btCistSoubor",
                                           QStringLiteral("čtení souboru událostí"), pnSoubor);
    auto* btUlozitDo = setup::makeButton(QStringLiteral("Uložit do"), "btUlozitDo",
                                         QStringLiteral("zápis událostí do souboru"), pnSoubor);
    auto* btSmazatVse = setup::makeButton(
        QStringLiteral("smazat vše"), "btSmazatVse",
        QStringLiteral("smaže všechny události (uschová je v archivu)"), pnSoubor);
    auto* btSmazatDoData = setup::makeButton(
        QStringLiteral("smazat do data"), "btSmazatDoData",
        QStringLiteral("smaže události před vybraným dnem (uschová je v archivu)"), pnSoubor);
    auto* sbExport = setup::makeButton(QStringLiteral("export SDF"), "sbExport",
                                       QStringLiteral("export souboru událostí"), pnSoubor);
    auto* sbImport = setup::makeButton(QStringLiteral("import SDF"), "sbImport",
                                       QStringLiteral("import souboru událostí "), pnSoubor);
    sbExport->setEnabled(serviceMode);
    sbImport->setEnabled(serviceMode);
    auto* btPodleUdalosti =
        setup::makeButton(QStringLiteral("podle událostí"), "btPodleUdalosti",
                          QStringLiteral("doplní seznam klíčů podle souboru událostí"), pnSoubor);

    auto* commands = new QVBoxLayout(pnSoubor);
    for (QPushButton* b : {btCistSoubor, btUlozitDo}) {
        commands->addWidget(b);
    }
    commands->addSpacing(10);
    for (QPushButton* b : {btSmazatVse, btSmazatDoData}) {
        commands->addWidget(b);
    }
    commands->addSpacing(10);
    for (QPushButton* b : {sbExport, sbImport}) {
        commands->addWidget(b);
    }
    commands->addSpacing(10);
    commands->addWidget(btPodleUdalosti);
    commands->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(page_, 1);
    layout->addWidget(pnSoubor);

    connect(btCistSoubor, &QPushButton::clicked, this, &TEVEMAN::btCistSouborClick);
    connect(btUlozitDo, &QPushButton::clicked, this, &TEVEMAN::btUlozitDoClick);
    connect(btSmazatVse, &QPushButton::clicked, this, &TEVEMAN::btSmazatVseClick);
    connect(btSmazatDoData, &QPushButton::clicked, this, &TEVEMAN::btSmazatDoDataClick);
    connect(sbExport, &QPushButton::clicked, this, &TEVEMAN::sbExportClick);
    connect(sbImport, &QPushButton::clicked, this, &TEVEMAN::sbImportClick);
    connect(btPodleUdalosti, &QPushButton::clicked, this, &TEVEMAN::btPodleUdalostiClick);

    source_ = eventFile();
    showSource();
    if (std::error_code ec; fs::exists(eventFile(), ec)) {
        readIntoTable(eventFile());
    }
}

TEVEMAN::~TEVEMAN() = default;

fs::path TEVEMAN::eventFile() const {
    return dir_ / kEventFile;
}

void TEVEMAN::showSource() {
    const QString name =
        source_ == eventFile() ? QString::fromLatin1(kEventFile) : ui::toQ(source_.string());
    setWindowTitle(QStringLiteral("Správa souboru událostí - ") + name);
}

void TEVEMAN::loadSource(const fs::path& file) {
    loadEventTable(table_, file, file.filename().string());
    source_ = file;
    showSource();
}

void TEVEMAN::readIntoTable(const fs::path& file) {
    loadSource(file);
    page_->selectAllAndSort();
}

void TEVEMAN::afterDeletion(const EventFileRewrite& rewrite, const fs::path& named) {
    if (!rewrite.result) {
        ui::messageOk(ui::toQ(rewrite.result.error()), kDeletionCaption, u'E');
        return;
    }
    // The confirmation named the archive; say so when another program took that name.
    if (rewrite.archived > 0 && rewrite.archive != named) {
        ui::messageOk(ui::toQ(archiveNote(rewrite)), kDeletionCaption, u'I');
    }
    if (!rewrite.note.empty()) {
        ui::messageOk(ui::toQ(rewrite.note), kDeletionCaption, u'!');
    }
    // The event file as it is now, in the order it was written.
    loadSource(eventFile());
    table_.first();
    page_->redisplay();
}

void TEVEMAN::btCistSouborClick() {
    const auto file =
        ui::dialogProvider().openFileName(this, QStringLiteral("Vyberte soubor pro čtení"),
                                          ui::toQ(eventFile().string()), kDataFilter);
    if (file) {
        readIntoTable(chosenPath(*file));
    }
}

void TEVEMAN::btUlozitDoClick() {
    const auto file =
        ui::dialogProvider().saveFileName(this, QStringLiteral("Určete soubor pro zápis"),
                                          ui::toQ(eventFile().string()), kDataFilter);
    if (!file) {
        return;
    }
    const fs::path target = chosenPath(*file);
    if (sameFile(target, eventFile())) {
        // The event file itself: under its lock, and nothing it held is lost.
        const EventFileRewrite r = replaceEventFile(eventFile(), table_.bytes(), clock_.now());
        if (!r.result) {
            ui::messageOk(ui::toQ(r.result.error()), {}, u'E');
            return;
        }
        QStringList said;
        for (const std::string& text : {archiveNote(r), r.note}) {
            if (!text.empty()) {
                said << ui::toQ(text);
            }
        }
        if (!said.isEmpty()) {
            ui::messageOk(said.join(u'\n'), {}, u'I');
        }
        return;
    }
    if (FileResult r = table_.save(target); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
}

void TEVEMAN::btSmazatVseClick() {
    const fs::path archive = nextEventArchivePath(eventFile(), clock_.now());
    if (ui::messageYesNo(QStringLiteral("Smazat všechny události?") + where(archive),
                         kDeletionCaption, u'Q') != ui::MessageAnswer::Yes) {
        return;
    }
    afterDeletion(clearEventFile(eventFile(), clock_.now()), archive);
}

void TEVEMAN::btSmazatDoDataClick() {
    TSELDAT dialog(this);
    dialog.setDate(clock_.now());
    if (ui::execModal(dialog) != QDialog::Accepted) {
        return;
    }
    // The cut lies at the start of the chosen day: its own events stay.
    const DateTime cut = dialog.date();
    const fs::path archive = nextEventArchivePath(eventFile(), clock_.now());
    if (ui::messageYesNo(QStringLiteral("Smazat události do ") +
                             ui::toQ(formatDateTime("dd.mm.yyyy", cut)) + QStringLiteral("?") +
                             where(archive),
                         kDeletionCaption, u'Q') != ui::MessageAnswer::Yes) {
        return;
    }
    afterDeletion(trimEventFile(eventFile(), cut, clock_.now(), page_->sortKind()), archive);
}

void TEVEMAN::sbExportClick() {
    const auto file = ui::dialogProvider().saveFileName(
        this, QStringLiteral("Export souboru událostí"),
        ui::toQ((dir_ / kEventTransferDefaultName).string()), kTransferFilter);
    if (!file) {
        return;
    }
    const EventExport r = exportEvents(table_.bytes(), chosenPath(*file));
    if (!r.result) {
        ui::messageOk(ui::toQ(r.result.error()), {}, u'E');
    } else if (r.invalidDates > 0) {
        ui::messageOk(QStringLiteral("%1 událostí nemá platné datum a čas; v souboru jsou u nich "
                                     "otazníky a import je nepřijme.")
                          .arg(r.invalidDates),
                      {}, u'!');
    }
}

void TEVEMAN::sbImportClick() {
    const auto file = ui::dialogProvider().openFileName(
        this, QStringLiteral("Import souboru událostí"),
        ui::toQ((dir_ / kEventTransferDefaultName).string()), kTransferFilter);
    if (!file) {
        return;
    }
    const bool replace = ui::messageYesNo(QStringLiteral("Smazat původní záznamy?"), {}, u'Q') ==
                         ui::MessageAnswer::Yes;
    const EventImport r = importEvents(table_, chosenPath(*file), replace);
    page_->selectAllAndSort();
    if (!r.result) {
        ui::messageOk(ui::toQ(r.result.error()), {}, u'E');
    } else if (r.notTaken > 0) {
        ui::messageOk(QStringLiteral("Tabulka událostí je plná (65535); nenačteno řádků: %1.")
                          .arg(r.notTaken),
                      {}, u'!');
    }
}

void TEVEMAN::btPodleUdalostiClick() {
    const QString caption = QStringLiteral("KLÍČE PODLE UDÁLOSTÍ");
    if (ui::messageYesNo(QStringLiteral("Skutečně doplnit databázi?"), caption, u'Q') !=
        ui::MessageAnswer::Yes) {
        return;
    }
    const KeysFromEvents r = addKeysFromEvents(db_.keyHolders, table_.bytes());
    QString text = QStringLiteral("Přidáno nositelů klíčů: %1.").arg(r.added);
    if (r.notAdded > 0) {
        text +=
            QStringLiteral("\nRejstřík klíčů je plný (1000); nepřidáno klíčů: %1.").arg(r.notAdded);
    }
    if (r.added > 0) {
        // Saved now rather than at the program's end: the additions survive a crash.
        if (FileResult saved = db_.keyHolders.save(dir_ / kKeyHoldersFile); !saved) {
            ui::messageOk(ui::toQ(saved.error()), caption, u'E');
            return;
        }
    }
    ui::messageOk(text, caption, r.notAdded > 0 ? u'!' : u'I');
}

} // namespace qtr
