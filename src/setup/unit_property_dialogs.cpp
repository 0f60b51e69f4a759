#include "setup/unit_property_dialogs.h"

#include "setup/editor_widgets.h"
#include "setup/unit_definitions.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qtr::setup {

using ui::toQ;

namespace {

// "Hotovo" and "Přerušit" at the bottom of a dialog.
void addFinishButtons(QDialog* d, QVBoxLayout* box) {
    auto* ok = makeButton(QStringLiteral("Hotovo"), QStringLiteral("btHotovo"),
                          QStringLiteral("hotovo, převzít nastavení"), d);
    auto* cancel = makeButton(QStringLiteral("Přerušit"), QStringLiteral("btPrerusit"),
                              QStringLiteral("zpět, beze změny"), d);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    box->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
}

QSpinBox* secondsBox(const QString& name, std::uint8_t value, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(kSecondsMin, kSecondsMax);
    s->setValue(value);
    s->setSuffix(QStringLiteral(" s"));
    return s;
}

QString labelAt(const QStringList& labels, int i) {
    return i < labels.size() ? labels[i] : QString();
}

} // namespace

// --- TPTYP ---

TPTYP::TPTYP(std::uint8_t currentType, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TPTYP"));
    setWindowTitle(QStringLiteral("Určení typu jednotky"));
    auto* box = new QVBoxLayout(this);
    types_ = new QButtonGroup(this);
    for (std::uint8_t code : kKnownUnitTypes) {
        auto* r = new QRadioButton(toQ(unitTypeName(code)), this);
        r->setObjectName(QStringLiteral("rbTyp%1").arg(code));
        types_->addButton(r, code);
        box->addWidget(r);
        r->setChecked(code == currentType);
    }
    addFinishButtons(this, box);
}

std::uint8_t TPTYP::chosenType() const {
    const int id = types_->checkedId();
    return id < 0 ? 0 : static_cast<std::uint8_t>(id);
}

// --- usage ---

UnitUsageDialog::UnitUsageDialog(const QString& title, const QStringList& boxLabels,
                                 bool attendance, std::uint8_t usage, QWidget* parent)
    : QDialog(parent), attendance_(attendance), original_(usage) {
    setObjectName(QStringLiteral("TPOUZITI"));
    setWindowTitle(title);
    setToolTip(
        QStringLiteral("označte zaškrtnutím ty, které obsluhují vnější přístupy do objektu"));
    auto* box = new QVBoxLayout(this);
    for (int i = 0; i < boxLabels.size(); ++i) {
        auto* c = new QCheckBox(boxLabels[i], this);
        c->setObjectName(QStringLiteral("cbPouziti%1").arg(i));
        c->setChecked(attendance ? usage != 0 : (usage >> i) & 1);
        boxes_.push_back(c);
        box->addWidget(c);
    }
    addFinishButtons(this, box);
}

std::uint8_t UnitUsageDialog::usage() const {
    if (attendance_) {
        // Any non-zero value means active; an active unit keeps its value.
        const bool active = !boxes_.empty() && boxes_[0]->isChecked();
        return active ? (original_ != 0 ? original_ : 1) : 0;
    }
    std::uint8_t u = original_;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const auto bit = static_cast<std::uint8_t>(1u << i);
        u = boxes_[i]->isChecked() ? (u | bit) : (u & ~bit);
    }
    return u;
}

// --- masks ---

UnitMaskDialog::UnitMaskDialog(const QString& title, const QStringList& bitLabels,
                               std::uint8_t mask, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TMASKA"));
    setWindowTitle(title);
    auto* box = new QVBoxLayout(this);
    for (int i = 0; i < 8; ++i) {
        auto* c = new QCheckBox(labelAt(bitLabels, i), this);
        c->setObjectName(QStringLiteral("cbBit%1").arg(i));
        c->setChecked((mask >> i) & 1);
        boxes_.push_back(c);
        box->addWidget(c);
    }
    addFinishButtons(this, box);
}

std::uint8_t UnitMaskDialog::mask() const {
    std::uint8_t m = 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i]->isChecked()) {
            m = static_cast<std::uint8_t>(m | (1u << i));
        }
    }
    return m;
}

// --- door time ---

