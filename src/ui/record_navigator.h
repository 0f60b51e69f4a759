#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace qtr::ui {

// The navigation row of every record editor: "|<", "<", ">", ">|" and the
// position label "n/m" (current position / count).
class RecordNavigator : public QWidget {
    Q_OBJECT

public:
    explicit RecordNavigator(QWidget* parent = nullptr);

    void setPosition(int position, int count);
    // Browse mode enables the four buttons; the edit modes disable them.
    void setNavigationEnabled(bool enabled);
    QString positionText() const;

    QPushButton* firstButton() const { return first_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* lastButton() const { return last_; }
    QLabel* positionLabel() const { return label_; }

signals:
    void firstRequested();
    void previousRequested();
    void nextRequested();
    void lastRequested();

private:
    QPushButton* first_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* last_;
    QLabel* label_;
};

// Wires the four buttons to a table's First/Previous/Next/Last, each followed by
// `show` (the editor's display of the current record). A move that fails (the
// first record, an empty table) shows the record as it stands.
template <typename Table, typename Show>
void navigateTable(RecordNavigator* navigator, QObject* context, Table& table, Show show) {
    QObject::connect(navigator, &RecordNavigator::firstRequested, context, [&table, show] {
        table.first();
        show();
    });
    QObject::connect(navigator, &RecordNavigator::previousRequested, context, [&table, show] {
        table.previous();
        show();
    });
    QObject::connect(navigator, &RecordNavigator::nextRequested, context, [&table, show] {
        table.next();
        show();
    });
    QObject::connect(navigator, &RecordNavigator::lastRequested, context, [&table, show] {
        table.last();
        show();
    });
}

} // namespace qtr::ui
