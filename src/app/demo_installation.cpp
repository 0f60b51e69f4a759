#include "app/demo_installation.h"

#include "app/account_file.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "db/configuration_database.h"
#include "db/control_unit_record.h"
#include "db/data_files.h"
#include "db/installation_keys.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr const char* kMainZone = "HLAVNÍ ZÓNA";

struct DemoUnit {
    std::uint8_t address;
    std::uint8_t type;
    const char* name;
};

constexpr std::array<DemoUnit, 7> kUnits = {{
    {0x01, kUnitAccess, "Hlavní vchod"},
    {0x02, kUnitAccess, "Sklad"},
    {0x03, kUnitAccess, "Serverovna"},
    {0x10, kUnitAttendance, "Docházka vrát."},
    {0x11, kUnitAttendance, "Docházka dílna"},
    {0x20, kUnitDoor, "Kanceláře"},
    {0x30, kUnitBarrier, "Parkoviště"},
}};

struct DemoPerson {
    const char* name;
    const char* group;
    const char* permissions;
};

constexpr std::array<DemoPerson, 20> kPersons = {{
    {"Jan Novák", "Vedení", "Vedení"},
    {"Marie Svobodová", "Administrativa", "Kancelář"},
    {"Petr Dvořák", "Výroba", "Výroba"},
    {"Jana Černá", "Administrativa", "Kancelář"},
    {"Tomáš Procházka", "Výroba", "Výroba"},
    {"Eva Kučerová", "Sklad", "Sklad"},
    {"Josef Veselý", "Výroba", "Výroba"},
    {"Hana Horáková", "Administrativa", "Kancelář"},
    {"Martin Němec", "Sklad", "Sklad"},
    {"Lenka Pokorná", "Výroba", "Výroba"},
    {"Pavel Marek", "Výroba", "Výroba"},
    {"Věra Pospíšilová", "Vedení", "Vedení"},
    {"Jiří Hájek", "Údržba", "Údržba"},
    {"Alena Jelínková", "Výroba", "Výroba"},
    {"Karel Král", "Sklad", "Sklad"},
    {"Zdeňka Růžičková", "Administrativa", "Kancelář"},
    {"Miroslav Beneš", "Údržba", "Údržba"},
    {"Ivana Fialová", "Výroba", "Výroba"},
    {"František Sedláček", "Výroba", "Výroba"},
    {"Kateřina Doležalová", "Administrativa", "Kancelář"},
}};

ControlUnitRecord unitRecord(const DemoUnit& u) {
    ControlUnitRecord r;
    r.address = u.address;
    r.unitType = u.type;
    r.unitName.setText(u.name);
    // The standard description of each type: masks and the parameter string.
    r.alarmMask = 0xFF;
    r.relayMask = u.type == kUnitAttendance ? 0x01 : 0x00;
    switch (u.type) {
    case kUnitAccess:
        r.parameters[0] = 0x51;
        break;
    case kUnitAttendance:
        r.parameters[0] = 0x12;
        break;
    case kUnitDoor:
        std::fill_n(r.parameters.begin(), 9, std::uint8_t{1});
        break;
    case kUnitBarrier:
        r.parameters[0] = 3;
        std::fill_n(r.parameters.begin() + 3, 4, std::uint8_t{1});
        break;
    default:
        break;
    }
    r.usage = u.type == kUnitAttendance ? 1 : 0x01;
    r.resultTexts[0].setText("povoleno");
    r.resultTexts[1].setText("nepovoleno");
    r.resultTexts[2].setText("neotevřeno");
    r.resultTexts[3].setText("nezavřeno");
    const int readers = u.type == kUnitBarrier ? 4 : 2;
    for (int i = 0; i < readers; ++i) {
        r.readerNames[static_cast<std::size_t>(i)].setText(
            (i % 2 == 0 ? std::string("vstup ") : std::string("výstup ")) +
            std::to_string(i / 2 + 1));
    }
    r.inputNames[0].setText("dveřní kontakt");
    r.inputNames[1].setText("tlačítko odchodu");
    for (auto& o : r.objects) {
        o.zoneName.setText(kMainZone);
    }
    if (u.type == kUnitAttendance) {
        r.readerNames[0].setText("příchod");
        r.readerNames[1].setText("odchod");
    }
    return r;
}

AccessScheduleRecord schedule(const char* name, std::initializer_list<TimeSegment> segments) {
    AccessScheduleRecord s;
    s.scheduleName.setText(name);
    std::size_t i = 0;
    for (const auto& seg : segments) {
        s.segments[i++] = seg;
    }
    s.segmentCount = static_cast<std::uint8_t>(i);
    return s;
}

TimeSegment segment(int h1, int m1, int h2, int m2, std::uint8_t days) {
    TimeSegment t;
    t.from = makeHourMinute(h1, m1);
    t.to = makeHourMinute(h2, m2);
    t.dayMask = days;
    return t;
}

PermissionGroupRecord permissionGroup(
    const char* name,
    std::initializer_list<std::tuple<std::uint8_t, std::uint8_t, const char*>> entries) {
    PermissionGroupRecord g;
    g.name.setText(name);
    std::size_t i = 0;
    for (const auto& [address, objects, scheduleName] : entries) {
        g.entries[i].unitAddress = address;
        g.entries[i].entryAttributes = objects;
        g.entries[i].scheduleName.setText(scheduleName);
        ++i;
    }
    g.entryCount = static_cast<std::uint8_t>(i);
    return g;
}

