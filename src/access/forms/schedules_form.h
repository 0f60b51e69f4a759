#pragma once

#include "ui/record_editor.h"
// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "base/short_string.h"
#endif

#include <QDialog>
#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qtr {
class AccessScheduleTable;
class PermissionGroupTable;
} // namespace qtr

namespace qtr::access {
class WeekGraph;

// TCASACC "Databáze časových rozvrhů pro přístupovou část systému": the access
// schedules, each a name and up to seven time windows edited one at a time in
// TSLR. From the main menu it is the editor (the caller sorts and saves
// QTR0007.DAT when it closes); from a permission group it is the picker, opened
// on the schedule current before, where "vybrat" accepts the dialog.
class TCASACC : public ui::RecordEditor {
    Q_OBJECT

public:
    enum class Use { Editor, Picker };
    static constexpr int kScheduleLimit = 100;

    TCASACC(AccessScheduleTable& schedules, PermissionGroupTable& groups, Use use,
            QWidget* parent = nullptr);

    // How many permission entries took over a schedule's new name.
    int referencesRenamed() const { return referencesRenamed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRecord() override;
    void applyMode(ui::EditMode mode) override;
    bool readRecord() override;
    void recordStored(ui::EditMode mode) override;
    void showSegments();
    void editSegment(int k);
    void takeName();

    AccessScheduleTable& schedules_;
    PermissionGroupTable& groups_;
    Use use_;
    ShortString<17> nameBefore_;
    int referencesRenamed_ = 0;
    QListWidget* lbRozvrhy_;
    QLineEdit* edNazev_;
    std::array<QLineEdit*, 7> boxes_{};
    WeekGraph* graph_;
    QPushButton* btVybrat_;
};

} // namespace qtr::access
