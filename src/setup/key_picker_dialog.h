#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "base/key_number.h"
#endif

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qtr {
class KeyHolderTable;
}

namespace qtr::setup {

// TSELK1 "Výběr ze seznamu klíčů": picks a key holder by name. Showing it sorts
// the key holder table by name (the order stays and reaches QTR0002.DAT at its
// next save). After "použít" the table's current record is the chosen holder.
class TSELK1 : public QDialog {
    Q_OBJECT

public:
    explicit TSELK1(KeyHolderTable& holders, QWidget* parent = nullptr);

    // The chosen holder's key (valid after "použít").
    KeyNumber chosenKey() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void prepare();
    void nameChanged(const QString& name);

    KeyHolderTable& holders_;
    bool prepared_ = false;
    QLabel* laPocet_;
    QListWidget* ListBox1_;
    QLineEdit* edJmeno_;
    QLineEdit* edKlic_;
    QPushButton* btPouzit_;
    QPushButton* btZpet_;
};

} // namespace qtr::setup
