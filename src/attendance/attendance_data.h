#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"
#include "attendance/row_definition.h"
#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The rounding steps of the first arrival (up) and the last departure (down) of a
// shift day, in whole minutes 1..59; held in memory only.
struct RoundingSteps {
    int firstArrivalStep = 1;
    int lastDepartureStep = 1;
};

// The attendance data the program holds for its whole run; the composition root owns
// one and lends it to the attendance windows.
struct AttendanceData {
    AttendanceCodeList codeList;
    AttendanceCodeRecord workingCode; // the code list editor's working record
    ReportRowDefinition rowDefinition;
    AttendanceCard card;  // the working card
    CardLine workingLine; // the card editor's working line
    RoundingSteps rounding;
};

// Each file is one record. A file that is missing is not an error of these routines;
// a file of the wrong size is reported by name and reason, its first whole record (if
// any) is used, and a copy of it is kept beside it before it can be written again.

// DRUHPRAC.DAT, or the default list when it does not exist; sorted by code either way.
FileResult loadCodeList(const std::filesystem::path& file, AttendanceCodeList& list);
FileResult saveCodeList(const std::filesystem::path& file, const AttendanceCodeList& list);
// DEFRADVY.DAT; when it does not exist the definition is empty and written at once.
FileResult loadRowDefinition(const std::filesystem::path& file, ReportRowDefinition& definition);
FileResult saveRowDefinition(const std::filesystem::path& file,
                             const ReportRowDefinition& definition);
// One card image: KARTA.DAT, or a *.SAV copy the operator chose.
FileResult readCardFile(const std::filesystem::path& file, AttendanceCard& card);
FileResult writeCardFile(const std::filesystem::path& file, const AttendanceCard& card);

// Program start: the code list, the row definition, then the working card (KARTA.DAT,
// or a cleared card with the morning shift and nothing filled when it does not exist);
// rounding steps 1. Returns the Czech texts of the file errors met; one bad file does
// not keep the others from loading.
std::vector<std::string> loadAttendanceData(AttendanceData& data, const std::filesystem::path& dir);
// Program end: DRUHPRAC.DAT, DEFRADVY.DAT and KARTA.DAT, in this order.
std::vector<std::string> saveAttendanceData(const AttendanceData& data,
                                            const std::filesystem::path& dir);

} // namespace qtr
