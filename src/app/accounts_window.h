#pragma once

#include "app/account_file.h"

#include <QDialog>
#include <filesystem>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qtr {

// TCPM: the operators' accounts. Opened only after an administrator key was read.
class TCPM : public QDialog {
    Q_OBJECT

public:
    // Loads the account file on creation; a file that cannot be read is reported
    // and leaves the list empty. The master key is shown only in service mode.
    TCPM(std::filesystem::path accountFile, const KeyNumber& masterKey, bool serviceMode,
         RandomSource& random, QWidget* parent = nullptr);
    ~TCPM() override;

    const UserAccounts& accounts() const { return accounts_; }
    bool loadFailed() const { return loadFailed_; }

    void btNovyClick();
    void btOpravitClick();
    void btSmazatClick();
    void btHotovoClick();
    void btZpetClick();
    void btPouzitClick();
    void selectAccount(int position); // 1-based

private:
    enum class Mode { Browse, Insert, Update };
    void editChanged();
    void refreshList();
    void refreshButtons();
    void setMode(Mode mode);
    AccountSlot& editedSlot();

    std::filesystem::path file_;
    ScramblingKey key_;
    RandomSource& random_;
    UserAccounts accounts_;
    bool loadFailed_ = false;
    Mode mode_ = Mode::Browse;
    int selected_ = 0; // 1-based, 0 = none
    std::optional<AccountSlot> savedCopy_;

    QListWidget* ListBox1_;
    QLabel* laPozice_;
    QLabel* Label4_;
    QLineEdit* edJmeno_;
    QLineEdit* edHeslo_;
    QPushButton* btNovy_;
    QPushButton* btOpravit_;
    QPushButton* btSmazat_;
    QPushButton* btHotovo_;
    QPushButton* btZpet_;
    QPushButton* btPouzit_;
    QPushButton* btZrusit_;
};

} // namespace qtr
