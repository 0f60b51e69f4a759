#include "cli/cli_output.h"

#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"

#include <ostream>

namespace qtr::cli {

int emitLines(CliContext& ctx, const std::vector<std::string>& lines) {
    if (ctx.outFile) {
        if (FileResult r = writeFileAtomically(*ctx.outFile, win1250TextFromLines(lines)); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
        return kExitOk;
    }
    for (const auto& line : lines) {
        *ctx.out << line << "\n";
    }
    return kExitOk;
}

std::string padRight(std::string_view utf8, std::size_t width) {
    std::string s(utf8);
    const std::size_t n = utf8Length(utf8);
    return n < width ? s.append(width - n, ' ') : s;
}

std::string padLeft(std::string_view utf8, std::size_t width) {
    const std::size_t n = utf8Length(utf8);
    return n < width ? std::string(width - n, ' ').append(utf8) : std::string(utf8);
}

} // namespace qtr::cli
