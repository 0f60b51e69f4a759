#include "app/data_directory.h"

#include "app/master_key_change.h"
#include "base/file_io.h"

namespace qtr {

std::vector<std::string> openDataDirectory(const std::filesystem::path& dir) {
    std::vector<std::string> notes = finishPendingKeyChange(dir);
    // After the key change: its files are settled by name, not swept away.
    const auto removed = removeStaleTemporaryFiles(dir);
    if (!removed.empty()) {
        std::string text = "Odstraněny dočasné soubory přerušeného ukládání:";
        for (const auto& name : removed) {
            text += " " + name;
        }
        notes.push_back(text);
    }
    return notes;
}

} // namespace qtr
