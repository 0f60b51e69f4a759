#include "setup/control_units_form.h"

#include "base/hex_text.h"
#include "db/configuration_database.h"
#include "db/tables.h"
#include "setup/name_choice_panel.h"
#include "setup/unit_definitions.h"
#include "setup/unit_property_dialogs.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"
#include "ui/ui_services.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <limits>

namespace qtr::setup {

using ui::fromQ;
using ui::toQ;

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

QLineEdit* hexEdit(const QString& name, const QString& hint, QWidget* parent) {
    auto* e = makeEdit(name, hint, parent);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 16);
    e->setAlignment(Qt::AlignCenter);
    return e;
}

QLineEdit* numberEdit(const QString& name, const QString& hint, int chars, QWidget* parent) {
    auto* e = makeEdit(name, hint, parent);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 16);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QLineEdit* textEdit(const QString& name, const QString& hint, int maxLength, QWidget* parent) {
    auto* e = makeEdit(name, hint, parent);
    e->setMaxLength(maxLength);
    return e;
}

std::uint8_t hexOf(const QLineEdit* e) {
    return parseHexByte(fromQ(e->text()));
}

QStringList textsOf(const QLineEdit* const* edits, int n) {
    QStringList l;
    for (int i = 0; i < n; ++i) {
        l << edits[i]->text();
    }
    return l;
}

// "xxx,yyy": characters 1..3 and 5..7. Anything else, an empty field too, is refused
// with a message naming the object.
std::optional<std::pair<std::int32_t, std::int32_t>> coordinatesOf(const QLineEdit* e, int object) {
    const QString t = e->text();
    const auto x = parseDecimalText(t.mid(0, 3));
    const auto y = t.size() >= 5 ? parseDecimalText(t.mid(4, 3)) : std::nullopt;
    if (x && y && t.size() <= 7) {
        return std::pair{static_cast<std::int32_t>(*x), static_cast<std::int32_t>(*y)};
    }
    ui::messageOk(QStringLiteral("Položka „Souř.“ objektu %1 musí mít tvar xxx,yyy "
                                 "(například 012,345).\n„%2“ není platná hodnota.")
                      .arg(object)
                      .arg(t),
                  {}, u'E');
    return std::nullopt;
}

} // namespace

TJEDDEF::TJEDDEF(ConfigurationDatabase& db, QWidget* parent)
    : TJEDDEF(db.units, db.zones, parent) {}

