#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qtr {

// TFIRST: the operator's name and password.
class TFIRST : public QDialog {
    Q_OBJECT

public:
    explicit TFIRST(QWidget* parent = nullptr);

    QString userName() const;
    QString password() const;

private:
    void refresh();

    QLineEdit* Edit1_;
    QLineEdit* Edit2_;
    QPushButton* btHotovo_;
};

} // namespace qtr
