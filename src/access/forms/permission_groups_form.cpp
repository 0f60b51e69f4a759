#include "access/forms/permission_groups_form.h"

#include "access/forms/entry_properties_dialog.h"
#include "access/forms/schedule_graph_view.h"
#include "access/forms/schedules_form.h"
#include "access/permission_entries.h"
#include "access/renamed_references.h"
#include "access/schedule_editing.h"
#include "access/segment_text.h"
#include "db/configuration_database.h"
#include "setup/editor_widgets.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"
#include "ui/ui_services.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace qtr::access {

using ui::EditMode;
using ui::fromQ;
using ui::toQ;

TACCRTS::TACCRTS(ConfigurationDatabase& db, QWidget* parent)
    : RecordEditor(db.permissionGroups,
                   Options{.newRecordLimit = kGroupLimit,
                           .storeText = QStringLiteral("uložit"),
                           .storeName = QStringLiteral("btUlozit"),
                           .storeHint = QStringLiteral("uložit oprávnění"),
                           .navigationByPosition = false},
                   parent),
      db_(db) {
    setObjectName(QStringLiteral("TACCRTS"));
    setWindowTitle(QStringLiteral("Databáze oprávnění přístupu"));
    setStyleSheet(setup::editorStyleSheet());

    lbOpravneni_ = new QListWidget(this);
    lbOpravneni_->setObjectName(QStringLiteral("lbOpravneni"));
    lbOpravneni_->setToolTip(QStringLiteral("klepnutím nastavíte oprávnění"));
    lbOpravneni_->setMinimumWidth(170);
    edNazev_ = setup::makeEdit(QStringLiteral("edNazev"), QStringLiteral("název oprávnění"), this);
    edNazev_->setMaxLength(17);

    tcJednotky_ = new QTabBar(this);
    tcJednotky_->setObjectName(QStringLiteral("tcJednotky"));
    tcJednotky_->setExpanding(false);
    tcJednotky_->setUsesScrollButtons(true);
    edKam_ = setup::makeEdit(QStringLiteral("edKam"),
                             QStringLiteral("klepnutím změníte vlastnosti"), this);
    edKam_->setReadOnly(true);
    edKam_->installEventFilter(this);
    laKdy_ = new QLabel(QStringLiteral("Kdy: "), this);
    laKdy_->setObjectName(QStringLiteral("laKdy"));
    meRozvrh_ = new QPlainTextEdit(this);
    meRozvrh_->setObjectName(QStringLiteral("meRozvrh"));
    meRozvrh_->setReadOnly(true);
    meRozvrh_->setMinimumWidth(280);
    meRozvrh_->setFixedHeight(120);
    imGrafOpravneni_ = new GraphView(this);
    imGrafOpravneni_->setObjectName(QStringLiteral("imGrafOpravneni"));
    imGrafOpravneni_->setToolTip(QStringLiteral("graf časového rozvrhu"));
    imGrafOpravneni_->setImage(entryGraphImage({}));

    btPridat_ =
        ui::makeButton(QStringLiteral("přidat objekty jednotky"), QStringLiteral("btPridat"),
                       QStringLiteral("přidá do oprávnění další jednotku"), this);
    btOdebrat_ =
        ui::makeButton(QStringLiteral("smazat objekty jednotky"), QStringLiteral("btOdebrat"),
                       QStringLiteral("odebere z oprávnění vybranou jednotku"), this);
    btVlastnosti_ =
        ui::makeButton(QStringLiteral("změnit vlastnosti "), QStringLiteral("btVlastnosti"),
                       QStringLiteral("které dveře nebo závory a jaký klíč"), this);
    btRozvrh_ = ui::makeButton(QStringLiteral("změnit časový rozvrh"), QStringLiteral("btRozvrh"),
                               QStringLiteral("výběr časového rozvrhu"), this);

    // "Rejstřík jednotek": shown by "přidat objekty jednotky" over the entry's view.
    pnJednotky_ = new QFrame(this);
    pnJednotky_->setObjectName(QStringLiteral("pnJednotky"));
    pnJednotky_->setFrameShape(QFrame::Panel);
    pnJednotky_->setAutoFillBackground(true);
    lbJednotky_ = new QListWidget(pnJednotky_);
    lbJednotky_->setObjectName(QStringLiteral("lbJednotky"));
    auto* btZavrit = ui::makeButton(QStringLiteral("X"), QStringLiteral("btZavritJednotky"),
                                    QStringLiteral("zavřít seznam"), pnJednotky_);
    btZavrit->setFixedWidth(28);
    auto* panelHead = new QHBoxLayout;
    panelHead->addWidget(new QLabel(QStringLiteral("Rejstřík jednotek"), pnJednotky_), 1);
    panelHead->addWidget(btZavrit);
    auto* panelBox = new QVBoxLayout(pnJednotky_);
    panelBox->addLayout(panelHead);
    panelBox->addWidget(lbJednotky_);
    pnJednotky_->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(setup::makeLabel(QStringLiteral("Rejstřík oprávnění"), this));
    left->addWidget(lbOpravneni_, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(setup::makeLabel(QStringLiteral("Název oprávnění"), this));
    nameRow->addWidget(edNazev_, 1);
    left->addWidget(navigator(), 0, Qt::AlignLeft);
    left->addLayout(nameRow);
    left->addLayout(takeButtonRow());

    auto* entryButtons = new QGridLayout;
    entryButtons->addWidget(btPridat_, 0, 0);
    entryButtons->addWidget(btOdebrat_, 0, 1);
    entryButtons->addWidget(btVlastnosti_, 1, 0);
    entryButtons->addWidget(btRozvrh_, 1, 1);
    auto* kamRow = new QHBoxLayout;
    kamRow->addWidget(setup::makeLabel(QStringLiteral("Kam:"), this));
    kamRow->addWidget(edKam_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(tcJednotky_);
    right->addLayout(kamRow);
    right->addWidget(laKdy_);
    right->addWidget(meRozvrh_);
    right->addWidget(imGrafOpravneni_, 0, Qt::AlignLeft);
    right->addLayout(entryButtons);
    right->addWidget(pnJednotky_);
    right->addStretch(1);

    auto* box = new QHBoxLayout(this);
    box->addLayout(left);
    box->addLayout(right, 1);

    connect(edNazev_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (mode() != EditMode::Browse) {
            db_.permissionGroups.current().name.setText(fromQ(text));
        }
    });
    connect(tcJednotky_, &QTabBar::currentChanged, this, &TACCRTS::showEntry);
    connect(btPridat_, &QPushButton::clicked, this, [this] {
        std::vector<std::string> lines;
        db_.units.fillAddressList(lines);
        lbJednotky_->clear();
        for (const auto& l : lines) {
            lbJednotky_->addItem(toQ(l));
        }
        pnJednotky_->show();
    });
    connect(btZavrit, &QPushButton::clicked, pnJednotky_, &QWidget::hide);
    connect(lbJednotky_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { addUnitClicked(lbJednotky_->row(item)); });
    connect(btOdebrat_, &QPushButton::clicked, this, &TACCRTS::deleteEntryClicked);
    connect(btVlastnosti_, &QPushButton::clicked, this, &TACCRTS::propertiesClicked);
    connect(btRozvrh_, &QPushButton::clicked, this, &TACCRTS::scheduleClicked);

    setNamesRegister(lbOpravneni_, db_.permissionGroups);
    openFirst();
}

int TACCRTS::selectedEntry() const {
    const int tab = tcJednotky_->currentIndex();
    return tab < 0 || tab >= usedEntries(db_.permissionGroups.current()) ? 0 : tab + 1;
}

const ControlUnitRecord* TACCRTS::unitOfSelected() const {
    const int k = selectedEntry();
    if (k == 0) {
        return nullptr;
    }
    const std::uint8_t address =
        db_.permissionGroups.current().entries[static_cast<std::size_t>(k - 1)].unitAddress;
    const int u = db_.units.findByAddress(address);
    return u == 0 ? nullptr : &db_.units.at(u);
}

void TACCRTS::showRecord() {
    edNazev_->setText(toQ(db_.permissionGroups.current().name.text()));
    fillTabs(0);
}

void TACCRTS::fillTabs(int select) {
    {
        // The entry is shown once, when the tabs are complete.
        const QSignalBlocker quiet(tcJednotky_);
        while (tcJednotky_->count() > 0) {
            tcJednotky_->removeTab(0);
        }
        const PermissionGroupRecord& g = db_.permissionGroups.current();
        for (int k = 0; k < usedEntries(g); ++k) {
            tcJednotky_->addTab(
                toQ(entryTabText(db_.units, g.entries[static_cast<std::size_t>(k)].unitAddress)));
        }
        if (tcJednotky_->count() > 0) {
            tcJednotky_->setCurrentIndex(std::min(select, tcJednotky_->count() - 1));
        }
    }
    showEntry();
}

void TACCRTS::showEntry() {
    const int k = selectedEntry();
    meRozvrh_->clear();
    imGrafOpravneni_->setImage(entryGraphImage({}));
    if (k == 0) {
        edKam_->clear();
        laKdy_->setText(QStringLiteral("Kdy: "));
        enableEntryButtons();
        return;
    }
    const PermissionEntry& e =
        db_.permissionGroups.current().entries[static_cast<std::size_t>(k - 1)];
    db_.units.selectByAddress(e.unitAddress);
    const ControlUnitRecord* unit = unitOfSelected();
    edKam_->setText(toQ(entryAttributeText(unit, e.entryAttributes)));
    laKdy_->setText(QStringLiteral("Kdy:      [") + toQ(e.scheduleName.text()) +
                    QStringLiteral("]"));
    if (const int s = db_.schedules.findByName(e.scheduleName.text()); s != 0) {
        const AccessScheduleRecord& schedule = db_.schedules.at(s);
        QStringList lines;
        for (int i = 0; i < usedSegments(schedule); ++i) {
            lines << toQ(segmentText(schedule.segments[static_cast<std::size_t>(i)]));
        }
        meRozvrh_->setPlainText(lines.join(u'\n'));
        imGrafOpravneni_->setImage(entryGraphImage(
            std::span(schedule.segments.data(), static_cast<std::size_t>(usedSegments(schedule)))));
    }
    enableEntryButtons();
    if (unit == nullptr && mode() == EditMode::Update) {
        ui::messageOk(toQ(kUnknownUnit), {}, u'E');
    }
}

void TACCRTS::enableEntryButtons() {
    const bool editing = mode() != EditMode::Browse;
    const PermissionGroupRecord& g = db_.permissionGroups.current();
    const bool any = usedEntries(g) > 0;
    btPridat_->setEnabled(editing && canAddEntry(g, db_.units.count()));
    btOdebrat_->setEnabled(editing && any);
    btVlastnosti_->setEnabled(editing && any && entryPropertiesEditable(unitOfSelected()));
    btRozvrh_->setEnabled(editing && any);
    if (!editing) {
        pnJednotky_->hide();
    }
}

void TACCRTS::applyMode(EditMode mode) {
    edNazev_->setEnabled(mode != EditMode::Browse);
    if (mode == EditMode::Update) {
        showEntry(); // an entry whose unit is gone says so now
    } else {
        enableEntryButtons();
    }
    if (mode == EditMode::Insert) {
        edNazev_->setFocus();
    }
}

bool TACCRTS::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edKam_ && event->type() == QEvent::MouseButtonRelease &&
        btVlastnosti_->isEnabled()) {
        propertiesClicked();
        return true;
    }
    return RecordEditor::eventFilter(watched, event);
}

