#include "events/forms/event_history_window.h"

#include "db/configuration_database.h"
#include "docs/forms/output_window.h"
#include "events/event_file.h"
#include "events/event_listing.h"
#include "events/forms/event_page.h"
#include "setup/editor_widgets.h"
#include "setup/interval_dialog.h"
#include "setup/key_picker_dialog.h"
#include "setup/unit_picker_dialog.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {
namespace fs = std::filesystem;

namespace {

const QString kCaption = QStringLiteral("Přehled událostí v systému ");

} // namespace

TEVELST::TEVELST(fs::path dir, ConfigurationDatabase& db, const Clock& clock, bool serviceMode,
                 QWidget* parent)
    : QDialog(parent), dir_(std::move(dir)), db_(db), decoder_(db), periodStart_(clock.now()),
      periodEnd_(clock.now()) {
    setObjectName(QStringLiteral("TEVELST"));
    setWindowTitle(kCaption);

    page_ = new EventPage(table_, decoder_, serviceMode, this);

    pnPrikazy_ = new QGroupBox(QStringLiteral("Zobrazit"), this);
    pnPrikazy_->setObjectName(QStringLiteral("pnPrikazy"));
    const struct {
        const char* caption;
        const char* name;
        const char* hint;
        void (TEVELST::*click)();
    } buttons[] = {
        {"Originál", "btOriginal", "zobrazí originální události", &TEVELST::btOriginalClick},
        {"Docházka", "btDochazka", "zobrazí jen události docházky", &TEVELST::btDochazkaClick},
        {"Klíč", "btKlic", "zobrazí události vybraného klíče", &TEVELST::btKlicClick},
        {"Datum", "btDatum", "zobrazí události v časovém intervalu", &TEVELST::btDatumClick},
        {"Jednotka", "btJednotka", "zobrazí události vybrané jednotky", &TEVELST::btJednotkaClick},
        {"vypsat", "btVypsat", "výpis zobrazených událostí", &TEVELST::btVypsatClick},
    };
    auto* commands = new QHBoxLayout(pnPrikazy_);
    for (const auto& b : buttons) {
        QPushButton* button = setup::makeButton(QString::fromUtf8(b.caption), b.name,
                                                QString::fromUtf8(b.hint), pnPrikazy_);
        connect(button, &QPushButton::clicked, this, b.click);
        // "vypsat" stands apart from the filters, at the right end.
        if (b.click == &TEVELST::btVypsatClick) {
            commands->addStretch(1);
        }
        commands->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_, 1);
    layout->addWidget(pnPrikazy_);

    if (std::error_code ec; !fs::exists(dir_ / kEventFile, ec)) {
        page_->navigationPanel()->setEnabled(false);
        page_->sortGroup()->setEnabled(false);
        pnPrikazy_->setEnabled(false);
        return;
    }
    btOriginalClick();
}

TEVELST::~TEVELST() = default;

void TEVELST::btOriginalClick() {
    loadEventTable(table_, dir_ / kEventFile, kEventFile);
    original_ = true;
    setWindowTitle(kCaption);
    page_->selectAllAndSort();
}

void TEVELST::startFromWholeFile() {
    if (!original_) {
        loadEventTable(table_, dir_ / kEventFile, kEventFile);
        // In the order "Třídit" shows, not in the file's.
        table_.sort(page_->sortKind());
    }
}

void TEVELST::filtered(const QString& what) {
    original_ = false;
    setWindowTitle(QStringLiteral("Přehled událostí v systému - ") + what);
    table_.setCursor(1);
    page_->redisplay();
}

void TEVELST::btDochazkaClick() {
    startFromWholeFile();
    table_.keepAttendance(db_.units);
    filtered(QStringLiteral("docházka"));
}

void TEVELST::btKlicClick() {
    setup::TSELK1 picker(db_.keyHolders, this);
    if (ui::execModal(picker) == QDialog::Accepted) {
        const KeyNumber key = picker.chosenKey();
        startFromWholeFile();
        table_.keepKey(key);
    } else if (ui::messageYesNo(QStringLiteral("Zobrazit jen události snímačů INx?"), {}, u'Q') ==
               ui::MessageAnswer::Yes) {
        startFromWholeFile();
        table_.keepKey(KeyNumber{});
    } else {
        return;
    }
    filtered(QStringLiteral("klíč"));
}

void TEVELST::btDatumClick() {
    setup::TINTDTTM interval(this);
    interval.setInterval(periodStart_, periodEnd_);
    if (ui::execModal(interval) == QDialog::Accepted) {
        periodStart_ = interval.start();
        periodEnd_ = interval.end();
    }
    startFromWholeFile();
    table_.keepPeriod(periodStart_, periodEnd_);
    filtered(QStringLiteral("datum"));
}

void TEVELST::btJednotkaClick() {
    setup::TSELJED units(db_.units, this);
    ui::execModal(units);
    startFromWholeFile();
    table_.keepUnit(units.chosenAddress());
    filtered(QStringLiteral("jednotka"));
}

void TEVELST::btVypsatClick() {
    showReport(dir_, eventListingLines(table_, decoder_), this);
}

} // namespace qtr
