#pragma once

// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "db/control_unit_record.h"
#endif

#include <QDialog>
#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;

namespace qtr::access {

// TATROPR "Vlastnosti oprávnění": which doors (a door unit) or barriers and key
// kind (a barrier unit) an entry opens. It starts from the entry's attributes;
// attributes() is what "hotovo" stores, built from the boxes.
class TATROPR : public QDialog {
    Q_OBJECT

public:
    TATROPR(const ControlUnitRecord& unit, std::uint8_t attributes, QWidget* parent = nullptr);

    std::uint8_t attributes() const;

private:
    std::uint8_t unitType_;
    std::uint8_t oldAttributes_;
    std::array<QCheckBox*, 4> objects_{};
    QButtonGroup* keyKinds_ = nullptr;
};

} // namespace qtr::access
