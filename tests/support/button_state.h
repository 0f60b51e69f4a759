#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <string>

namespace qtr::test {

// The enabled ones among a window's buttons, as their objectNames in the order
// asked, joined by blanks: a window's whole button state in one line per mode.
inline std::string enabledButtons(const QWidget& window, std::initializer_list<const char*> names) {
    std::string s;
    for (const char* name : names) {
        const auto* b = window.findChild<QAbstractButton*>(name);
        if (b == nullptr) {
            s += std::string(s.empty() ? "" : " ") + "?" + name;
        } else if (b->isEnabled()) {
            s += std::string(s.empty() ? "" : " ") + name;
        }
    }
    return s;
}

} // namespace qtr::test
