#include "setup/groups_form.h"

#include "db/tables.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <limits>

namespace qtr::setup {

using ui::fromQ;
using ui::toQ;

TSKUP::TSKUP(GroupTable& groups, QWidget* parent)
    : RecordEditor(groups, Options{.newRecordLimit = kNewGroupLimit}, parent), groups_(groups) {
    setObjectName(QStringLiteral("TSKUP"));
    setWindowTitle(QStringLiteral("Seznam skupin nositelů klíčů"));
    setStyleSheet(editorStyleSheet());

    edit1_ = makeEdit(QStringLiteral("Edit1"), QStringLiteral("označení skupiny"), this);
    edit2_ =
        makeEdit(QStringLiteral("Edit2"), QStringLiteral("počet nositelů klíčů ve skupině"), this);
    edit3_ = makeEdit(QStringLiteral("Edit3"), QStringLiteral("počet přítomných"), this);
    edit1_->setMaxLength(17);

    auto* fields = new QGridLayout;
    fields->addWidget(makeLabel(QStringLiteral("Název"), this), 0, 0);
    fields->addWidget(edit1_, 0, 1);
    fields->addWidget(makeLabel(QStringLiteral("Oprávnění"), this), 1, 0);
    fields->addWidget(edit2_, 1, 1);
    fields->addWidget(makeLabel(QStringLiteral("Přítomno"), this), 2, 0);
    fields->addWidget(edit3_, 2, 1);
    fields->setColumnMinimumWidth(1, 200);

    auto* box = new QVBoxLayout(this);
    box->addWidget(navigator(), 0, Qt::AlignLeft);
    box->addLayout(fields);
    box->addLayout(takeButtonRow());

    openFirst();
}

void TSKUP::showRecord() {
    const GroupRecord& g = groups_.current();
    edit1_->setText(toQ(g.groupName.text()));
    edit2_->setText(QString::number(g.authorisedCount));
    edit3_->setText(QString::number(g.presentCount));
}

void TSKUP::applyMode(EditMode mode) {
    for (auto* e : {edit1_, edit2_, edit3_}) {
        e->setEnabled(mode != EditMode::Browse);
    }
    if (mode != EditMode::Browse) {
        edit1_->setFocus();
        if (mode == EditMode::Insert) {
            edit1_->selectAll();
        }
    }
}

bool TSKUP::readRecord() {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const auto authorised = readDecimalField(edit2_, QStringLiteral("Oprávnění"), kMin, kMax);
    if (!authorised) {
        edit2_->setFocus();
        return false;
    }
    const auto present = readDecimalField(edit3_, QStringLiteral("Přítomno"), kMin, kMax);
    if (!present) {
        edit3_->setFocus();
        return false;
    }
    GroupRecord& g = groups_.current();
    g.groupName.setText(fromQ(edit1_->text()));
    g.authorisedCount = *authorised;
    g.presentCount = *present;
    return true;
}

} // namespace qtr::setup
