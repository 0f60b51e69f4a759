#pragma once

#include "ui/record_editor.h"
// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "base/short_string.h"
#endif

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

namespace qtr {
struct ConfigurationDatabase;
struct ControlUnitRecord;
} // namespace qtr

namespace qtr::access {
class GraphView;

// TACCRTS "Databáze oprávnění přístupu": the permission groups, each naming for
// up to 32 units where ("Kam:") and when ("Kdy:", a schedule chosen in TCASACC
// as a picker) its members' keys pass. The caller saves QTR0008.DAT when the
// window closes.
class TACCRTS : public ui::RecordEditor {
    Q_OBJECT

public:
    static constexpr int kGroupLimit = 100;

    explicit TACCRTS(ConfigurationDatabase& db, QWidget* parent = nullptr);

    // How many key holders took over a group's new name.
    int referencesRenamed() const { return referencesRenamed_; }
    // Whether the schedule picker stored or deleted a schedule.
    bool schedulesChanged() const { return schedulesChanged_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRecord() override;
    void applyMode(ui::EditMode mode) override;
    bool readRecord() override;
    void recordStored(ui::EditMode mode) override;

    void fillTabs(int select);
    void showEntry();
    void enableEntryButtons();
    int selectedEntry() const; // 1..entryCount, 0 for none
    const ControlUnitRecord* unitOfSelected() const;
    void addUnitClicked(int row);
    void deleteEntryClicked();
    void propertiesClicked();
    void scheduleClicked();

    ConfigurationDatabase& db_;
    ShortString<17> nameBefore_;
    int referencesRenamed_ = 0;
    bool schedulesChanged_ = false;
    QListWidget* lbOpravneni_;
    QLineEdit* edNazev_;
    QTabBar* tcJednotky_;
    QLineEdit* edKam_;
    QLabel* laKdy_;
    QPlainTextEdit* meRozvrh_;
    GraphView* imGrafOpravneni_;
    QPushButton* btPridat_;
    QPushButton* btOdebrat_;
    QPushButton* btVlastnosti_;
    QPushButton* btRozvrh_;
    QFrame* pnJednotky_;
    QListWidget* lbJednotky_;
};

} // namespace qtr::access
