#pragma once

#include "setup/editor_widgets.h"
#include "ui/record_editor.h"
// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "setup/key_reader.h"

#include <filesystem>
#endif

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qtr {
struct ConfigurationDatabase;
class GroupTable;
class KeyHolderTable;
class PermissionGroupTable;
namespace ui {
class RecordNavigator;
}
} // namespace qtr

namespace qtr::setup {

class NameChoicePanel;

// TKEYS "Databáze identifikačních klíčů": the key holder register. Keys are
// typed or read at the reader; the register is exported and imported as the
// 131-column exchange file. The caller saves QTR0002.DAT when the window closes;
// `registerFile` (that file) is copied to NAME.bak before a replacing import.
class TKEYS : public ui::RecordEditor {
    Q_OBJECT

public:
    static constexpr int kHolderLimit = 1000;

    TKEYS(KeyHolderTable& holders, const GroupTable& groups,
          const PermissionGroupTable& permissionGroups, KeyReading reading,
          std::filesystem::path registerFile, QWidget* parent = nullptr);
    TKEYS(ConfigurationDatabase& db, KeyReading reading, std::filesystem::path registerFile,
          QWidget* parent = nullptr);

private:
    void btCteniKliceClick();
    void btHledatKlicClick();
    void btExportClick();
    void btImportClick();
    void Edit1Change(const QString& text);
    void sortBy(int order);

    void showRecord() override;
    void showNewRecord() override;
    void applyMode(EditMode mode) override;
    bool readRecord() override;
    // Whether a holder other than the one at `exceptPosition` (0: none) has the key.
    bool keyRegistered(const KeyNumber& key, int exceptPosition) const;

    KeyHolderTable& holders_;
    const GroupTable& groups_;
    const PermissionGroupTable& permissionGroups_;
    KeyReading reading_;
    std::filesystem::path registerFile_;

    QLineEdit* EditCTM_;
    QLineEdit* EditJMENO_;
    QLineEdit* EditPRACOVISTE_;
    QLineEdit* EditOPRAVNENI_;
    QLineEdit* Edit1_;
    QListWidget* ListBox1_;
    QButtonGroup* sortChoice_;
    QRadioButton* rbKlice_;
    QRadioButton* rbJmena_;
    QPushButton* btCteniKlice_;
    QPushButton* btSkupiny_;
    QPushButton* btOpravneni_;
    QPushButton* btHledatKlic_;
    QPushButton* btExport_;
    QPushButton* btImport_;
    NameChoicePanel* pnSkupiny_;
    NameChoicePanel* pnOpravneni_;
};

} // namespace qtr::setup
