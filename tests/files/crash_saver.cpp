// One save of the program, run as its own process so that the crash harness can
// kill it at any step: the saves that qtr-cli does not make (the windows', the
// collection's). Every save is deterministic, so that "the new version" is known.
//
//   crash_saver KIND DIR [N]
//     events N        N events appended to QTR0005.DAT as collection stores them
//     events-rewrite  QTR0005.DAT rewritten whole from the event table
//     log             one line appended to protokol.txt
//     comm            QTR0000.DAT
//     tables          QTR0006.DAT, QTR0007.DAT, QTR0008.DAT (the editors' saves)
//     config          QTR0001..QTR0004.DAT with records (the saves at program end)
//     accounts        binfile.bin under the master key of QTRKEYS.TXT
//     work            QTR_WORK.RTF, a report
//     attendance      DRUHPRAC.DAT, DEFRADVY.DAT, KARTA.DAT (program end) and KARTY.DAT
//     rights          ZMRTSW.DAT, the compiled rights
#include "app/account_file.h"
#include "attendance/attendance_data.h"
#include "attendance/attendance_files.h"
#include "attendance/card_register.h"
#include "base/clock.h"
#include "calendar/holiday_table.h"
#include "comm/comm_parameters.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "db/installation_keys.h"
#include "docs/work_file.h"
#include "events/event_file.h"
#include "events/event_table.h"
#include "events/protocol_log.h"
#include "unitproc/rights_compilation.h"

#include <iostream>
#include <string>

