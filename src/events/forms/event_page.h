#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "events/event_decoder.h"
#include "events/event_table.h"
#endif

#include <QWidget>
#include <filesystem>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qtr {

// Reads an event file into the table (cursor 0) and tells the operator what he should
// know about it: that it could not be read, or what of it was left out. `name` is the
// name he knows the file by. False when it could not be read.
bool loadEventTable(EventTable& table, const std::filesystem::path& file, const std::string& name);

// The page of events both event windows show: a grid "Datum", "Čas", "Událost"
// of 16 rows whose first row is the table's cursor, the navigation buttons and
// the position label, "hex" and the seven sorts of "Třídit". It works on the
// window's table and reads the configuration tables anew for every row it shows.
class EventPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 16;

    // "hex" can be used only when the service mode was on as the window was made.
    EventPage(EventTable& table, const EventDecoder& decoder, bool serviceMode,
              QWidget* parent = nullptr);

    // The rows and the buttons for the table as it stands.
    void redisplay();
    // "vše" chosen and the table sorted by it, cursor 1.
    void selectAllAndSort();
    // The order chosen in "Třídit".
    SortKind sortKind() const;

    // The navigation; each does nothing on an empty table.
    void firstClick();
    void previousClick();
    void nextClick();
    void lastClick();
    void pageBackClick();
    void pageForwardClick();

    // The navigation row and the sort group, which a window may disable together.
    QWidget* navigationPanel() const { return navigation_; }
    QGroupBox* sortGroup() const { return rgTridit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sortClick(int kind);
    void moveTo(int cursor);
    QPushButton* navButton(const QString& text, const char* name, const QString& hint);

    EventTable& table_;
    const EventDecoder& decoder_;
    QTableWidget* grid_;
    QWidget* navigation_;
    QPushButton* sbPrvni_;
    QPushButton* sbPredchozi_;
    QPushButton* sbDalsi_;
    QPushButton* sbPosledni_;
    QPushButton* sbStrankaZpet_;
    QPushButton* sbStrankaVpred_;
    QLabel* laPozice_;
    QCheckBox* cbHex_;
    QGroupBox* rgTridit_;
    QButtonGroup* sorts_;
};

} // namespace qtr
