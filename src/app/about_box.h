#pragma once

#include "app/system_memory.h"

#include <QDialog>
#include <optional>

namespace qtr {

// TQTRABOUT: what the program is for, and the machine's memory.
class TQTRABOUT : public QDialog {
    Q_OBJECT

public:
    explicit TQTRABOUT(const std::optional<MemoryFigures>& memory, QWidget* parent = nullptr);
};

// "16 318 004 KB" and "37 %", or "?" when the system did not tell.
QString availableMemoryText(const std::optional<MemoryFigures>& memory);
QString memoryLoadText(const std::optional<MemoryFigures>& memory);

} // namespace qtr
