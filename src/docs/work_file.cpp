#include "docs/work_file.h"

#include "base/file_io.h"
#include "base/text_lines.h"

namespace qtr {

std::filesystem::path workFilePath(const std::filesystem::path& dir) {
    return dir / kWorkFileName;
}

FileResult writeWorkFile(const std::filesystem::path& dir, const std::vector<std::string>& lines) {
    return writeFileAtomically(workFilePath(dir), win1250TextFromLines(lines));
}

} // namespace qtr