void note(std::vector<std::string>& errors, const FileResult& r) {
    if (!r.ok()) {
        errors.push_back(r.error());
    }
}

} // namespace

KeyNumber demoMasterKey() {
    return KeyNumber::parse(kDemoMasterKeyText);
}

bool isEmptyDirectory(const fs::path& dir) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) {
        return true;
    }
    return fs::is_directory(dir, ec) && fs::directory_iterator(dir, ec) == fs::directory_iterator();
}

std::vector<std::string> createDemoInstallation(const fs::path& dir, RandomSource& random) {
    std::vector<std::string> errors;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        errors.push_back("Složku " + dir.string() + " nelze vytvořit: " + ec.message());
        return errors;
    }

    ConfigurationDatabase db;
    for (const auto& u : kUnits) {
        db.units.current() = unitRecord(u);
        db.units.append();
    }
    db.zones.ensureMainZone();

    for (const char* g : {"Vedení", "Administrativa", "Výroba", "Sklad", "Údržba"}) {
        db.groups.newRecord();
        db.groups.current().groupName.setText(g);
        db.groups.append();
    }
    constexpr std::uint8_t kWorkDays = kMonday | kTuesday | kWednesday | kThursday | kFriday;
    constexpr std::uint8_t kAllDays = kWorkDays | kSaturday | kSunday;
    for (const auto& s : {schedule("Nepřetržitě", {segment(0, 0, 23, 59, kAllDays)}),
                          schedule("Pracovní doba", {segment(6, 0, 18, 0, kWorkDays)}),
                          schedule("Směny", {segment(5, 30, 14, 30, kWorkDays),
                                             segment(13, 30, 22, 30, kWorkDays)})}) {
        db.schedules.current() = s;
        db.schedules.append();
    }
    for (const auto& g : {permissionGroup("Kancelář", {{0x01, 0x01, "Pracovní doba"},
                                                       {0x20, 0x0F, "Pracovní doba"}}),
                          permissionGroup("Sklad", {{0x01, 0x01, "Pracovní doba"},
                                                    {0x02, 0x01, "Směny"},
                                                    {0x30, 0x03, "Směny"}}),
                          permissionGroup("Výroba", {{0x01, 0x01, "Směny"}, {0x30, 0x03, "Směny"}}),
                          permissionGroup("Údržba", {{0x01, 0x01, "Nepřetržitě"},
                                                     {0x02, 0x01, "Nepřetržitě"},
                                                     {0x03, 0x01, "Nepřetržitě"},
                                                     {0x20, 0x0F, "Nepřetržitě"}}),
                          permissionGroup("Vedení", {{0x01, 0x01, "Nepřetržitě"},
                                                     {0x02, 0x01, "Nepřetržitě"},
                                                     {0x03, 0x01, "Nepřetržitě"},
                                                     {0x20, 0x0F, "Nepřetržitě"},
                                                     {0x30, 0x03, "Nepřetržitě"}})}) {
        db.permissionGroups.current() = g;
        db.permissionGroups.append();
    }
    for (std::size_t i = 0; i < kPersons.size(); ++i) {
        db.keyHolders.newRecord();
        KeyHolderRecord& h = db.keyHolders.current();
        // Keys 01 + 00000000 + a running number: easy to type at qtr-sim's console.
        char text[15];
        std::snprintf(text, sizeof text, "0100000000%04X", static_cast<unsigned>(0x1001 + i));
        h.keyNumber = KeyNumber::parse(text);
        h.holderName.setText(kPersons[i].name);
        h.groupName.setText(kPersons[i].group);
        h.permissionGroupName.setText(kPersons[i].permissions);
        db.keyHolders.append();
    }
    note(errors, db.units.save(dir / kUnitsFile));
    note(errors, db.zones.save(dir / kZonesFile));
    note(errors, db.keyHolders.save(dir / kKeyHoldersFile));
    note(errors, db.groups.save(dir / kGroupsFile));
    note(errors, db.schedules.save(dir / kSchedulesFile));
    note(errors, db.permissionGroups.save(dir / kPermissionGroupsFile));

    InstallationKeys keys;
    keys.masterKey = demoMasterKey();
    note(errors, saveInstallationKeys(dir, keys));

    UserAccounts accounts = emptyAccounts(random);
    accounts.count = 1;
    accounts.accountSlots[0].userName.setText(kDemoUserName);
    accounts.accountSlots[0].password.setText(kDemoPassword);
    note(errors,
         saveAccountFile(dir / kAccountFile, accounts, scramblingKeyOf(*keys.masterKey), random));

    note(errors, writeFileAtomically(
                     dir / "text.PRG",
                     win1250TextFromLines({"Ukázkový režim programu QTR", "",
                                           "Jednotky na sběrnici jsou simulované; program s nimi",
                                           "pracuje stejně jako se skutečnými.", "",
                                           "Správa uživatelů: Uživatelé - Určit, klíč správce "
                                           "01000000DE0001."})));
    return errors;
}

} // namespace qtr
