#pragma once

#include "attendance/attendance_card.h"
#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// KARTY.DAT, the card register: one AttendanceCard image of 15343 bytes per key
// holder, no header, never a record deleted.
//
// Every operation reads the file afresh and every change replaces it through the
// atomic writer, so a card saved by another program in the meantime (qtr-cli from
// cron beside the window) is neither lost nor overwritten with a stale copy, and a
// crash never leaves a torn record. A partial record at the end of the file is
// reported when the register is opened and left out of every later write, after a
// copy of the file was kept beside it.
class CardRegister {
public:
    // Opens the register, creating an empty file when there is none. A file that
    // cannot be read leaves the register closed; a damaged one (size no whole number
    // of records) opens with its whole records and the failure names the fault.
    FileResult open(const std::filesystem::path& file);
    bool isOpen() const { return open_; }

    // Looks for the first record with the key; true when there is one, and that
    // record is then in found(). A file error gives false and fileError() says why.
    bool find(const KeyNumber& key);
    const AttendanceCard& found() const { return buffer_; }
    // The Czech text of the last file error of find(), empty when it read the file.
    const std::string& fileError() const { return fileError_; }

    // Adds the card as a new record at the end.
    FileResult append(const AttendanceCard& card);
    // Writes the card over the record the last successful find() found; fails
    // when no find succeeded since the register was opened or the record is gone.
    FileResult update(const AttendanceCard& card);
    // Saving the working card ("Uložit do registru"): a card without key is not
    // saved; a card whose key the register holds replaces that record, any other
    // card is appended.
    FileResult save(const AttendanceCard& card);

    // Every card in file order (the register list).
    FileResult readAll(std::vector<AttendanceCard>& cards);

private:
    // The whole records of the file.
    FileResult readRecords(std::vector<std::uint8_t>& bytes);
    FileResult write(const std::vector<std::uint8_t>& bytes);

    std::filesystem::path path_;
    bool open_ = false;
    AttendanceCard buffer_;
    KeyNumber foundKey_;
    bool hasFound_ = false;
    std::string fileError_;
};

} // namespace qtr
