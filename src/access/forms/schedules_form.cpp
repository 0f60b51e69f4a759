#include "access/forms/schedules_form.h"

#include "access/forms/schedule_graph_view.h"
#include "access/forms/segment_dialog.h"
#include "access/renamed_references.h"
#include "access/schedule_editing.h"
#include "access/segment_text.h"
#include "db/tables.h"
#include "setup/editor_widgets.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"
#include "ui/ui_services.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr::access {

using ui::EditMode;
using ui::fromQ;
using ui::toQ;

TCASACC::TCASACC(AccessScheduleTable& schedules, PermissionGroupTable& groups, Use use,
                 QWidget* parent)
    : RecordEditor(schedules,
                   Options{.newRecordLimit = kScheduleLimit,
                           .storeText = QStringLiteral("uložit"),
                           .storeName = QStringLiteral("btUlozit"),
                           .storeHint = QStringLiteral("uložit rozvrh"),
                           .navigationByPosition = true},
                   parent),
      schedules_(schedules), groups_(groups), use_(use) {
    setObjectName(QStringLiteral("TCASACC"));
    setWindowTitle(QStringLiteral("Databáze časových rozvrhů pro přístupovou část systému"));
    setStyleSheet(setup::editorStyleSheet());

    lbRozvrhy_ = new QListWidget(this);
    lbRozvrhy_->setObjectName(QStringLiteral("lbRozvrhy"));
    lbRozvrhy_->setToolTip(QStringLiteral("klepnutím nastavíte rozvrh"));
    lbRozvrhy_->setMinimumWidth(170);
    edNazev_ = setup::makeEdit(QStringLiteral("edNazev"), QStringLiteral("jméno rozvrhu"), this);
    edNazev_->setMaxLength(17);

    auto* segments = new QGridLayout;
    for (int k = 0; k < 7; ++k) {
        auto* e = setup::makeEdit(QStringLiteral("edOknoCasu%1").arg(k + 1),
                                  QStringLiteral("klepnutím upravíte složku rozvrhu"), this);
        e->setReadOnly(true);
        e->installEventFilter(this);
        e->setMinimumWidth(260);
        boxes_[static_cast<std::size_t>(k)] = e;
        segments->addWidget(setup::makeLabel(QStringLiteral("%1.").arg(k + 1), this), k, 0);
        segments->addWidget(e, k, 1);
    }
    graph_ = new WeekGraph(QStringLiteral("imGraf"), this);

    btVybrat_ = ui::makeButton(QStringLiteral("vybrat"), QStringLiteral("btVybrat"),
                               QStringLiteral("použít vybraný rozvrh"), this);
    btVybrat_->setVisible(use_ == Use::Picker);
    connect(btVybrat_, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    left->addWidget(setup::makeLabel(QStringLiteral("Rejstřík rozvrhů"), this));
    left->addWidget(lbRozvrhy_, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(setup::makeLabel(QStringLiteral("Název rozvrhu"), this));
    nameRow->addWidget(edNazev_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(navigator(), 0, Qt::AlignLeft);
    right->addLayout(nameRow);
    right->addWidget(setup::makeLabel(QStringLiteral("Složky rozvrhu"), this));
    right->addLayout(segments);
    right->addWidget(graph_, 0, Qt::AlignLeft);
    QHBoxLayout* buttons = takeButtonRow();
    buttons->addWidget(btVybrat_);
    right->addLayout(buttons);
    auto* box = new QHBoxLayout(this);
    box->addLayout(left);
    box->addLayout(right, 1);

    setNamesRegister(lbRozvrhy_, schedules_);
    if (use_ == Use::Picker) {
        openCurrent();
    } else {
        openFirst();
    }
}

void TCASACC::showRecord() {
    edNazev_->setText(toQ(schedules_.current().scheduleName.text()));
    showSegments();
}

void TCASACC::showSegments() {
    const AccessScheduleRecord& s = schedules_.current();
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        boxes_[k]->setText(toQ(segmentText(s.segments[k])));
    }
    graph_->setSegments(std::span(s.segments.data(), static_cast<std::size_t>(usedSegments(s))));
}

void TCASACC::applyMode(EditMode mode) {
    const bool browse = mode == EditMode::Browse;
    edNazev_->setEnabled(!browse);
    for (int k = 1; k <= 7; ++k) {
        boxes_[static_cast<std::size_t>(k - 1)]->setEnabled(
            !browse && segmentBoxEnabled(schedules_.current(), k));
    }
    btVybrat_->setEnabled(use_ == Use::Picker && browse && schedules_.count() > 0);
    if (mode == EditMode::Insert) {
        edNazev_->setFocus();
    }
}

bool TCASACC::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int k = 1; k <= 7; ++k) {
            QLineEdit* box = boxes_[static_cast<std::size_t>(k - 1)];
            if (watched == box && box->isEnabled()) {
                editSegment(k);
                return true;
            }
        }
    }
    return RecordEditor::eventFilter(watched, event);
}

void TCASACC::takeName() {
    schedules_.current().scheduleName.setText(fromQ(edNazev_->text()));
}

void TCASACC::editSegment(int k) {
    if (mode() == EditMode::Browse) {
        return;
    }
    takeName(); // a name typed before is not lost
    AccessScheduleRecord& s = schedules_.current();
    TSLR dialog(s.segments[static_cast<std::size_t>(k - 1)], this);
    if (ui::execModal(dialog) == QDialog::Accepted) {
        storeEditedSegment(s, k, dialog.segment());
    }
    showSegments();
    applyMode(mode());
}

bool TCASACC::readRecord() {
    takeName();
    const AccessScheduleRecord& s = schedules_.current();
    if (const auto refusal = checkSchedule(schedules_, s, ownPosition())) {
        ui::messageOk(toQ(*refusal), {}, u'E');
        return false;
    }
    if (mode() == EditMode::Update) {
        nameBefore_ = schedules_.at(schedules_.position()).scheduleName;
    }
    return true;
}

void TCASACC::recordStored(EditMode mode) {
    if (mode != EditMode::Update) {
        return;
    }
    const ShortString<17>& name = schedules_.current().scheduleName;
    const bool oldRemains = schedules_.findByName(nameBefore_.text()) != 0;
    const int n = carryScheduleRename(groups_, nameBefore_, name, oldRemains);
    if (n > 0) {
        referencesRenamed_ += n;
        ui::messageOk(toQ(scheduleRenameReport(n)), {}, u'I');
    }
}

} // namespace qtr::access
