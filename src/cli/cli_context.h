#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qtr::cli {

// Exit statuses of qtr-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What every command gets: the data directory, its own arguments and the streams.
struct CliContext {
    std::filesystem::path dir = ".";
    std::vector<std::string> args; // the command's arguments, after its name
    std::optional<std::filesystem::path> outFile;
    std::optional<std::filesystem::path> pdfFile; // --pdf: the report as printed, in a PDF
    bool reportEmitted = false; // set by emitLines; --pdf needs a command that writes a report
    std::vector<std::string> comDevices; // "--comN DEVICE" as given, N = index + 1; empty = default
    bool simulatedBus = false;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

} // namespace qtr::cli
