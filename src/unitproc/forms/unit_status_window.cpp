#include "unitproc/forms/unit_status_window.h"

#include "ui/qt_text.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

QLabel* TSTAVJ::field(const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(260);
    return l;
}

TSTAVJ::TSTAVJ(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSTAVJ"));
    setWindowTitle(QStringLiteral("Informace od jednotky"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    edAdresa_ = field("edAdresa");
    edTyp_ = field("edTyp");
    edStav_ = field("edStav");
    edRezim_ = field("edRezim");
    edPamet_ = field("edPamet");
    edAlarm_ = field("edAlarm");
    edRele_ = field("edRele");
    edCas_ = field("edCas");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Adresa"), edAdresa_);
    form->addRow(QStringLiteral("Typ jednotky"), edTyp_);
    form->addRow(QStringLiteral("Stav jednotky"), edStav_);
    form->addRow(QStringLiteral("Režim"), edRezim_);
    form->addRow(QStringLiteral("Paměť"), edPamet_);
    form->addRow(QStringLiteral("Alarm"), edAlarm_);
    form->addRow(QStringLiteral("Relé"), edRele_);
    form->addRow(QStringLiteral("Čas jednotky"), edCas_);

    laUdalosti_ = new QLabel(this);
    laUdalosti_->setObjectName(QStringLiteral("laUdalosti"));
    laOpravneni_ = new QLabel(this);
    laOpravneni_->setObjectName(QStringLiteral("laOpravneni"));
    laPreteceni_ = new QLabel(this);
    laPreteceni_->setObjectName(QStringLiteral("laPreteceni"));
    laPreteceni_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));

    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox1_->setMinimumHeight(120);

    auto* btZpet = new QPushButton(QStringLiteral("zpět"), this);
    btZpet->setObjectName(QStringLiteral("btZpet"));
    btZpet->setDefault(true);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btZpet);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(laUdalosti_);
    layout->addWidget(laOpravneni_);
    layout->addWidget(ListBox1_);
    layout->addWidget(laPreteceni_);
    layout->addLayout(buttons);
}

void TSTAVJ::ZobrazitStavJednotky(const std::array<std::uint8_t, kUnitStatusSize>& status) {
    ListBox1_->clear();
    const UnitStatusView v = decodeUnitStatus(status);
    edAdresa_->setText(ui::toQ(v.address));
    edTyp_->setText(ui::toQ(v.unitType));
    edStav_->setText(ui::toQ(v.unitState));
    edRezim_->setText(ui::toQ(v.mode));
    edPamet_->setText(ui::toQ(v.memory));
    edAlarm_->setText(ui::toQ(v.alarm));
    edRele_->setText(ui::toQ(v.relay));
    edCas_->setText(ui::toQ(v.unitClock));
    laUdalosti_->setText(ui::toQ(v.pendingEvents));
    laOpravneni_->setText(ui::toQ(v.rightsCount));
    for (const auto& line : v.lines) {
        ListBox1_->addItem(ui::toQ(line));
    }
    // The channel lines of models 8 and 9 would come from bytes the status answer
    // does not carry, so they are left out.
    laPreteceni_->setText(v.eventMemoryOverflow ? QString::fromUtf8(kEventMemoryOverflowText)
                                                : QString());
    laPreteceni_->setVisible(v.eventMemoryOverflow);
}

} // namespace qtr