void TACCRTS::addUnitClicked(int row) {
    pnJednotky_->hide();
    if (row < 0 || row >= db_.units.count()) {
        return;
    }
    const std::optional<int> k =
        addEntryForUnit(db_.permissionGroups, db_.units.at(row + 1).address);
    if (!k) {
        ui::messageOk(toQ(kUnitAlreadyUsed), {}, u'E');
        return;
    }
    fillTabs(*k - 1);
}

void TACCRTS::deleteEntryClicked() {
    const int k = selectedEntry();
    if (k != 0 && db_.permissionGroups.deleteEntry(k)) {
        fillTabs(k - 1);
    }
}

void TACCRTS::propertiesClicked() {
    const int k = selectedEntry();
    const ControlUnitRecord* unit = unitOfSelected();
    if (k == 0 || !entryPropertiesEditable(unit)) {
        return;
    }
    PermissionEntry& e = db_.permissionGroups.current().entries[static_cast<std::size_t>(k - 1)];
    TATROPR dialog(*unit, e.entryAttributes, this);
    if (ui::execModal(dialog) == QDialog::Accepted) {
        e.entryAttributes = dialog.attributes();
    }
    showEntry();
}

void TACCRTS::scheduleClicked() {
    const int k = selectedEntry();
    if (k == 0) {
        return;
    }
    const std::string name =
        db_.permissionGroups.current().entries[static_cast<std::size_t>(k - 1)].scheduleName.text();
    if (!db_.schedules.selectByName(name)) {
        db_.schedules.first();
    }
    TCASACC picker(db_.schedules, db_.permissionGroups, TCASACC::Use::Picker, this);
    const int result = ui::execModal(picker);
    schedulesChanged_ = schedulesChanged_ || picker.tableChanged();
    if (result == QDialog::Accepted && db_.schedules.count() > 0) {
        // Looked up again: the picker may have renamed this entry's schedule meanwhile.
        db_.permissionGroups.current().entries[static_cast<std::size_t>(k - 1)].scheduleName =
            db_.schedules.current().scheduleName;
    }
    fillTabs(k - 1);
}

bool TACCRTS::readRecord() {
    PermissionGroupRecord& g = db_.permissionGroups.current();
    g.name.setText(fromQ(edNazev_->text()));
    if (const auto refusal = checkPermissionGroup(db_.permissionGroups, g, ownPosition())) {
        ui::messageOk(toQ(*refusal), {}, u'E');
        return false;
    }
    if (mode() == EditMode::Update) {
        nameBefore_ = db_.permissionGroups.at(db_.permissionGroups.position()).name;
    }
    return true;
}

void TACCRTS::recordStored(EditMode mode) {
    if (mode != EditMode::Update) {
        return;
    }
    const bool oldRemains = db_.permissionGroups.findByName(nameBefore_.text()) != 0;
    const int n = carryPermissionGroupRename(db_.keyHolders, nameBefore_,
                                             db_.permissionGroups.current().name, oldRemains);
    if (n > 0) {
        referencesRenamed_ += n;
        ui::messageOk(toQ(permissionGroupRenameReport(n)), {}, u'I');
    }
}

} // namespace qtr::access
