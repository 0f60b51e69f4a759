#pragma once

#include <stdexcept>
#include <string>

namespace qtr {

// Raised when the serial port cannot be opened; the text is shown to the operator.
class EChybaCOM : public std::runtime_error {
public:
    explicit EChybaCOM(const std::string& text, std::string detail = {})
        : std::runtime_error(text), detail_(std::move(detail)) {}
    // The system's own reason, for the log (may be empty).
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

inline constexpr const char* kComAlreadyOpenText = "COM již byl otevřen";
inline constexpr const char* kComOpenFailedText = "Chyba při otevírání COM";
inline constexpr const char* kComNotSerialText = "Handle nepřísluší COM";

} // namespace qtr
