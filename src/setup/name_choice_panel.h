#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace qtr::setup {

// The small panel that lets the operator pick a name for a field ("Seznam
// skupin", "Seznam oprávnění", "Seznam zón"): clicking a name chooses it,
// "vymazat název" chooses the empty name, "X" closes without a choice. It floats
// over its window beside the field it serves.
class NameChoicePanel : public QFrame {
    Q_OBJECT

public:
    NameChoicePanel(const QString& title, const QString& objectName, QWidget* window);

    void setNames(const QStringList& names);
    // Shows the panel next to `field` (a widget of the same window).
    void openFor(QWidget* field);
    // Shows the panel over `area`, a part of the window not used meanwhile.
    void openOver(QWidget* area);

    QListWidget* list() const { return list_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* closeButton() const { return close_; }

signals:
    // The chosen name; empty for "vymazat název". The panel has closed.
    void chosen(const QString& name);

private:
    QListWidget* list_;
    QPushButton* clear_;
    QPushButton* close_;
};

} // namespace qtr::setup
