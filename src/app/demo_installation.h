#pragma once

#include "app/random_source.h"
#include "base/key_number.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The sample installation of demo mode. It is written into an empty directory
// only; a directory that holds anything is used as it is.
inline constexpr const char* kDemoUserName = "demo";
inline constexpr const char* kDemoPassword = "demo1234";
inline constexpr const char* kDemoMasterKeyText = "01000000DE0001";
// The key reader at the PC, not one of the installation's units.
inline constexpr std::uint8_t kDemoReaderAddress = 0x00;

KeyNumber demoMasterKey();

// True when the directory does not exist or holds nothing.
bool isEmptyDirectory(const std::filesystem::path& dir);

// Writes units, zones, key holders, groups, schedules, permission groups, the
// account file with the demo operator, the installation keys and text.PRG.
// Returns the Czech texts of what failed.
std::vector<std::string> createDemoInstallation(const std::filesystem::path& dir,
                                                RandomSource& random);

} // namespace qtr
