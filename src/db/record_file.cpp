#include "db/record_file.h"

#include "base/file_io.h"

#include <optional>
#include <string>

namespace qtr {
namespace fs = std::filesystem;

namespace {

// `taken`: records loaded before the fault; nothing when the file could not be read.
RecordFileRead withBackup(const fs::path& path, std::string message,
                          std::optional<std::size_t> taken) {
    if (taken) {
        message += " Načteno záznamů: " + std::to_string(*taken) + ".";
    }
    fs::path kept;
    RecordFileRead read;
    if (auto r = keepBackupCopy(path, kept); r) {
        message += " Původní soubor je uschován jako " + kept.filename().string() + ".";
    } else {
        message += taken ? " Zálohu původního souboru se nepodařilo vytvořit (" + r.error() +
                               "), proto ho program nepřepíše."
                         : " Program ho nepřepíše, dokud ho nepůjde přečíst.";
        read.mustNotReplace = true;
    }
    read.result = FileResult::failure(message);
    return read;
}

} // namespace

RecordFileRead readRecordFile(const fs::path& path, std::size_t recordSize, std::size_t capacity,
                              const std::function<void(std::span<const std::uint8_t>)>& accept) {
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    // Never more than the table takes and one record beyond, whatever the file holds.
    if (auto r = readFilePrefix(path, (capacity + 1) * recordSize, bytes, size); !r) {
        // Unreadable now is not necessarily unreadable for the copy; try it.
        return withBackup(path, r.error(), std::nullopt);
    }
    const std::uint64_t whole = size / recordSize;
    const std::size_t taken = std::min<std::size_t>(bytes.size() / recordSize, capacity);
    const std::span<const std::uint8_t> all(bytes);
    for (std::size_t i = 0; i < taken; ++i) {
        accept(all.subspan(i * recordSize, recordSize));
    }
    const std::string name = path.filename().string();
    if (whole > capacity) {
        return withBackup(path,
                          "Soubor " + name + " obsahuje " + std::to_string(whole) +
                              " záznamů, tabulka jich pojme nejvýše " + std::to_string(capacity) +
                              ".",
                          taken);
    }
    if (size % recordSize != 0) {
        return withBackup(path,
                          "Soubor " + name + " je poškozen: jeho velikost " + std::to_string(size) +
                              " B není celistvým násobkem velikosti záznamu " +
                              std::to_string(recordSize) + " B.",
                          taken);
    }
    return {};
}

FileResult keepUnreadFile(const fs::path& path) {
    if (!isPresent(path)) {
        return FileResult::success();
    }
    fs::path kept;
    if (auto r = keepBackupCopy(path, kept); !r) {
        return FileResult::failure("Tabulka se do souboru " + path.filename().string() +
                                   " neuloží: soubor se nepodařilo načíst ani zazálohovat (" +
                                   r.error() + ") a jeho obsah by se ztratil.");
    }
    return FileResult::success();
}

FileResult writeRecordFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    return writeFileAtomically(path, bytes);
}

} // namespace qtr
