#pragma once

namespace qtr {

// The configuration files in the working directory.
inline constexpr const char* kUnitsFile = "QTR0001.DAT";
inline constexpr const char* kKeyHoldersFile = "QTR0002.DAT";
inline constexpr const char* kZonesFile = "QTR0003.DAT";
inline constexpr const char* kGroupsFile = "QTR0004.DAT";
inline constexpr const char* kSchedulesFile = "QTR0007.DAT";
inline constexpr const char* kPermissionGroupsFile = "QTR0008.DAT";

} // namespace qtr
