#include "setup/groups_form.h"

#include "db/tables.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace qtr::setup {

using ui::fromQ;
using ui::toQ;

TSKUP::TSKUP(GroupTable& groups, QWidget* parent) : QDialog(parent), groups_(groups) {
    setObjectName(QStringLiteral("TSKUP"));
    setWindowTitle(QStringLiteral("Seznam skupin nositelů klíčů"));
    setStyleSheet(editorStyleSheet());

    navigator_ = new ui::RecordNavigator(this);
    edit1_ = makeEdit(QStringLiteral("Edit1"), QStringLiteral("označení skupiny"), this);
    edit2_ =
        makeEdit(QStringLiteral("Edit2"), QStringLiteral("počet nositelů klíčů ve skupině"), this);
    edit3_ = makeEdit(QStringLiteral("Edit3"), QStringLiteral("počet přítomných"), this);
    edit1_->setMaxLength(17);
    btNovy_ = makeButton(QStringLiteral("nový"), QStringLiteral("btNovy"),
                         QStringLiteral("vložíte nový záznam"), this);
    btOpravit_ = makeButton(QStringLiteral("opravit"), QStringLiteral("btOpravit"),
                            QStringLiteral("opravíte aktuální záznam"), this);
    btSmazat_ = makeButton(QStringLiteral("smazat"), QStringLiteral("btSmazat"),
                           QStringLiteral("smažete aktuální záznam"), this);
    btPrerusit_ = makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                             QStringLiteral("zpět, beze změny"), this);
    btHotovo_ = makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                           QStringLiteral("hotovo, uložit data"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(makeLabel(QStringLiteral("Název"), this), 0, 0);
    fields->addWidget(edit1_, 0, 1);
    fields->addWidget(makeLabel(QStringLiteral("Oprávnění"), this), 1, 0);
    fields->addWidget(edit2_, 1, 1);
    fields->addWidget(makeLabel(QStringLiteral("Přítomno"), this), 2, 0);
    fields->addWidget(edit3_, 2, 1);
    fields->setColumnMinimumWidth(1, 200);

    auto* buttons = new QHBoxLayout;
    for (auto* b : {btNovy_, btOpravit_, btSmazat_, btPrerusit_, btHotovo_}) {
        buttons->addWidget(b);
    }
    auto* box = new QVBoxLayout(this);
    box->addWidget(navigator_, 0, Qt::AlignLeft);
    box->addLayout(fields);
    box->addLayout(buttons);

    ui::navigateTable(navigator_, this, groups_, [this] { display(); });
    connect(btNovy_, &QPushButton::clicked, this, &TSKUP::btNovyClick);
    connect(btOpravit_, &QPushButton::clicked, this, &TSKUP::btOpravitClick);
    connect(btSmazat_, &QPushButton::clicked, this, &TSKUP::btSmazatClick);
    connect(btPrerusit_, &QPushButton::clicked, this, &TSKUP::btPrerusitClick);
    connect(btHotovo_, &QPushButton::clicked, this, &TSKUP::btHotovoClick);

    // An empty table shows an empty record, never one left over from earlier.
    if (!groups_.first()) {
        groups_.clearCurrent();
    }
    display();
    setMode(EditMode::Browse);
}

void TSKUP::display() {
    const GroupRecord& g = groups_.current();
    edit1_->setText(toQ(g.groupName.text()));
    edit2_->setText(QString::number(g.authorisedCount));
    edit3_->setText(QString::number(g.presentCount));
    navigator_->setPosition(groups_.position(), groups_.count());
}

void TSKUP::setMode(EditMode mode) {
    mode_ = mode;
    const bool browse = mode == EditMode::Browse;
    navigator_->setNavigationEnabled(browse);
    btNovy_->setEnabled(browse && groups_.count() < kNewGroupLimit);
    btOpravit_->setEnabled(browse && groups_.count() > 0);
    btSmazat_->setEnabled(browse && groups_.count() > 0);
    btPrerusit_->setEnabled(!browse);
    btHotovo_->setEnabled(!browse);
    for (auto* e : {edit1_, edit2_, edit3_}) {
        e->setEnabled(!browse);
    }
    navigator_->setPosition(groups_.position(), groups_.count());
}

void TSKUP::btNovyClick() {
    groups_.newRecord();
    display();
    setMode(EditMode::Insert);
    edit1_->setFocus();
    edit1_->selectAll();
}

void TSKUP::btOpravitClick() {
    setMode(EditMode::Update);
    edit1_->setFocus();
}

void TSKUP::btSmazatClick() {
    if (!ui::confirmRecordDeletion()) {
        return;
    }
    groups_.deleteRecord(groups_.position());
    display();
    setMode(EditMode::Browse);
}

void TSKUP::btPrerusitClick() {
    groups_.reloadCurrent();
    display();
    setMode(EditMode::Browse);
}

void TSKUP::btHotovoClick() {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const auto authorised = readDecimalField(edit2_, QStringLiteral("Oprávnění"), kMin, kMax);
    if (!authorised) {
        edit2_->setFocus();
        return;
    }
    const auto present = readDecimalField(edit3_, QStringLiteral("Přítomno"), kMin, kMax);
    if (!present) {
        edit3_->setFocus();
        return;
    }
    GroupRecord& g = groups_.current();
    g.groupName.setText(fromQ(edit1_->text()));
    g.authorisedCount = *authorised;
    g.presentCount = *present;
    if (mode_ == EditMode::Insert) {
        groups_.append();
        groups_.last();
    } else {
        groups_.storeCurrent();
    }
    setMode(EditMode::Browse);
    display();
}

} // namespace qtr::setup
