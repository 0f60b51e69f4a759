#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qtr::ui {

// The core libraries speak UTF-8 std::string; the windows speak QString.
inline QString toQ(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string fromQ(const QString& s) {
    return s.toStdString();
}

} // namespace qtr::ui
