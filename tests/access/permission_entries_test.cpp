#include "access/permission_entries.h"
#include "access/renamed_references.h"
#include "db/tables.h"

#include <gtest/gtest.h>
#include <string>

namespace qtr {
namespace {

ControlUnitRecord unit(std::uint8_t address, std::uint8_t type, const char* name,
                       std::uint8_t usage = 0) {
    ControlUnitRecord u;
    u.address = address;
    u.unitType = type;
    u.usage = usage;
    u.unitName.setText(name);
    const char* doors[] = {"Vchod", "Sklad", "Kancelář", "Dílna"};
    const char* barriers[] = {"Závora 0 ", "Závora 1 ", "Manual-závora 0 ", "Manual-závora 1 "};
    for (std::size_t i = 0; i < 4; ++i) {
        u.inputNames[i].setText(type == kUnitBarrier ? barriers[i] : doors[i]);
    }
    return u;
}

TEST(PermissionEntries, KamTextForEveryUnitType) {
    const ControlUnitRecord access = unit(1, kUnitAccess, "VKR");
    const ControlUnitRecord passive = unit(2, kUnitAttendance, "Docházka");
    const ControlUnitRecord active = unit(3, kUnitAttendance, "Docházka", 1);
    const ControlUnitRecord door = unit(4, kUnitDoor, "Expander");
    const ControlUnitRecord barrier = unit(5, kUnitBarrier, "Brána");
    const ControlUnitRecord other = unit(6, 9, "Cizí");
    struct Case {
        const ControlUnitRecord* unit;
        std::uint8_t attributes;
        const char* text;
    };
    const Case cases[] = {
        {&access, 0x00, "všechny dveře"},
        {&access, 0x0F, "všechny dveře"},
        {&passive, 0x00, "žádné dveře"},
        {&active, 0x00, "řídí dveře"},
        {&door, 0x00, "žádné dveře"},
        {&door, 0x05, "Vchod, Kancelář"},
        {&door, 0x0F, "Vchod, Sklad, Kancelář, Dílna"},
        {&door, 0xF8, "Dílna"}, // only bits 0-3 name doors
        {&barrier, 0x0D, "klíč vozidla, Závora 0 "},
        {&barrier, 0x0C, "klíč vozidla, žádná závora"},
        {&barrier, 0x00, "samostatný klíč, žádná závora"},
        {&barrier, 0x06, "klíč zaměstnance, Závora 1 "},
        {&barrier, 0x0B, "neznámý, Závora 0 , Závora 1 "},
        {&other, 0x01, "?"},
        {nullptr, 0x01, "?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entryAttributeText(c.unit, c.attributes), c.text)
            << (c.unit ? static_cast<int>(c.unit->unitType) : -1) << " " << int(c.attributes);
    }
}

TEST(PermissionEntries, PropertiesDialogBuildsTheAttributeByte) {
    using B = std::array<bool, 4>;
    struct Case {
        std::uint8_t type, old;
        B boxes;
        std::optional<int> kind;
        std::uint8_t built;
    };
    const Case cases[] = {
        {kUnitDoor, 0x00, {true, false, true, false}, std::nullopt, 0x05},
        {kUnitDoor, 0xFF, {false, false, false, true}, std::nullopt, 0x08},
        {kUnitBarrier, 0x00, {true, true, true, true}, 2, 0x0F}, // only two barrier boxes
        {kUnitBarrier, 0x0D, {false, true, false, false}, 1, 0x06},
        {kUnitBarrier, 0x0D, {false, false, false, false}, 0, 0x00},
        {kUnitBarrier, 0x09, {true, false, false, false}, std::nullopt, 0x09}, // 0x08 kept
        {kUnitAccess, 0x0A, {true, true, true, true}, 2, 0x0A},
        {0x09, 0x03, {false, false, false, false}, std::nullopt, 0x03},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(builtAttributes(c.type, c.old, c.boxes, c.kind), c.built)
            << int(c.type) << " " << int(c.old);
    }
    EXPECT_EQ(keyKindIndex(0x0D), 2);
    EXPECT_EQ(keyKindIndex(0x04), 1);
    EXPECT_EQ(keyKindIndex(0x08), std::nullopt);
}

TEST(PermissionEntries, TabsAddingAndEnabling) {
    ControlUnitTable units;
    for (const ControlUnitRecord& u :
         {unit(0x0A, kUnitAccess, "Vrátnice"), unit(0xB2, kUnitDoor, "Sklady"),
          unit(0x03, kUnitAttendance, "Docházka")}) {
        units.current() = u;
        units.append();
    }
    EXPECT_EQ(entryTabText(units, 0x0A), "0A Vrátnice");
    EXPECT_EQ(entryTabText(units, 0xB2), "B2 Sklady");
    EXPECT_EQ(entryTabText(units, 0x0C), "?-0C");

    PermissionGroupTable groups;
    groups.clearCurrent();
    EXPECT_FALSE(canAddEntry(groups.current(), 0));
    EXPECT_EQ(addEntryForUnit(groups, 0xB2), 1);
    EXPECT_EQ(addEntryForUnit(groups, 0x0A), 2);
    EXPECT_EQ(addEntryForUnit(groups, 0xB2), std::nullopt); // "Taková jednotka je již použita!"
    EXPECT_EQ(groups.current().entryCount, 2);
    EXPECT_TRUE(canAddEntry(groups.current(), units.count()));
    EXPECT_EQ(addEntryForUnit(groups, 0x03), 3);
    EXPECT_FALSE(canAddEntry(groups.current(), units.count())); // three units, three entries
    const PermissionEntry& e = groups.current().entries[1];
    EXPECT_EQ(e.unitAddress, 0x0A);
    EXPECT_EQ(e.entryAttributes, 0);
    EXPECT_TRUE(e.scheduleName.empty());

    groups.current().entryCount = 32;
    EXPECT_FALSE(canAddEntry(groups.current(), 40));
    EXPECT_EQ(addEntryForUnit(groups, 0x77), std::nullopt);
    groups.current().entryCount = 31;
    EXPECT_TRUE(canAddEntry(groups.current(), 40));

    // "změnit vlastnosti ": only a unit that exists and has doors or barriers to choose.
    std::string editable;
    for (std::uint8_t address : {0x0A, 0xB2, 0x03, 0x0C}) {
        const int i = units.findByAddress(address);
        editable += entryPropertiesEditable(i == 0 ? nullptr : &units.at(i)) ? 'x' : '.';
    }
    EXPECT_EQ(editable, ".x..");
}

TEST(PermissionEntries, SaveChecksInTheirOrder) {
    PermissionGroupTable groups;
    auto group = [](const char* name, int entries) {
        PermissionGroupRecord g;
        g.name.setText(name);
        g.entryCount = static_cast<std::uint8_t>(entries);
        return g;
    };
    for (const char* name : {"Údržba", "Vedení"}) {
        groups.current() = group(name, 1);
        groups.append();
    }
    struct Case {
        PermissionGroupRecord record;
        int ownPosition;
        const char* message;
    };
    const Case cases[] = {
        {group("", 0), 0, "Záznam musí mít název!"},
        {group("Nová", 0), 0, "Záznam nesmí být prázdný!"},
        {group("Vedení", 0), 2, "Záznam nesmí být prázdný!"},
        {group("Vedení", 1), 0, "Takový název existuje!"},
        {group("Vedení", 1), 1, "Takový název existuje!"},
        {group("Vedení", 1), 2, ""},
        {group("Nová", 32), 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checkPermissionGroup(groups, c.record, c.ownPosition).value_or(""), c.message)
            << c.record.name.text() << " at " << c.ownPosition;
    }
}

TEST(RenamedReferences, NewNameReachesEveryReferenceAndOnlyThose) {
    auto name = [](const char* text) { return ShortString<17>(text); };
    PermissionGroupTable groups;
    auto entries = [&](std::initializer_list<const char*> schedules) {
        PermissionGroupRecord g;
        for (const char* s : schedules) {
            g.entries[g.entryCount++].scheduleName.setText(s);
        }
        return g;
    };
    groups.current() = entries({"Ranní", "Noční", "Ranní"});
    groups.append();
    groups.current() = entries({"Noční"});
    groups.append();
    groups.current() = entries({"Ranní"});                     // the group being edited
    groups.current().entries[1].scheduleName.setText("Ranní"); // past entryCount: not an entry

    EXPECT_EQ(carryScheduleRename(groups, name("Ranní"), name("Denní"), false), 2);
    EXPECT_EQ(groups.at(1).entries[0].scheduleName.text(), "Denní");
    EXPECT_EQ(groups.at(1).entries[1].scheduleName.text(), "Noční");
    EXPECT_EQ(groups.at(1).entries[2].scheduleName.text(), "Denní");
    EXPECT_EQ(groups.at(2).entries[0].scheduleName.text(), "Noční");
    EXPECT_EQ(groups.current().entries[0].scheduleName.text(), "Denní");
    EXPECT_EQ(groups.current().entries[1].scheduleName.text(), "Ranní");
    EXPECT_EQ(groups.current().entryCount, 1);

    // Unchanged name, or the old name still held by another schedule: nothing moves.
    EXPECT_EQ(carryScheduleRename(groups, name("Noční"), name("Noční"), false), 0);
    EXPECT_EQ(carryScheduleRename(groups, name("Noční"), name("Večerní"), true), 0);
    EXPECT_EQ(groups.at(2).entries[0].scheduleName.text(), "Noční");

    KeyHolderTable holders;
    for (const char* g : {"Vedení", "", "Vedení ", "Vedení"}) {
        holders.newRecord();
        holders.current().permissionGroupName.setText(g);
        holders.append();
    }
    holders.newRecord();
    EXPECT_EQ(carryPermissionGroupRename(holders, name("Vedení"), name("Ředitelství"), false), 2);
    std::string names;
    for (const KeyHolderRecord& h : holders.records()) {
        names += h.permissionGroupName.text() + "|";
    }
    EXPECT_EQ(names, "Ředitelství||Vedení |Ředitelství|");
    EXPECT_EQ(holders.current().holderName.text(), "nový"); // the working copy kept
    EXPECT_EQ(permissionGroupRenameReport(2),
              "Nový název oprávnění byl zapsán u nositelů klíčů: 2");
}

} // namespace
} // namespace qtr
