#include "attendance/attendance_data.h"

#include "attendance/attendance_files.h"
#include "base/file_io.h"
#include "db/record_file.h"

#include <system_error>

namespace qtr {
namespace fs = std::filesystem;

namespace {

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

// Reads the one record of a file into `value`; false in `taken` when the file held no
// whole record. A count field above its capacity is a damaged file as well.
template <typename T, typename CountCheck>
FileResult readOneRecord(const fs::path& file, T& value, bool& taken, CountCheck countTooHigh) {
    taken = false;
    bool countDamaged = false;
    const auto take = [&](std::span<const std::uint8_t> bytes) {
        countDamaged = countTooHigh(bytes);
        value = T::fromBytes(bytes);
        taken = true;
    };
    FileResult r = readRecordFile(file, T::kSize, 1, take).result;
    if (r && countDamaged) {
        return FileResult::failure("Soubor " + file.filename().string() +
                                   " je poškozen: udává více položek, než záznam pojme. " +
                                   keepBackupCopyNote(file));
    }
    return r;
}

template <typename T> FileResult writeOneRecord(const fs::path& file, const T& value) {
    std::vector<std::uint8_t> bytes(T::kSize);
    value.toBytes(bytes);
    return writeRecordFile(file, bytes);
}

void note(std::vector<std::string>& errors, const FileResult& r) {
    if (!r) {
        errors.push_back(r.error());
    }
}

} // namespace

FileResult loadCodeList(const fs::path& file, AttendanceCodeList& list) {
    FileResult r = FileResult::success();
    bool taken = false;
    if (fileExists(file)) {
        r = readOneRecord(file, list, taken, [](std::span<const std::uint8_t> b) {
            return b[0] > AttendanceCodeList::kCapacity;
        });
    }
    if (!taken) {
        list = AttendanceCodeList::defaults();
    }
    list.sort();
    return r;
}

FileResult saveCodeList(const fs::path& file, const AttendanceCodeList& list) {
    return writeOneRecord(file, list);
}

FileResult loadRowDefinition(const fs::path& file, ReportRowDefinition& definition) {
    if (!fileExists(file)) {
        definition = ReportRowDefinition{};
        return saveRowDefinition(file, definition);
    }
    bool taken = false;
    FileResult r = readOneRecord(file, definition, taken, [](std::span<const std::uint8_t> b) {
        return b[0] > ReportRowDefinition::kCapacity;
    });
    if (!taken) {
        definition = ReportRowDefinition{};
    }
    return r;
}

FileResult saveRowDefinition(const fs::path& file, const ReportRowDefinition& definition) {
    return writeOneRecord(file, definition);
}

FileResult readCardFile(const fs::path& file, AttendanceCard& card) {
    bool taken = false;
    AttendanceCard read;
    FileResult r = readOneRecord(file, read, taken, [](std::span<const std::uint8_t> b) {
        return storedLineCount(b) > AttendanceCard::kLineCapacity;
    });
    if (taken) {
        card = read;
    }
    return r;
}

FileResult writeCardFile(const fs::path& file, const AttendanceCard& card) {
    return writeOneRecord(file, card);
}

std::vector<std::string> loadAttendanceData(AttendanceData& data, const fs::path& dir) {
    std::vector<std::string> errors;
    note(errors, loadCodeList(dir / kCodeListFile, data.codeList));
    note(errors, loadRowDefinition(dir / kRowDefinitionFile, data.rowDefinition));
    const fs::path cardFile = dir / kWorkingCardFile;
    data.card = AttendanceCard{};
    data.card.applyPattern(ShiftPattern::Morning);
    data.card.clear();
    if (fileExists(cardFile)) {
        note(errors, readCardFile(cardFile, data.card));
    }
    data.rounding = RoundingSteps{};
    return errors;
}

std::vector<std::string> saveAttendanceData(const AttendanceData& data, const fs::path& dir) {
    std::vector<std::string> errors;
    note(errors, saveCodeList(dir / kCodeListFile, data.codeList));
    note(errors, saveRowDefinition(dir / kRowDefinitionFile, data.rowDefinition));
    note(errors, writeCardFile(dir / kWorkingCardFile, data.card));
    return errors;
}

} // namespace qtr
