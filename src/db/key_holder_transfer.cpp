#include "db/key_holder_transfer.h"

#include "base/file_io.h"
#include "base/hex_text.h"
#include "base/text_lines.h"
#include "db/tables.h"

#include <vector>

namespace qtr {
namespace {

struct Column {
    std::size_t start; // 0-based
    std::size_t width;
};

constexpr Column kKeyColumn{0, 14};
constexpr Column kNameColumn{14, 30};
constexpr Column kGroupColumn{44, 17};
constexpr Column kPermissionColumn{61, 17};
constexpr Column kRosterColumn{78, 17};
constexpr std::size_t kKindColumn = 95;
constexpr Column kExtra1Column{96, 17};
constexpr Column kExtra2Column{113, 17};
constexpr std::size_t kMarkColumn = 130;

template <std::size_t N> void putPadded(std::string& line, const ShortString<N>& text) {
    static_assert(N <= 30);
    line += text.win1250();
    line.append(N - text.length(), ' ');
}

std::string_view columnOf(std::string_view line, Column c) {
    return line.substr(c.start, c.width);
}

template <std::size_t N> ShortString<N> textOf(std::string_view line, Column c) {
    std::string_view t = columnOf(line, c);
    const auto end = t.find_last_not_of(' ');
    t = end == std::string_view::npos ? std::string_view{} : t.substr(0, end + 1);
    ShortString<N> s;
    s.setWin1250(t);
    return s;
}

} // namespace

std::string keyHolderTransferLine(const KeyHolderRecord& h) {
    std::string line;
    line.reserve(kTransferLineLength);
    line += h.keyNumber.text();
    putPadded(line, h.holderName);
    putPadded(line, h.groupName);
    putPadded(line, h.permissionGroupName);
    putPadded(line, h.rosterName);
    line += static_cast<char>(h.kindCode);
    putPadded(line, h.extraText1);
    putPadded(line, h.extraText2);
    line += '#';
    return line;
}

std::optional<KeyHolderRecord> parseKeyHolderTransferLine(std::string_view line) {
    if (line.size() != kTransferLineLength || line[kMarkColumn] != '#') {
        return std::nullopt;
    }
    KeyHolderRecord h = KeyHolderRecord::newRecord();
    h.keyNumber = KeyNumber::parse(columnOf(line, kKeyColumn));
    h.holderName = textOf<30>(line, kNameColumn);
    h.groupName = textOf<17>(line, kGroupColumn);
    h.permissionGroupName = textOf<17>(line, kPermissionColumn);
    h.rosterName = textOf<17>(line, kRosterColumn);
    h.kindCode = static_cast<std::uint8_t>(line[kKindColumn]);
    h.extraText1 = textOf<17>(line, kExtra1Column);
    h.extraText2 = textOf<17>(line, kExtra2Column);
    return h;
}

std::string keyHolderTransferText(const KeyHolderTable& table) {
    std::string text;
    text.reserve(static_cast<std::size_t>(table.count()) * (kTransferLineLength + 2));
    for (const auto& h : table.records()) {
        text += keyHolderTransferLine(h);
        text += "\r\n";
    }
    return text;
}

FileResult exportKeyHolders(const KeyHolderTable& table, const std::filesystem::path& file) {
    return writeFileAtomically(file, keyHolderTransferText(table));
}

FileResult parseKeyHolderTransferText(std::string_view bytes, KeyHolderTransferFile& out) {
    out = {};
    const std::vector<std::string> lines = splitWin1250Lines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto holder = parseKeyHolderTransferLine(lines[i]);
        if (!holder) {
            ++out.skipped;
            continue;
        }
        if (!isWellFormedKeyText(columnOf(lines[i], kKeyColumn))) {
            out = {};
            return FileResult::failure("řádek " + std::to_string(i + 1) +
                                       ": v prvních 14 znacích není číslo klíče (14 "
                                       "šestnáctkových číslic). Nic nebylo načteno.");
        }
        out.holders.push_back(*holder);
    }
    if (out.holders.empty()) {
        const int skipped = out.skipped;
        out = {};
        return FileResult::failure(
            "není v něm žádný řádek exportního souboru (131 znaků v kódování Windows-1250, na "
            "konci #); přeskočeno řádků: " +
            std::to_string(skipped) + ". Nic nebylo načteno.");
    }
    return FileResult::success();
}

FileResult readKeyHolderTransferFile(const std::filesystem::path& file,
                                     KeyHolderTransferFile& out) {
    out = {};
    std::vector<std::uint8_t> bytes;
    if (FileResult r = readWholeFile(file, bytes); !r) {
        return r;
    }
    const FileResult r = parseKeyHolderTransferText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out);
    return r ? r : FileResult::failure("Soubor " + file.string() + ": " + r.error());
}

KeyHolderImport importKeyHolders(KeyHolderTable& table, const KeyHolderTransferFile& file,
                                 bool replace) {
    KeyHolderImport outcome;
    outcome.skipped = file.skipped;
    if (replace) {
        table.clear();
    }
    KeyHolderRecord& current = table.current();
    const KeyHolderRecord kept = current;
    for (const KeyHolderRecord& h : file.holders) {
        current = h;
        if (table.append()) {
            ++outcome.added;
        } else {
            ++outcome.skipped;
        }
    }
    current = kept;
    return outcome;
}

std::string keyHolderImportReport(const KeyHolderImport& import) {
    return "Načteno " + std::to_string(import.added) + " záznamů, přeskočeno " +
           std::to_string(import.skipped) + " řádků";
}

FileResult keepRegisterBeforeReplace(const std::filesystem::path& registerFile) {
    std::error_code ec;
    if (!std::filesystem::exists(registerFile, ec)) {
        return FileResult::success();
    }
    std::filesystem::path kept;
    return keepBackupCopy(registerFile, kept);
}

} // namespace qtr