TJEDDEF::TJEDDEF(ControlUnitTable& units, const ZoneTable& zones, QWidget* parent)
    : RecordEditor(units, Options{.newRecordLimit = kNewUnitLimit}, parent), units_(units),
      zones_(zones) {
    setObjectName(QStringLiteral("TJEDDEF"));
    setWindowTitle(QStringLiteral("Seznam řídících jednotek"));
    setStyleSheet(editorStyleSheet());

    // --- the unit ---
    auto* unitBox = new QGroupBox(QStringLiteral("Jednotka"), this);
    EditADRESA_ =
        hexEdit(QStringLiteral("EditADRESA"), QStringLiteral("adresa jednotky [hex.]"), unitBox);
    EditNAZEV_ =
        textEdit(QStringLiteral("EditNAZEV"), QStringLiteral("označení jednotky"), 15, unitBox);
    EditNAZEV_->setMinimumWidth(
        EditNAZEV_->fontMetrics().horizontalAdvance(QStringLiteral("ŘÍDÍCÍ JEDNOTKA")) + 16);
    EditTYP_ = hexEdit(QStringLiteral("EditTYP"), QStringLiteral("typ jednotky [hex.]"), unitBox);
    laTyp_ = new QLabel(unitBox);
    laTyp_->setObjectName(QStringLiteral("laTyp"));
    laTyp_->setMinimumWidth(laTyp_->fontMetrics().horizontalAdvance(QStringLiteral("neznámý typ")) +
                            8);
    EditPOUZITI_ =
        hexEdit(QStringLiteral("EditPOUZITI"), QStringLiteral("použití jednotky [hex.]"), unitBox);
    EditALARM_ =
        hexEdit(QStringLiteral("EditALARM"), QStringLiteral("maska poplachu [hex.]"), unitBox);
    EditRELE_ = hexEdit(QStringLiteral("EditRELE"), QStringLiteral("maska relé [hex.]"), unitBox);
    EditKONFIG_ = makeEdit(QStringLiteral("EditKONFIG"),
                           QStringLiteral("řetězec parametrů jednotky [hex.]"), unitBox);
    EditKONFIG_->setReadOnly(true);
    QFont mono = EditKONFIG_->font();
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    EditKONFIG_->setFont(mono);
    EditKONFIG_->setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QString(32, u'0')) + 16);

    btTyp_ = makeButton(QStringLiteral("&Typ"), QStringLiteral("btTyp"),
                        QStringLiteral("určení typu jednotky"), unitBox);
    btStandard_ = makeButton(QStringLiteral("standardní popis"), QStringLiteral("btStandard"),
                             QStringLiteral("generuje standardní popis jednotky"), unitBox);
    btPouziti_ = makeButton(QStringLiteral("Použití"), QStringLiteral("btPouziti"),
                            QStringLiteral("použití jednotky v systému"), unitBox);
    btVlastnosti_ = makeButton(QStringLiteral("Vlastnosti"), QStringLiteral("btVlastnosti"),
                               QStringLiteral("řetězec parametrů jednotky"), unitBox);
    btPoplach_ = makeButton(QStringLiteral("Poplach"), QStringLiteral("btPoplach"),
                            QStringLiteral("nastavení masky poplachu jednotky"), unitBox);
    btRele_ = makeButton(QStringLiteral("Relé"), QStringLiteral("btRele"),
                         QStringLiteral("nastavení masky relé docházkové jednotky"), unitBox);

    auto* first = new QHBoxLayout;
    first->addWidget(makeLabel(QStringLiteral("Adresa"), unitBox));
    first->addWidget(EditADRESA_);
    first->addSpacing(12);
    first->addWidget(makeLabel(QStringLiteral("Název"), unitBox));
    first->addWidget(EditNAZEV_);
    first->addSpacing(12);
    first->addWidget(makeLabel(QStringLiteral("Typ"), unitBox));
    first->addWidget(EditTYP_);
    first->addWidget(laTyp_);
    first->addWidget(btTyp_);
    first->addStretch(1);
    first->addWidget(btStandard_);
    auto* second = new QHBoxLayout;
    second->addWidget(makeLabel(QStringLiteral("Použití"), unitBox));
    second->addWidget(EditPOUZITI_);
    second->addWidget(btPouziti_);
    second->addSpacing(12);
    second->addWidget(makeLabel(QStringLiteral("Poplach"), unitBox));
    second->addWidget(EditALARM_);
    second->addWidget(btPoplach_);
    second->addSpacing(12);
    second->addWidget(makeLabel(QStringLiteral("Relé"), unitBox));
    second->addWidget(EditRELE_);
    second->addWidget(btRele_);
    second->addStretch(1);
    second->addWidget(makeLabel(QStringLiteral("Vlastnosti"), unitBox));
    second->addWidget(EditKONFIG_);
    second->addWidget(btVlastnosti_);
    auto* ug = new QVBoxLayout(unitBox);
    ug->addLayout(first);
    ug->addLayout(second);

    // --- readers, inputs and objects, one row per index ---
    auto* objectBox = new QGroupBox(QStringLiteral("Snímače, vstupy a objekty"), this);
    auto* og = new QGridLayout(objectBox);
    og->setHorizontalSpacing(6);
    const QStringList heads = {QString(),
                               QStringLiteral("Snímač"),
                               QString(),
                               QStringLiteral("Vstup"),
                               QStringLiteral("Přísluší zóně"),
                               QStringLiteral("Souř."),
                               QStringLiteral("Oprávnění"),
                               QStringLiteral("Přítomno"),
                               QStringLiteral("Stav")};
    for (int c = 0; c < heads.size(); ++c) {
        og->addWidget(makeLabel(heads[c], objectBox), 0, c);
    }
    for (int i = 0; i < 8; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EditSnimTM_[k] = textEdit(QStringLiteral("EditSnimTM%1").arg(i),
                                  QStringLiteral("název snímače TM%1").arg(i), 17, objectBox);
        EditSnimIN_[k] = textEdit(QStringLiteral("EditSnimIN%1").arg(i),
                                  QStringLiteral("název vstupu IN%1").arg(i), 17, objectBox);
        EditZon_[k] = textEdit(QStringLiteral("EditZon%1").arg(i),
                               QStringLiteral("určení prostorové zóny, do které objekt přísluší"),
                               20, objectBox);
        EditS_[k] = numberEdit(QStringLiteral("EditS%1").arg(i),
                               QStringLiteral("souřadnice umístění v plánu (x,y)"), 8, objectBox);
        EditS_[k]->setAlignment(Qt::AlignCenter);
        EditO_[k] = numberEdit(QStringLiteral("EditO%1").arg(i),
                               QStringLiteral("počet oprávněných klíčů"), 6, objectBox);
        EditP_[k] = numberEdit(QStringLiteral("EditP%1").arg(i),
                               QStringLiteral("počet přítomných klíčů"), 6, objectBox);
        edSto_[k] = numberEdit(QStringLiteral("edSto%1").arg(i), QStringLiteral("stav objektu"), 4,
                               objectBox);
        const int row = i + 1;
        og->addWidget(makeLabel(QStringLiteral("TM%1").arg(i), objectBox), row, 0);
        og->addWidget(EditSnimTM_[k], row, 1);
        og->addWidget(makeLabel(QStringLiteral("IN%1").arg(i), objectBox), row, 2);
        og->addWidget(EditSnimIN_[k], row, 3);
        og->addWidget(EditZon_[k], row, 4);
        og->addWidget(EditS_[k], row, 5);
        og->addWidget(EditO_[k], row, 6);
        og->addWidget(EditP_[k], row, 7);
        og->addWidget(edSto_[k], row, 8);
        EditZon_[k]->installEventFilter(this);
    }
    og->setColumnStretch(1, 3);
    og->setColumnStretch(3, 3);
    og->setColumnStretch(4, 3);
    const int nameWidth =
        EditSnimTM_[0]->fontMetrics().horizontalAdvance(QStringLiteral("Dveře 0 / příchod")) + 16;
    EditSnimTM_[0]->setMinimumWidth(nameWidth);
    EditSnimIN_[0]->setMinimumWidth(nameWidth);
    EditZon_[0]->setMinimumWidth(nameWidth);

    // --- result texts ---
    auto* resultBox = new QGroupBox(QStringLiteral("Texty výsledků"), this);
    auto* rg = new QGridLayout(resultBox);
    const QStringList resultHints = {QStringLiteral("text výsledku - stav povoleno"),
                                     QStringLiteral("text výsledku - stav nepovoleno"),
                                     QStringLiteral("text výsledku - stav povoleno, neotevřeno"),
                                     QStringLiteral("text výsledku - stav povoleno, nezavřeno")};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        EditVysUda_[k] =
            textEdit(QStringLiteral("EditVysUda%1").arg(i), resultHints[i], 14, resultBox);
        rg->addWidget(makeLabel(QStringLiteral("Výsledek %1").arg(i), resultBox), i / 2,
                      (i % 2) * 2);
        rg->addWidget(EditVysUda_[k], i / 2, (i % 2) * 2 + 1);
    }
    rg->setColumnStretch(1, 1);
    rg->setColumnStretch(3, 1);

    // --- navigation and editing ---
    QHBoxLayout* top = takeButtonRow();
    top->insertWidget(0, navigator());
    top->insertSpacing(1, 24);
    top->addStretch(1);

    auto* box = new QVBoxLayout(this);
    box->addLayout(top);
    box->addWidget(unitBox);
    box->addWidget(objectBox);
    box->addWidget(resultBox);

    pnZony_ = new NameChoicePanel(QStringLiteral("Seznam zón"), QStringLiteral("pnZony"), this);
    {
        std::vector<std::string> names;
        zones_.fillNameList(names);
        QStringList list;
        for (const auto& n : names) {
            list << toQ(n);
        }
        pnZony_->setNames(list);
    }
    connect(pnZony_, &NameChoicePanel::chosen, this, [this](const QString& name) {
        if (zoneTarget_ != nullptr) {
            zoneTarget_->setText(name);
        }
    });

    connect(btTyp_, &QPushButton::clicked, this, &TJEDDEF::btTypClick);
    connect(btStandard_, &QPushButton::clicked, this, &TJEDDEF::btStandardClick);
    connect(btPouziti_, &QPushButton::clicked, this, &TJEDDEF::btPouzitiClick);
    connect(btVlastnosti_, &QPushButton::clicked, this, &TJEDDEF::btVlastnostiClick);
    connect(btPoplach_, &QPushButton::clicked, this, &TJEDDEF::btPoplachClick);
    connect(btRele_, &QPushButton::clicked, this, &TJEDDEF::btReleClick);
    connect(EditTYP_, &QLineEdit::textChanged, this, &TJEDDEF::EditTYPChange);
    connect(EditTYP_, &QLineEdit::textEdited, this, &TJEDDEF::EditTYPEdited);

    openFirst();
}

