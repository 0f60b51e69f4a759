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

} // namespace qtr::ui