DoorTimeDialog::DoorTimeDialog(const UnitParameters& parameters, QWidget* parent)
    : QDialog(parent), parameters_(parameters) {
    setObjectName(QStringLiteral("TDOBADV"));
    setWindowTitle(QStringLiteral("Doba otevření dveří"));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("tbDoba"));
    slider_->setRange(kDoorTimeMin, kDoorTimeMax);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setPageStep(1);
    slider_->setMinimumWidth(260);
    value_ = new QLabel(this);
    value_->setObjectName(QStringLiteral("laDoba"));
    value_->setMinimumWidth(40);
    connect(slider_, &QSlider::valueChanged, this,
            [this](int v) { value_->setText(QStringLiteral("%1 s").arg(v)); });
    slider_->setValue(parameters[0] >> 4);
    value_->setText(QStringLiteral("%1 s").arg(slider_->value()));

    auto* row = new QHBoxLayout;
    row->addWidget(slider_, 1);
    row->addWidget(value_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(QStringLiteral("Doba otevření dveří (čekání je čtyřnásobná)"), this));
    box->addLayout(row);
    addFinishButtons(this, box);
}

UnitParameters DoorTimeDialog::parameters() const {
    UnitParameters p = parameters_;
    p[0] = static_cast<std::uint8_t>((slider_->value() << 4) | (p[0] & 0x0F));
    return p;
}

// --- door parameters ---

DoorParametersDialog::DoorParametersDialog(const UnitParameters& parameters,
                                           const QStringList& doorLabels, QWidget* parent)
    : QDialog(parent), parameters_(parameters) {
    setObjectName(QStringLiteral("TPARDV"));
    setWindowTitle(QStringLiteral("Parametry dveří"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Otevření"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Čekání"), this), 0, 2);
    for (int i = 0; i < 4; ++i) {
        const auto d = static_cast<std::size_t>(i);
        grid->addWidget(new QLabel(labelAt(doorLabels, i), this), i + 1, 0);
        opening_[d] =
            secondsBox(QStringLiteral("seOtevreni%1").arg(i), parameters[doorOpeningByte(d)], this);
        waiting_[d] =
            secondsBox(QStringLiteral("seCekani%1").arg(i), parameters[doorWaitingByte(d)], this);
        grid->addWidget(opening_[d], i + 1, 1);
        grid->addWidget(waiting_[d], i + 1, 2);
    }
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    addFinishButtons(this, box);
}

UnitParameters DoorParametersDialog::parameters() const {
    UnitParameters p = parameters_;
    for (std::size_t d = 0; d < 4; ++d) {
        p[doorOpeningByte(d)] = static_cast<std::uint8_t>(opening_[d]->value());
        p[doorWaitingByte(d)] = static_cast<std::uint8_t>(waiting_[d]->value());
    }
    return p;
}

// --- barrier parameters ---

BarrierParametersDialog::BarrierParametersDialog(const UnitParameters& parameters,
                                                 const QStringList& barrierLabels, QWidget* parent)
    : QDialog(parent), parameters_(parameters) {
    setObjectName(QStringLiteral("TPARZAV"));
    setWindowTitle(QStringLiteral("Parametry závor"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Otevření"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Čekání"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Typ závory"), this), 0, 3);
    for (int i = 0; i < 2; ++i) {
        const auto b = static_cast<std::size_t>(i);
        grid->addWidget(new QLabel(labelAt(barrierLabels, i), this), i + 1, 0);
        opening_[b] = secondsBox(QStringLiteral("seOtevreni%1").arg(i),
                                 parameters[barrierOpeningByte(b)], this);
        waiting_[b] = secondsBox(QStringLiteral("seCekani%1").arg(i),
                                 parameters[barrierWaitingByte(b)], this);
        auto* kind = new QComboBox(this);
        kind->setObjectName(QStringLiteral("cbTypZavory%1").arg(i));
        const std::uint8_t stored = parameters[barrierKindByte(b)];
        for (const auto& k : kBarrierKinds) {
            kind->addItem(toQ(k.name), k.code);
        }
        if (barrierKindName(stored) == "???") {
            kind->addItem(QStringLiteral("???"), stored);
        }
        kind->setCurrentIndex(kind->findData(stored));
        kind_[b] = kind;
        grid->addWidget(opening_[b], i + 1, 1);
        grid->addWidget(waiting_[b], i + 1, 2);
        grid->addWidget(kind, i + 1, 3);
    }
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    addFinishButtons(this, box);
}

UnitParameters BarrierParametersDialog::parameters() const {
    UnitParameters p = parameters_;
    for (std::size_t b = 0; b < 2; ++b) {
        p[barrierOpeningByte(b)] = static_cast<std::uint8_t>(opening_[b]->value());
        p[barrierWaitingByte(b)] = static_cast<std::uint8_t>(waiting_[b]->value());
        p[barrierKindByte(b)] = static_cast<std::uint8_t>(kind_[b]->currentData().toUInt());
    }
    return p;
}

} // namespace qtr::setup
