#include "ui/record_editor.h"

#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

namespace qtr::ui {

RecordEditor::RecordEditor(std::unique_ptr<EditedTable> table, const Options& options,
                           QWidget* parent)
    : QDialog(parent), table_(std::move(table)), options_(options) {
    navigator_ = new RecordNavigator(this);
    btNovy_ = makeButton(QStringLiteral("nový"), QStringLiteral("btNovy"),
                         QStringLiteral("vložíte nový záznam"), this);
    btOpravit_ = makeButton(QStringLiteral("opravit"), QStringLiteral("btOpravit"),
                            QStringLiteral("opravíte aktuální záznam"), this);
    btSmazat_ = makeButton(QStringLiteral("smazat"), QStringLiteral("btSmazat"),
                           QStringLiteral("smažete aktuální záznam"), this);
    btPrerusit_ = makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                             QStringLiteral("zpět, beze změny"), this);
    btStore_ = makeButton(options_.storeText, options_.storeName, options_.storeHint, this);
    buttonRow_ = new QHBoxLayout;
    for (auto* b : {btNovy_, btOpravit_, btSmazat_, btPrerusit_, btStore_}) {
        buttonRow_->addWidget(b);
    }

    auto move = [this](bool (EditedTable::*step)()) {
        return [this, step] {
            (table_.get()->*step)();
            display();
            setMode(mode_);
        };
    };
    connect(navigator_, &RecordNavigator::firstRequested, this, move(&EditedTable::first));
    connect(navigator_, &RecordNavigator::previousRequested, this, move(&EditedTable::previous));
    connect(navigator_, &RecordNavigator::nextRequested, this, move(&EditedTable::next));
    connect(navigator_, &RecordNavigator::lastRequested, this, move(&EditedTable::last));
    connect(btNovy_, &QPushButton::clicked, this, &RecordEditor::newClicked);
    connect(btOpravit_, &QPushButton::clicked, this, &RecordEditor::changeClicked);
    connect(btSmazat_, &QPushButton::clicked, this, &RecordEditor::deleteClicked);
    connect(btPrerusit_, &QPushButton::clicked, this, &RecordEditor::cancelClicked);
    connect(btStore_, &QPushButton::clicked, this, &RecordEditor::storeClicked);
}

RecordEditor::~RecordEditor() {
    delete buttonRow_; // only while no layout took it
}

QHBoxLayout* RecordEditor::takeButtonRow() {
    QHBoxLayout* row = buttonRow_;
    buttonRow_ = nullptr;
    return row;
}

void RecordEditor::openFirst() {
    refillNames();
    // An empty table shows an empty record, never one left over from earlier.
    if (!table_->first()) {
        table_->clearCurrent();
    }
    display();
    setMode(EditMode::Browse);
}

void RecordEditor::openCurrent() {
    refillNames();
    if (table_->count() == 0) {
        table_->clearCurrent();
    }
    display();
    setMode(EditMode::Browse);
}

void RecordEditor::display() {
    showRecord();
    navigator_->setPosition(table_->position(), table_->count());
}

void RecordEditor::setMode(EditMode mode) {
    mode_ = mode;
    const bool browse = mode == EditMode::Browse;
    const int count = table_->count();
    const int pos = table_->position();
    navigator_->setNavigationEnabled(browse);
    if (browse && options_.navigationByPosition) {
        navigator_->firstButton()->setEnabled(pos > 1);
        navigator_->previousButton()->setEnabled(pos > 1);
        navigator_->nextButton()->setEnabled(pos < count);
        navigator_->lastButton()->setEnabled(pos < count);
    }
    btNovy_->setEnabled(browse && count < options_.newRecordLimit);
    btOpravit_->setEnabled(browse && count > 0);
    btSmazat_->setEnabled(browse && count > 0);
    btPrerusit_->setEnabled(!browse);
    btStore_->setEnabled(!browse);
    if (names_ != nullptr) {
        names_->setEnabled(browse);
    }
    navigator_->setPosition(pos, count);
    applyMode(mode);
}

int RecordEditor::ownPosition() const {
    return mode_ == EditMode::Update ? table_->position() : 0;
}

void RecordEditor::setNamesRegister(QListWidget* list,
                                    std::function<std::vector<std::string>()> names,
                                    std::function<bool(const std::string&)> select) {
    names_ = list;
    namesOf_ = std::move(names);
    selectName_ = std::move(select);
    connect(names_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (mode_ == EditMode::Browse && selectName_(fromQ(item->text()))) {
            display();
            setMode(mode_);
        }
    });
}

void RecordEditor::refillNames() {
    if (names_ == nullptr) {
        return;
    }
    names_->clear();
    for (const std::string& n : namesOf_()) {
        names_->addItem(toQ(n));
    }
}

void RecordEditor::newClicked() {
    table_->startNew();
    showNewRecord();
    setMode(EditMode::Insert);
}

void RecordEditor::changeClicked() {
    setMode(EditMode::Update);
}

void RecordEditor::deleteClicked() {
    if (!confirmRecordDeletion()) {
        return;
    }
    table_->deleteCurrent();
    tableChanged_ = true;
    refillNames();
    display();
    setMode(EditMode::Browse);
}

void RecordEditor::cancelClicked() {
    table_->reloadCurrent();
    display();
    setMode(EditMode::Browse);
}

void RecordEditor::storeClicked() {
    if (!readRecord()) {
        return;
    }
    const EditMode stored = mode_;
    if (stored == EditMode::Insert) {
        table_->appendCurrent();
    } else {
        table_->storeCurrent();
    }
    tableChanged_ = true;
    refillNames();
    setMode(EditMode::Browse);
    display();
    recordStored(stored);
}

} // namespace qtr::ui
