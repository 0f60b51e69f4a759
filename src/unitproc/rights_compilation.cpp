#include "unitproc/rights_compilation.h"

#include "access/permission_entries.h"
#include "access/schedule_editing.h"
#include "base/file_io.h"
#include "base/hex_text.h"

#include <string_view>
#include <unordered_map>

namespace qtr {
namespace {

// Name lookups built once per compilation: with a thousand holders the tables' own
// linear searches by name would dominate.
class NameIndex {
public:
    template <typename Table, typename NameOf> NameIndex(const Table& table, NameOf nameOf) {
        for (int i = table.count(); i >= 1; --i) {
            index_[std::string(nameOf(table.at(i)).win1250())] = i; // the first one wins
        }
    }
    int find(std::string_view win1250Name) const {
        const auto it = index_.find(std::string(win1250Name));
        return it == index_.end() ? 0 : it->second;
    }

private:
    std::unordered_map<std::string, int> index_;
};

struct Lookups {
    explicit Lookups(const ConfigurationDatabase& db)
        : permissionGroups(
              db.permissionGroups,
              [](const PermissionGroupRecord& r) -> const auto& { return r.name; }),
          schedules(
              db.schedules,
              [](const AccessScheduleRecord& r) -> const auto& { return r.scheduleName; }) {}
    NameIndex permissionGroups;
    NameIndex schedules;
};

bool processHolder(const ConfigurationDatabase& db, const Lookups& names,
                   const KeyHolderRecord& holder, bool report, std::vector<RightRecord>& rights,
                   std::vector<std::string>& findings) {
    const auto find = [&](std::string text) {
        if (report) {
            findings.push_back(std::move(text));
        }
        return false;
    };
    const std::string holderName = holder.holderName.text();
    if (holder.permissionGroupName.empty()) {
        return find(holderName + " - nemá žádné oprávnění");
    }
    const int groupPos = names.permissionGroups.find(holder.permissionGroupName.win1250());
    if (groupPos == 0) {
        return find(holderName + " - neplatné oprávnění " + " >" +
                    holder.permissionGroupName.text() + "<");
    }
    const PermissionGroupRecord& group = db.permissionGroups.at(groupPos);
    const std::string g = "  " + holder.permissionGroupName.text() + ", ";
    for (int e = 0; e < usedEntries(group); ++e) {
        const PermissionEntry& entry = group.entries[static_cast<std::size_t>(e)];
        const std::string address = hexByteText(entry.unitAddress);
        const int unitPos = db.units.findByAddress(entry.unitAddress);
        if (unitPos == 0) {
            return find(g + address + " neznámá jednotka!");
        }
        const ControlUnitRecord& unit = db.units.at(unitPos);
        if (unit.unitType == kUnitAttendance) {
            return find("Docházková jednotka " + address + " " + unit.unitName.text() +
                        " mezi oprávněními!");
        }
        const int schedulePos = names.schedules.find(entry.scheduleName.win1250());
        if (schedulePos == 0) {
            return find(g + address + " neplatný časový rozvrh >" + entry.scheduleName.text() +
                        "<");
        }
        const AccessScheduleRecord& schedule = db.schedules.at(schedulePos);
        for (int s = 0; s < usedSegments(schedule); ++s) {
            const TimeSegment& segment = schedule.segments[static_cast<std::size_t>(s)];
            RightRecord r;
            r.keyNumber = holder.keyNumber;
            r.fromTime = segment.from;
            r.toTime = segment.to;
            r.dayMask = segment.dayMask;
            r.unitAddress = entry.unitAddress;
            r.objectMask = entry.entryAttributes;
            rights.push_back(r);
        }
    }
    return true;
}

} // namespace

bool ZpracovatOpravneni(const ConfigurationDatabase& db, const KeyHolderRecord& holder, bool report,
                        std::vector<RightRecord>& rights, std::vector<std::string>& findings) {
    return processHolder(db, Lookups(db), holder, report, rights, findings);
}

CompiledRights compileRights(const ConfigurationDatabase& db, bool report, ProcedureSink* log) {
    CompiledRights out;
    const int holders = db.keyHolders.count();
    if (holders == 0 || db.units.count() == 0) {
        return out;
    }
    out.compiled = true;
    const bool accessUnits = db.units.countByType(kUnitAttendance) < db.units.count();
    const Lookups names(db);
    if (log != nullptr) {
        log->setProgressMaximum(holders);
    }
    for (int i = 1; i <= holders; ++i) {
        if (log != nullptr) {
            log->setProgress(i);
        }
        if (accessUnits) {
            const std::size_t before = out.findings.size();
            processHolder(db, names, db.keyHolders.at(i), report, out.rights, out.findings);
            if (log != nullptr) {
                for (std::size_t f = before; f < out.findings.size(); ++f) {
                    log->addLine(out.findings[f]);
                }
            }
        }
    }
    return out;
}

FileResult CreateRights(const ConfigurationDatabase& db, const std::filesystem::path& dir,
                        bool report, ProcedureSink* log, CompiledRights& out) {
    out = compileRights(db, report, log);
    if (!out.compiled) {
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes(out.rights.size() * RightRecord::kSize);
    for (std::size_t i = 0; i < out.rights.size(); ++i) {
        out.rights[i].toBytes(std::span(bytes).subspan(i * RightRecord::kSize, RightRecord::kSize));
    }
    return writeFileAtomically(dir / kRightsFile, bytes);
}

FileResult readRightsFile(const std::filesystem::path& file, std::vector<RightRecord>& rights) {
    rights.clear();
    std::vector<std::uint8_t> bytes;
    if (FileResult r = readWholeFile(file, bytes); !r) {
        return r;
    }
    if (bytes.size() % RightRecord::kSize != 0) {
        return FileResult::failure("Soubor " + file.filename().string() +
                                   " nemá celý počet záznamů.");
    }
    for (std::size_t off = 0; off < bytes.size(); off += RightRecord::kSize) {
        rights.push_back(RightRecord::fromBytes(std::span(bytes).subspan(off, RightRecord::kSize)));
    }
    return FileResult::success();
}

std::string rightDescription(const RightRecord& r) {
    return r.keyNumber.text() + " " + hourMinuteText(r.fromTime) + " " + hourMinuteText(r.toTime) +
           " " + hexByteText(r.dayMask) + " " + hexByteText(r.unitAddress) + " " +
           hexByteText(r.objectMask);
}

} // namespace qtr
