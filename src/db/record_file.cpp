#include "db/record_file.h"

#include "base/file_io.h"

#include <string>

namespace qtr {
namespace fs = std::filesystem;

namespace {

FileResult withBackup(const fs::path& path, std::string message, std::size_t taken) {
    message += " Načteno záznamů: " + std::to_string(taken) + ".";
    fs::path kept;
    if (auto r = keepBackupCopy(path, kept); r) {
        message += " Původní soubor je uschován jako " + kept.filename().string() + ".";
    } else {
        message += " Zálohu původního souboru se nepodařilo vytvořit (" + r.error() + ").";
    }
    return FileResult::failure(message);
}

} // namespace

FileResult readRecordFile(const fs::path& path, std::size_t recordSize, std::size_t capacity,
                          const std::function<void(std::span<const std::uint8_t>)>& accept) {
    std::vector<std::uint8_t> bytes;
    if (auto r = readWholeFile(path, bytes); !r) {
        return r;
    }
    const std::size_t whole = bytes.size() / recordSize;
    const std::size_t taken = std::min(whole, capacity);
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
    if (bytes.size() % recordSize != 0) {
        return withBackup(path,
                          "Soubor " + name + " je poškozen: jeho velikost " +
                              std::to_string(bytes.size()) +
                              " B není celistvým násobkem velikosti záznamu " +
                              std::to_string(recordSize) + " B.",
                          taken);
    }
    return FileResult::success();
}

FileResult writeRecordFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    return writeFileAtomically(path, bytes);
}

} // namespace qtr
