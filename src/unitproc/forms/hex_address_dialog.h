#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace qtr {

// THEXADR: a hexadecimal keypad for one unit address. The display always holds
// two digits; a digit key appends its digit and the last two stay.
class THEXADR : public QDialog {
    Q_OBJECT

public:
    explicit THEXADR(std::uint8_t initial, bool zeroForbidden = true, QWidget* parent = nullptr);

    std::uint8_t value() const;
    QString displayText() const;
    void pressDigit(QChar digit);

private:
    void refresh();

    QString display_;
    bool zeroForbidden_;
    QLabel* laDisplay_;
    QPushButton* btHotovo_;
};

} // namespace qtr
