#pragma once

#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace qtr {

inline constexpr const char* kCommParametersFile = "QTR0000.DAT";

enum InterfaceMode : std::int32_t {
    kInterfaceRs485 = 0, // through the converter onto the bus
    kInterfaceRs232 = 1, // a direct line to one unit
};

// The communication parameters, one 12-byte record in QTR0000.DAT.
struct CommParameters {
    static constexpr std::size_t kSize = 12;

    std::int32_t interfaceMode = kInterfaceRs485;
    std::int32_t portIndex = 1; // 0..3 = COM1..COM4
    std::int32_t baudIndex = 1; // 0 = 2400 Bd, 1 = 9600 Bd

    static CommParameters fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const CommParameters&, const CommParameters&) = default;
};

// "COM2/0/9600".
std::string commDescription(const CommParameters& p);

// 2400 or 9600.
int baudRate(const CommParameters& p);

// The parameters a file's bytes hold, field by field: a field that is missing (a
// short file) or out of range (a mode but 0 and 1, a port but 0..3, a speed but 0
// and 1) keeps its default, and `problems` gets one Czech sentence for it and one
// for a file that is not exactly one record long.
CommParameters decodeCommParameters(std::span<const std::uint8_t> bytes, std::uint64_t fileSize,
                                    std::vector<std::string>& problems);

// The record of the file; a missing file leaves the defaults. A file of another size
// or with a bad field is reported, kept as QTR0000.DAT.bak (so that the rewrite at
// the end cannot destroy it), and the good fields are used over the defaults.
FileResult loadCommParameters(const std::filesystem::path& dir, CommParameters& out);
FileResult saveCommParameters(const std::filesystem::path& dir, const CommParameters& p);

} // namespace qtr