namespace {

using namespace qtr;
namespace fs = std::filesystem;

EventRecord eventNumber(int i) {
    EventRecord e;
    e.unitAddress = static_cast<std::uint8_t>(1 + i % 3);
    e.keyNumber = KeyNumber::parse("0100000012345A");
    e.timestamp = encodeDate(2026, 3, 2) + i / 1440.0;
    e.eventCode = static_cast<std::uint8_t>(i % 5);
    return e;
}

FileResult appendEvents(const fs::path& dir, int n) {
    EventFileAppender file;
    if (auto r = file.open(dir / kEventFile); !r) {
        return r;
    }
    if (!file.repairNote().empty()) {
        std::cerr << file.repairNote() << "\n";
    }
    for (int i = 0; i < n; ++i) {
        if (auto r = file.append(eventNumber(i)); !r) {
            return r;
        }
    }
    return file.close();
}

FileResult rewriteEvents(const fs::path& dir) {
    EventTable table;
    for (int i = 0; i < 300; ++i) {
        table.append(eventNumber(i));
    }
    return table.save(dir / kEventFile);
}

FileResult saveTables(const fs::path& dir) {
    HolidayTable holidays;
    for (int m = 1; m <= 12; ++m) {
        HolidayRecord h;
        h.holidayDate = encodeDate(2026, m, 1);
        h.holidayName.setText("Svátek " + std::to_string(m));
        (void)holidays.TryStore(h);
    }
    ConfigurationDatabase db;
    for (const char* name : {"Nepřetržitě", "Pracovní doba"}) {
        db.schedules.current() = {};
        db.schedules.current().scheduleName.setText(name);
        db.schedules.append();
        db.permissionGroups.current() = {};
        db.permissionGroups.current().name.setText(name);
        db.permissionGroups.append();
    }
    if (auto r = saveHolidayTable(holidays, dir); !r) {
        return r;
    }
    if (auto r = db.schedules.save(dir / kSchedulesFile); !r) {
        return r;
    }
    return db.permissionGroups.save(dir / kPermissionGroupsFile);
}

FileResult saveConfig(const fs::path& dir) {
    ConfigurationDatabase db;
    db.zones.ensureMainZone();
    for (std::uint8_t a = 1; a <= 3; ++a) {
        db.units.current() = {};
        db.units.current().address = a;
        db.units.current().unitType = a;
        db.units.current().unitName.setText("Jednotka " + std::to_string(a));
        db.units.append();
    }
    for (int i = 0; i < 40; ++i) {
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber.bytes[1] = static_cast<std::uint8_t>(i + 1);
        db.keyHolders.current().holderName.setText("Osoba " + std::to_string(i));
        db.keyHolders.append();
    }
    db.groups.newRecord();
    db.groups.append();
    const auto errors = saveConfiguration(db, dir);
    return errors.empty() ? FileResult::success() : FileResult::failure(errors.front());
}

FileResult saveAccounts(const fs::path& dir) {
    InstallationKeys keys;
    if (auto r = loadInstallationKeys(dir, keys); !r) {
        return r;
    }
    SeededRandomSource random(99);
    UserAccounts accounts = emptyAccounts(random);
    accounts.count = 2;
    accounts.accountSlots[0].userName.setText("správce");
    accounts.accountSlots[0].password.setText("dlouhé heslo");
    accounts.accountSlots[1].userName.setText("vrátný");
    accounts.accountSlots[1].password.setText("jiné heslo");
    return saveAccountFile(dir / kAccountFile, accounts, scramblingKeyOf(keys.masterOrZero()),
                           random);
}

FileResult saveAttendance(const fs::path& dir) {
    AttendanceData data;
    data.codeList = AttendanceCodeList::defaults();
    data.card.keyNumber = KeyNumber::parse("0100000012345A");
    data.card.dateFrom = encodeDate(2026, 3, 1);
    data.card.dateTo = encodeDate(2026, 3, 31);
    if (const auto errors = saveAttendanceData(data, dir); !errors.empty()) {
        return FileResult::failure(errors.front());
    }
    CardRegister cards;
    if (auto r = cards.open(dir / kCardRegisterFile); !r) {
        return r;
    }
    return cards.save(data.card);
}

FileResult saveRights(const fs::path& dir) {
    ConfigurationDatabase db;
    db.units.current().address = 1;
    db.units.current().unitType = kUnitAccess;
    db.units.append();
    AccessScheduleRecord& always = db.schedules.current();
    always.scheduleName.setText("Vždy");
    always.segmentCount = 1;
    always.segments[0] = {0, makeHourMinute(23, 59), 0x7F};
    db.schedules.append();
    PermissionGroupRecord& everyone = db.permissionGroups.current();
    everyone.name.setText("Všichni");
    everyone.entryCount = 1;
    everyone.entries[0].unitAddress = 1;
    everyone.entries[0].scheduleName.setText("Vždy");
    db.permissionGroups.append();
    for (int i = 0; i < 30; ++i) {
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber.bytes[1] = static_cast<std::uint8_t>(i + 1);
        db.keyHolders.current().permissionGroupName.setText("Všichni");
        db.keyHolders.append();
    }
    CompiledRights rights;
    return CreateRights(db, dir, false, nullptr, rights);
}

FileResult save(const std::string& kind, const fs::path& dir, const std::string& arg) {
    if (kind == "events") {
        return appendEvents(dir, std::stoi(arg));
    }
    if (kind == "events-rewrite") {
        return rewriteEvents(dir);
    }
    if (kind == "log") {
        const SystemClock clock;
        return ProtocolLog(dir / kProtocolLogFile, clock).appendLine("START PROGRAMU");
    }
    if (kind == "comm") {
        CommParameters p;
        p.interfaceMode = kInterfaceRs232;
        p.portIndex = 3;
        p.baudIndex = 0;
        return saveCommParameters(dir, p);
    }
    if (kind == "tables") {
        return saveTables(dir);
    }
    if (kind == "config") {
        return saveConfig(dir);
    }
    if (kind == "accounts") {
        return saveAccounts(dir);
    }
    if (kind == "work") {
        std::vector<std::string> lines;
        for (int i = 0; i < 500; ++i) {
            lines.push_back("Řádek sestavy " + std::to_string(i));
        }
        return writeWorkFile(dir, lines);
    }
    if (kind == "attendance") {
        return saveAttendance(dir);
    }
    if (kind == "rights") {
        return saveRights(dir);
    }
    return FileResult::failure("neznámý druh uložení: " + kind);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "crash_saver KIND DIR [N]\n";
        return 2;
    }
    const FileResult r = save(argv[1], argv[2], argc > 3 ? argv[3] : "0");
    if (!r) {
        std::cerr << r.error() << "\n";
        return 1;
    }
    return 0;
}
