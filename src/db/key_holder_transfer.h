#pragma once

#include "base/file_result.h"
#include "db/key_holder_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A transfer file read and checked as a whole; reading it changes nothing.
struct KeyHolderTransferFile {
    std::vector<KeyHolderRecord> holders; // its usable lines, in file order
    int skipped = 0;                      // lines of another form (length, no "#")
};

// Reads and checks the whole file. Fails, naming the file, when it cannot be read, when
// a line of the right form has key columns that are not 14 hex digits (the line is
// named), and when not one line is usable (a file saved in another encoding, say):
// an import must then change nothing.
FileResult readKeyHolderTransferFile(const std::filesystem::path& file, KeyHolderTransferFile& out);
// The same on bytes already read; the texts do not name a file.
FileResult parseKeyHolderTransferText(std::string_view bytes, KeyHolderTransferFile& out);

struct KeyHolderImport {
    int added = 0;
    int skipped = 0; // lines of another form, and lines past the table's capacity
};

// Appends the holders of a checked file, the table emptied first with `replace`, up to
// the table's capacity. No check for duplicate keys is made.
KeyHolderImport importKeyHolders(KeyHolderTable& table, const KeyHolderTransferFile& file,
                                 bool replace);

// What the operator is told at the end: "Načteno N záznamů, přeskočeno M řádků".
std::string keyHolderImportReport(const KeyHolderImport& import);

// Before a replacing import: a copy of the register file as it is (NAME.bak, see
// keepBackupCopy) when the file exists.
FileResult keepRegisterBeforeReplace(const std::filesystem::path& registerFile);

} // namespace qtr
