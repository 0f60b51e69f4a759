#pragma once

#include "base/file_result.h"
#include "db/key_holder_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qtr {

class KeyHolderTable;

// The key holder exchange file: one line per holder, 131 Windows-1250 characters
// in fixed columns, ended by CR LF:
//   1-14 key, 15-44 name, 45-61 group, 62-78 permission group, 79-95 roster,
//   96 kind code, 97-113 extra text 1, 114-130 extra text 2, 131 "#".
inline constexpr std::size_t kTransferLineLength = 131;
inline constexpr const char* kTransferDefaultName = "klice";

// One holder as its line (Windows-1250 bytes, without the line end).
std::string keyHolderTransferLine(const KeyHolderRecord& holder);

// What a line carries, on top of a new record; nothing for a line that is not
// exactly 131 characters long with "#" at its end (such lines are skipped).
std::optional<KeyHolderRecord> parseKeyHolderTransferLine(std::string_view win1250Line);

// The whole file: every holder in table order, CR LF after each line.
std::string keyHolderTransferText(const KeyHolderTable& table);
FileResult exportKeyHolders(const KeyHolderTable& table, const std::filesystem::path& file);

struct KeyHolderImport {
    FileResult result = FileResult::success();
    int added = 0;
    int skipped = 0;    // lines of another form, and lines past the table's capacity
    int failedLine = 0; // 1-based line that stopped the import, 0 when none did
};

// Reads the file and appends its holders. With `replace` the table is emptied
// first, but only once the file has been read, so an unreadable file costs
// nothing. A line of the right form whose key columns are not 14 hex digits
// stops the import there: the holders added before it stay, and the result
// names the line. No check for duplicate keys is made.
KeyHolderImport importKeyHolders(KeyHolderTable& table, const std::filesystem::path& file,
                                 bool replace);
// The same on bytes already read (the file's contents).
KeyHolderImport importKeyHolderText(KeyHolderTable& table, std::string_view bytes, bool replace);

} // namespace qtr