bool TJEDDEF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && storeButton()->isEnabled()) {
        for (auto* zone : EditZon_) {
            if (watched == zone && zone->isEnabled()) {
                zoneTarget_ = zone;
                pnZony_->openFor(zone);
                break;
            }
        }
    }
    return RecordEditor::eventFilter(watched, event);
}

void TJEDDEF::EditTYPChange(const QString& text) {
    const auto e = enablingForTypeText(fromQ(text));
    if (!e) {
        return;
    }
    for (int i = 0; i < kObjects; ++i) {
        const auto k = static_cast<std::size_t>(i);
        for (auto* f : {EditZon_[k], EditS_[k], EditO_[k], EditP_[k], edSto_[k]}) {
            f->clear();
            f->setEnabled(e->objects[k]);
        }
    }
    EditALARM_->setEnabled(e->alarm);
    EditRELE_->setEnabled(e->relay);
}

void TJEDDEF::EditTYPEdited(const QString& text) {
    if (const auto e = enablingForTypeText(fromQ(text))) {
        laTyp_->setText(toQ(e->typingLabel));
    }
}

void TJEDDEF::showRecord() {
    const ControlUnitRecord& u = units_.current();
    EditADRESA_->setText(toQ(hexByteText(u.address)));
    EditNAZEV_->setText(toQ(u.unitName.text()));
    EditPOUZITI_->setText(toQ(hexByteText(u.usage)));
    EditALARM_->setText(toQ(hexByteText(u.alarmMask)));
    EditRELE_->setText(toQ(hexByteText(u.relayMask)));
    EditKONFIG_->setText(toQ(parametersText(u.parameters)));
    for (std::size_t i = 0; i < 8; ++i) {
        EditSnimTM_[i]->setText(toQ(u.readerNames[i].text()));
        EditSnimIN_[i]->setText(toQ(u.inputNames[i].text()));
    }
    for (std::size_t i = 0; i < 4; ++i) {
        EditVysUda_[i]->setText(toQ(u.resultTexts[i].text()));
    }
    // Setting the type re-applies the enabling (which empties the objects), even
    // when the text does not change.
    const QString type = toQ(hexByteText(u.unitType));
    {
        const QSignalBlocker block(EditTYP_);
        EditTYP_->setText(type);
    }
    EditTYPChange(type);
    for (std::size_t i = 0; i < kObjects; ++i) {
        const UnitObjectRecord& o = u.objects[i];
        EditZon_[i]->setText(toQ(o.zoneName.text()));
        EditS_[i]->setText(toQ(coordinatesText(o.planX, o.planY)));
        EditO_[i]->setText(QString::number(o.authorisedCount));
        EditP_[i]->setText(QString::number(o.presentCount));
        edSto_[i]->setText(QString::number(o.objectState));
    }
    laTyp_->setText(toQ(unitTypeName(u.unitType)));
}

