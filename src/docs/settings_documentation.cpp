#include "docs/settings_documentation.h"

#include "access/permission_entries.h"
#include "access/schedule_editing.h"
#include "access/segment_text.h"
#include "base/hex_text.h"
#include "db/configuration_database.h"
#include "docs/report_text.h"

#include <array>
#include <cstdio>

namespace qtr {
namespace {

const std::string kRule(68, '-');

void reportDone(const ReportProgress& progress, int done) {
    if (progress) {
        progress(done);
    }
}

// ", AKTIVNÍ" or ", PASÍVNÍ" for an attendance unit; ", VNITŘNÍ" for a unit of the
// other known types that serves internal objects only.
std::string usageText(const ControlUnitRecord& unit) {
    switch (unit.unitType) {
    case kUnitAttendance:
        return unit.usage != 0 ? ", AKTIVNÍ" : ", PASÍVNÍ";
    case kUnitAccess:
    case kUnitDoor:
    case kUnitBarrier:
        return unit.usage == 0 ? ", VNITŘNÍ" : "";
    default:
        return "";
    }
}

void addSegments(std::vector<std::string>& lines, const AccessScheduleRecord& schedule) {
    for (int s = 0; s < usedSegments(schedule); ++s) {
        lines.push_back("     " + segmentText(schedule.segments[static_cast<std::size_t>(s)]));
    }
}

void addRightsBlock(std::vector<std::string>& lines, const ConfigurationDatabase& db,
                    const KeyHolderRecord& holder, bool detail) {
    const std::string rights = "PŘÍSTUPOVÁ PRÁVA: ";
    const std::string groupName = holder.permissionGroupName.text();
    if (groupName.empty()) {
        lines.push_back(rights + "nemá definována");
        return;
    }
    const int position = db.permissionGroups.findByName(groupName);
    if (position == 0) {
        lines.push_back(rights + "neplatné oprávnění >" + groupName + "<");
        return;
    }
    lines.push_back(rights + groupName);
    if (!detail) {
        return;
    }
    const PermissionGroupRecord& group = db.permissionGroups.at(position);
    const std::string inGroup = "  " + groupName + ", ";
    for (int k = 0; k < usedEntries(group); ++k) {
        const PermissionEntry& entry = group.entries[static_cast<std::size_t>(k)];
        const std::string address = hexByteText(entry.unitAddress);
        const int unitPosition = db.units.findByAddress(entry.unitAddress);
        if (unitPosition == 0) {
            lines.push_back(inGroup + address + " neznámá jednotka!");
            return;
        }
        const std::string scheduleName = entry.scheduleName.text();
        const int schedulePosition = db.schedules.findByName(scheduleName);
        if (schedulePosition == 0) {
            lines.push_back(inGroup + address + " neplatný časový rozvrh >" + scheduleName + "<");
            return;
        }
        const ControlUnitRecord& unit = db.units.at(unitPosition);
        const AccessScheduleRecord& schedule = db.schedules.at(schedulePosition);
        lines.push_back("  " + address + " " + unit.unitName.text());
        // An access unit's entry covers all its doors: its windows go under the unit.
        if (unit.unitType == kUnitAccess) {
            addSegments(lines, schedule);
            continue;
        }
        // A barrier unit's bits 2-3 are the key kind, not barriers 2 and 3.
        const std::uint8_t objects =
            entry.entryAttributes & (unit.unitType == kUnitBarrier ? 0x03 : 0x0F);
        for (std::size_t bit = 0; bit < 4; ++bit) {
            if ((objects & (1u << bit)) != 0) {
                lines.push_back("   " + unit.inputNames[bit].text() + " ");
                addSegments(lines, schedule);
            }
        }
    }
}

} // namespace

std::vector<std::string> unitDescriptionLines(const ControlUnitTable& units,
                                              const ReportProgress& progress) {
    static constexpr std::array<const char*, ControlUnitRecord::kResultTexts> kLabels = {
        "   povolení:   ", "   nepovolení: ", "   nevyužití:  ", "   neuzavření: "};
    std::vector<std::string> lines = {units.count() == 1 ? "POPIS JEDNOTKY" : "POPIS JEDNOTEK", ""};
    for (int i = 1; i <= units.count(); ++i) {
        const ControlUnitRecord& unit = units.at(i);
        lines.push_back("* Jednotka: " + hexByteText(unit.address) + ", " + unit.unitName.text());
        lines.push_back("Typ: " + std::string(unitTypeName(unit.unitType)) + usageText(unit));
        lines.push_back("Pomocné objekty - nejsou");
        lines.push_back("Texty hlášení události vstupu:");
        for (std::size_t t = 0; t < kLabels.size(); ++t) {
            lines.push_back(kLabels[t] + unit.resultTexts[t].text());
        }
        lines.push_back("");
        reportDone(progress, i);
    }
    lines.push_back("-----");
    return lines;
}

std::vector<std::string> keyListLines(const KeyHolderTable& keyHolders,
                                      const ReportProgress& progress) {
    std::vector<std::string> lines = {"SEZNAM IDENTIFIKAČNÍCH KLÍČŮ", "", kRule,
                                      "čís. klíč           jméno                          skupina",
                                      kRule};
    for (int i = 1; i <= keyHolders.count(); ++i) {
        const KeyHolderRecord& holder = keyHolders.at(i);
        char number[16];
        std::snprintf(number, sizeof number, "%4.4d", i);
        lines.push_back(std::string(number) + " " + holder.keyNumber.text() + " " +
                        padRight(holder.holderName.text(), 30) + " " +
                        padRight(holder.groupName.text(), 17));
        reportDone(progress, i);
    }
    lines.push_back(kRule);
    lines.push_back("");
    return lines;
}

std::vector<std::string> rightsOverviewLines(const ConfigurationDatabase& db, bool detail,
                                             const ReportProgress& progress) {
    std::vector<std::string> lines = {"PŘEHLED NASTAVENÍ", ""};
    for (int i = 1; i <= db.keyHolders.count(); ++i) {
        const KeyHolderRecord& holder = db.keyHolders.at(i);
        std::string heading = "*" + holder.keyNumber.text() + ", " + holder.holderName.text();
        if (!holder.groupName.empty()) {
            heading += ", " + holder.groupName.text();
        }
        lines.push_back(std::move(heading));
        addRightsBlock(lines, db, holder, detail);
        lines.push_back(" ");
        reportDone(progress, i);
    }
    lines.push_back("-----");
    return lines;
}

} // namespace qtr
