#pragma once

#include "comm/unit_status_view.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QListWidget;

namespace qtr {

// TSTAVJ: what one unit reported about itself, decoded.
class TSTAVJ : public QDialog {
    Q_OBJECT

public:
    explicit TSTAVJ(QWidget* parent = nullptr);

    void ZobrazitStavJednotky(const std::array<std::uint8_t, kUnitStatusSize>& status);

private:
    QLabel* field(const char* name);

    QLabel* edAdresa_;
    QLabel* edTyp_;
    QLabel* edStav_;
    QLabel* edRezim_;
    QLabel* edPamet_;
    QLabel* edAlarm_;
    QLabel* edRele_;
    QLabel* edCas_;
    QLabel* laUdalosti_;
    QLabel* laOpravneni_;
    QLabel* laPreteceni_;
    QListWidget* ListBox1_;
};

} // namespace qtr
