#pragma once

#include "base/file_result.h"
#include "comm/right_record.h"
#include "db/configuration_database.h"
#include "unitproc/procedure_sink.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The compiled access rights of all key holders, one record per key, unit and time window.
inline constexpr const char* kRightsFile = "ZMRTSW.DAT";

struct CompiledRights {
    // False when there was no key holder or no unit: nothing was compiled.
    bool compiled = false;
    std::vector<RightRecord> rights;
    // The findings of the check, in the order they were met.
    std::vector<std::string> findings;
};

// The rights of every key holder in key holder table order. Attendance units get no
// rights here (the full configuration gives them every key). With `report` the findings
// are collected (and added to `log` when one is given); the progress runs over the key
// holders.
CompiledRights compileRights(const ConfigurationDatabase& db, bool report,
                             ProcedureSink* log = nullptr);

// ZpracovatOpravneni: the rights of one key holder, appended to `rights`; returns whether
// the holder's permission group was complete (false: a finding ended it).
bool ZpracovatOpravneni(const ConfigurationDatabase& db, const KeyHolderRecord& holder, bool report,
                        std::vector<RightRecord>& rights, std::vector<std::string>& findings);

// CreateRights: compiles and rewrites ZMRTSW.DAT in `dir` as a whole. With no key holder
// or no unit nothing is compiled and the file keeps its previous content.
FileResult CreateRights(const ConfigurationDatabase& db, const std::filesystem::path& dir,
                        bool report, ProcedureSink* log, CompiledRights& out);

// The records of a rights file in file order.
FileResult readRightsFile(const std::filesystem::path& file, std::vector<RightRecord>& rights);

// "OPRÁVNĚNÍ" log text of a right: key, from, to, day mask, unit address, object mask.
std::string rightDescription(const RightRecord& right);

} // namespace qtr
