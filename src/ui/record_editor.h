#pragma once

#include "ui/named_button.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QHBoxLayout;
class QListWidget;
class QPushButton;

namespace qtr::ui {

class RecordNavigator;

// The three modes of every record editor.
enum class EditMode { Browse, Insert, Update };

// What a record editor does with its table, whatever the record.
class EditedTable {
public:
    virtual ~EditedTable() = default;
    virtual int count() const = 0;
    virtual int position() const = 0;
    virtual bool first() = 0;
    virtual bool previous() = 0;
    virtual bool next() = 0;
    virtual bool last() = 0;
    virtual void startNew() = 0;      // the current record gets the table's defaults
    virtual void clearCurrent() = 0;  // an all-zero current record
    virtual void reloadCurrent() = 0; // "přerušit": the record at the position again
    virtual void deleteCurrent() = 0;
    virtual void appendCurrent() = 0; // appended, then current (Last)
    virtual void storeCurrent() = 0;  // written back at the position
};

template <typename Table> class EditedTableOf final : public EditedTable {
public:
    explicit EditedTableOf(Table& table) : t_(table) {}
    int count() const override { return t_.count(); }
    int position() const override { return t_.position(); }
    bool first() override { return t_.first(); }
    bool previous() override { return t_.previous(); }
    bool next() override { return t_.next(); }
    bool last() override { return t_.last(); }
    void startNew() override {
        if constexpr (requires { t_.newRecord(); }) {
            t_.newRecord();
        } else {
            t_.clearCurrent();
        }
    }
    void clearCurrent() override { t_.clearCurrent(); }
    void reloadCurrent() override { t_.reloadCurrent(); }
    void deleteCurrent() override { t_.deleteRecord(t_.position()); }
    void appendCurrent() override {
        t_.append();
        t_.last();
    }
    void storeCurrent() override { t_.put(t_.position()); }

private:
    Table& t_;
};

// The browse / insert / update pattern every record editor shares: the navigator
// with its position label, "nový", "opravit", "smazat" (after its question),
// "přerušit" and the store button ("hotovo" or "uložit"), their enabling, and
// storing: a new record is appended and becomes current, a changed one is
// written back in place. An editor builds its own fields and fills in the hooks.
class RecordEditor : public QDialog {
    Q_OBJECT

public:
    EditMode mode() const { return mode_; }
    // Whether a record was stored or deleted while the window was open.
    bool tableChanged() const { return tableChanged_; }

protected:
    struct Options {
        int newRecordLimit = 0;         // "nový" while fewer records exist
        QString storeText = "hotovo";   // or "uložit"
        QString storeName = "btHotovo"; // or "btUlozit"
        QString storeHint = "hotovo, uložit data";
        bool navigationByPosition = false; // "|<" "<" only above 1, ">" ">|" only below the count
    };

    template <typename Table>
    RecordEditor(Table& table, const Options& options, QWidget* parent)
        : RecordEditor(std::make_unique<EditedTableOf<Table>>(table), options, parent) {}
    RecordEditor(std::unique_ptr<EditedTable> table, const Options& options, QWidget* parent);
    ~RecordEditor() override;

    // The end of an editor's constructor: the names, the first record (an empty
    // record for an empty table), browse mode.
    void openFirst();
    // The same on the record that is current already (a picker opens where the
    // caller stands).
    void openCurrent();
    // The current record on the screen, and the position label.
    void display();
    void setMode(EditMode mode);
    // The record's own position while it is changed, 0 while a new one is made:
    // what the unique-name and unique-key checks leave out.
    int ownPosition() const;

    // The names register beside the record: the names of all records, a click
    // makes the named record current. `select` returns false when none has it.
    void setNamesRegister(QListWidget* list, std::function<std::vector<std::string>()> names,
                          std::function<bool(const std::string&)> select);
    // The same for a table of named records: its names, and the record found by name.
    template <typename Table> void setNamesRegister(QListWidget* list, Table& table) {
        setNamesRegister(
            list,
            [&table] {
                std::vector<std::string> names;
                table.fillNameList(names);
                return names;
            },
            [&table](const std::string& name) { return table.select(table.findByName(name)); });
    }
    void refillNames();

    RecordNavigator* navigator() const { return navigator_; }
    QPushButton* newButton() const { return btNovy_; }
    QPushButton* changeButton() const { return btOpravit_; }
    QPushButton* deleteButton() const { return btSmazat_; }
    QPushButton* cancelButton() const { return btPrerusit_; }
    QPushButton* storeButton() const { return btStore_; }
    // The five buttons in their row, for the editor's layout.
    QHBoxLayout* takeButtonRow();
    EditedTable& table() { return *table_; }

    // --- hooks ---
    virtual void showRecord() = 0;
    // What "nový" shows; the new record itself by default.
    virtual void showNewRecord() { showRecord(); }
    // The editor's own widgets in a mode (the base has set its buttons already).
    virtual void applyMode(EditMode) {}
    // The fields into the current record, with the editor's checks; false keeps
    // the edit going and stores nothing.
    virtual bool readRecord() = 0;
    // After a record was stored (appended or written back) and browse mode is on.
    virtual void recordStored(EditMode) {}

private:
    void newClicked();
    void changeClicked();
    void deleteClicked();
    void cancelClicked();
    void storeClicked();

    std::unique_ptr<EditedTable> table_;
    Options options_;
    EditMode mode_ = EditMode::Browse;
    bool tableChanged_ = false;
    RecordNavigator* navigator_;
    QPushButton* btNovy_;
    QPushButton* btOpravit_;
    QPushButton* btSmazat_;
    QPushButton* btPrerusit_;
    QPushButton* btStore_;
    QHBoxLayout* buttonRow_ = nullptr;
    QListWidget* names_ = nullptr;
    std::function<std::vector<std::string>()> namesOf_;
    std::function<bool(const std::string&)> selectName_;
};

} // namespace qtr::ui