void TJEDDEF::applyMode(EditMode mode) {
    const bool browse = mode == EditMode::Browse;
    for (auto* b : {btTyp_, btStandard_, btPouziti_, btVlastnosti_, btPoplach_, btRele_}) {
        b->setEnabled(!browse);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        EditSnimTM_[i]->setEnabled(!browse);
        EditSnimIN_[i]->setEnabled(!browse);
    }
    for (auto* e : {EditADRESA_, EditNAZEV_, EditTYP_, EditPOUZITI_, EditALARM_, EditRELE_}) {
        e->setReadOnly(browse);
    }
    for (std::size_t i = 0; i < kObjects; ++i) {
        for (auto* f : {EditZon_[i], EditS_[i], EditO_[i], EditP_[i], edSto_[i]}) {
            f->setReadOnly(browse);
        }
    }
    for (auto* e : EditVysUda_) {
        e->setReadOnly(browse);
    }
    if (browse) {
        pnZony_->hide();
    } else if (mode == EditMode::Insert) {
        EditADRESA_->setFocus();
    } else {
        EditNAZEV_->setFocus();
    }
}

bool TJEDDEF::readFields(ControlUnitRecord& u) {
    // Numbers first, so that a refused one leaves the record untouched.
    std::array<UnitObjectRecord, kObjects> objects = u.objects;
    for (int i = 0; i < kObjects; ++i) {
        const auto k = static_cast<std::size_t>(i);
        // An object the type does not have (greyed) keeps what the record holds: its
        // fields may have been emptied by typing the type code and cannot be filled in.
        if (!EditZon_[k]->isEnabled()) {
            continue;
        }
        UnitObjectRecord& o = objects[k];
        o.zoneName.setText(fromQ(EditZon_[k]->text()));
        const auto xy = coordinatesOf(EditS_[k], i);
        if (!xy) {
            EditS_[k]->setFocus();
            return false;
        }
        o.planX = xy->first;
        o.planY = xy->second;
        struct Number {
            QLineEdit* edit;
            const char16_t* name;
            std::int64_t min;
            std::int64_t max;
            std::int32_t* target;
        };
        std::int32_t state = o.objectState;
        const Number numbers[] = {{EditO_[k], u"Oprávnění", kIntMin, kIntMax, &o.authorisedCount},
                                  {EditP_[k], u"Přítomno", kIntMin, kIntMax, &o.presentCount},
                                  {edSto_[k], u"Stav", 0, 255, &state}};
        for (const Number& n : numbers) {
            const auto v = readDecimalField(n.edit, QString::fromUtf16(n.name), n.min, n.max, i);
            if (!v) {
                n.edit->setFocus();
                return false;
            }
            *n.target = *v;
        }
        o.objectState = static_cast<std::uint8_t>(state);
    }
    u.objects = objects;
    u.address = hexOf(EditADRESA_);
    u.unitName.setText(fromQ(EditNAZEV_->text()));
    u.unitType = hexOf(EditTYP_);
    u.usage = hexOf(EditPOUZITI_);
    u.alarmMask = hexOf(EditALARM_);
    u.relayMask = hexOf(EditRELE_);
    for (std::size_t i = 0; i < 8; ++i) {
        u.readerNames[i].setText(fromQ(EditSnimTM_[i]->text()));
        u.inputNames[i].setText(fromQ(EditSnimIN_[i]->text()));
    }
    for (std::size_t i = 0; i < 4; ++i) {
        u.resultTexts[i].setText(fromQ(EditVysUda_[i]->text()));
    }
    return true;
}

