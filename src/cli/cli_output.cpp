#include "cli/cli_output.h"

#include "base/file_io.h"
#include "base/text_lines.h"

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

} // namespace qtr::cli
