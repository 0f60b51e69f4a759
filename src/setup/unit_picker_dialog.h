#pragma once

#include <QDialog>
#include <cstdint>

class QListWidget;

namespace qtr {
class ControlUnitTable;
}

namespace qtr::setup {

// TSELJED "Určení jednotky": the units by name in table order; clicking one
// chooses its address and closes. The result is 0 when closed without a choice.
class TSELJED : public QDialog {
public:
    explicit TSELJED(const ControlUnitTable& units, QWidget* parent = nullptr);
    std::uint8_t chosenAddress() const { return address_; }

private:
    std::uint8_t address_ = 0;
    QListWidget* list_;
};

} // namespace qtr::setup