bool TJEDDEF::readRecord() {
    ControlUnitRecord unit = units_.current();
    if (!readFields(unit)) {
        return false;
    }
    if (const auto problem = checkUnitRecord(units_, unit, ownPosition())) {
        ui::messageOk(toQ(*problem), {}, u'E');
        EditADRESA_->setFocus();
        return false;
    }
    units_.current() = unit;
    return true;
}

// The dialog buttons work on the record being edited, not on what is half typed: only the
// address typed carries over into a standard description; the type, the usage and the
// objects stay as the record holds them (typing a type code empties the object fields,
// which must not become zeros). "hotovo" reads everything.

void TJEDDEF::btTypClick() {
    ControlUnitRecord& u = units_.current();
    TPTYP dialog(u.unitType, this);
    if (ui::execModal(dialog) != QDialog::Accepted) {
        return;
    }
    u.address = hexOf(EditADRESA_);
    u.unitType = dialog.chosenType();
    applyStandardDescription(u);
    display();
}

void TJEDDEF::btStandardClick() {
    ControlUnitRecord& u = units_.current();
    u.address = hexOf(EditADRESA_);
    applyStandardDescription(u);
    display();
}

void TJEDDEF::btPouzitiClick() {
    ControlUnitRecord& u = units_.current();
    const auto layout = usageLayoutForType(u.unitType);
    if (!layout) {
        return;
    }
    QStringList labels;
    if (layout->attendance) {
        labels << QStringLiteral("Aktivní");
    } else {
        labels = textsOf(EditSnimIN_.data(), layout->boxes);
    }
    // The boxes start from the usage the field shows.
    UnitUsageDialog dialog(toQ(layout->title), labels, layout->attendance, hexOf(EditPOUZITI_),
                           this);
    if (ui::execModal(dialog) == QDialog::Accepted) {
        u.usage = dialog.usage();
        EditPOUZITI_->setText(toQ(hexByteText(u.usage)));
    }
}

