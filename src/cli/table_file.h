#pragma once

#include "cli/cli_context.h"

#include <filesystem>
#include <ostream>

namespace qtr::cli {

// Loads `table` from `file` of the data directory when the file exists (a missing file is
// an empty table). False, with the reason on standard error, when the file exists but
// cannot be loaded: nothing may then be decided on the table or written over the file.
template <typename Table> bool loadTableIfPresent(CliContext& ctx, Table& table, const char* file) {
    const std::filesystem::path path = ctx.dir / file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return true;
    }
    if (const auto r = table.load(path); !r) {
        *ctx.err << r.error() << "\n";
        return false;
    }
    return true;
}

} // namespace qtr::cli
