#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// The device behind each of COM1..COM4. Every program resolves them the same way:
// a "--comN DEVICE" option, else the environment variable QTR_COMN, else the default
// (/dev/ttyS0../dev/ttyS3 on Linux, COM1..COM4 on Windows).
struct PortNames {
    std::array<std::string, 4> devices;

    // The device of port index 0..3; empty for another index.
    std::string device(int portIndex) const;
};

PortNames defaultPortNames();

// `optionDevices[i]` non-empty overrides port i; `environment` returns the value of a
// variable or nullptr (std::getenv in the programs).
PortNames resolvePortNames(const std::vector<std::string>& optionDevices,
                           const std::function<const char*(const char*)>& environment);

// Takes every "--com1".."--com4" DEVICE pair out of the argument list (program name at
// index 0 stays) and returns the devices by port index (empty where none was given).
// A "--comN" without a device is left in place for the program to refuse.
std::vector<std::string> takeComOptions(std::vector<std::string>& args);

// "--com2" gives 2, anything else 0.
int comOptionNumber(std::string_view arg);

} // namespace qtr