void TJEDDEF::btVlastnostiClick() {
    ControlUnitRecord& u = units_.current();
    std::optional<UnitParameters> changed;
    switch (u.unitType) {
    case kUnitAccess:
    case kUnitAttendance: {
        DoorTimeDialog d(u.parameters, this);
        if (ui::execModal(d) == QDialog::Accepted) {
            changed = d.parameters();
        }
        break;
    }
    case kUnitDoor: {
        DoorParametersDialog d(u.parameters, textsOf(EditSnimIN_.data(), 4), this);
        if (ui::execModal(d) == QDialog::Accepted) {
            changed = d.parameters();
        }
        break;
    }
    case kUnitBarrier: {
        BarrierParametersDialog d(u.parameters, textsOf(EditSnimIN_.data(), 2), this);
        if (ui::execModal(d) == QDialog::Accepted) {
            changed = d.parameters();
        }
        break;
    }
    default:
        break;
    }
    if (changed) {
        u.parameters = *changed;
    }
    // Only the parameter string is shown again: what else is typed stays on screen.
    EditKONFIG_->setText(toQ(parametersText(u.parameters)));
}

void TJEDDEF::btPoplachClick() {
    ControlUnitRecord& u = units_.current();
    UnitMaskDialog dialog(QStringLiteral("Maska poplachu"), textsOf(EditSnimIN_.data(), 8),
                          hexOf(EditALARM_), this);
    if (ui::execModal(dialog) == QDialog::Accepted) {
        u.alarmMask = dialog.mask();
        EditALARM_->setText(toQ(hexByteText(u.alarmMask)));
    }
}

void TJEDDEF::btReleClick() {
    ControlUnitRecord& u = units_.current();
    UnitMaskDialog dialog(QStringLiteral("Maska otevření dveří"), textsOf(EditSnimTM_.data(), 8),
                          hexOf(EditRELE_), this);
    if (ui::execModal(dialog) == QDialog::Accepted) {
        u.relayMask = dialog.mask();
        EditRELE_->setText(toQ(hexByteText(u.relayMask)));
    }
}

} // namespace qtr::setup
