#include "db/name_tally.h"
#include "db/tables.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

KeyHolderTable holders(std::initializer_list<std::pair<const char*, const char*>> keyAndName) {
    KeyHolderTable t;
    for (const auto& [key, name] : keyAndName) {
        t.newRecord();
        t.current().keyNumber = KeyNumber::parse(key);
        t.current().holderName.setText(name);
        EXPECT_TRUE(t.append());
    }
    return t;
}

std::vector<std::string> names(const KeyHolderTable& t) {
    std::vector<std::string> list;
    t.fillNameList(list);
    return list;
}

TEST(KeyHolderTable, FindsByKeyAndNamesOfKeys) {
    KeyHolderTable t = holders({{"01", "Adam"}, {"02", "Běla"}, {"03", "Adam"}});
    EXPECT_EQ(t.findByKey(KeyNumber::parse("02")), 2);
    EXPECT_EQ(t.findByKey(KeyNumber::parse("04")), 0);
    EXPECT_EQ(t.nameOfKey(KeyNumber::parse("02")), "Běla");
    EXPECT_EQ(t.nameOfKey(KeyNumber::parse("FF")), "?");

    ASSERT_TRUE(t.first());
    ASSERT_TRUE(t.selectByKey(KeyNumber::parse("03")));
    EXPECT_EQ(t.position(), 1); // SelectByKey copies without moving
    EXPECT_EQ(t.current().keyNumber.text(), "03000000000000");
    EXPECT_FALSE(t.selectByKey(KeyNumber::parse("09")));
}

TEST(KeyHolderTable, NameLookupIsExactAndCaseSensitive) {
    KeyHolderTable t = holders({{"01", "Adam"}, {"02", "Běla"}, {"03", "Adam"}});
    EXPECT_EQ(t.findByName("Adam"), 1);
    EXPECT_EQ(t.findByName("adam"), 0);
    EXPECT_EQ(t.findByName("Ada"), 0);
    EXPECT_TRUE(t.selectByName("Běla"));
    EXPECT_EQ(t.position(), 2);
}

TEST(KeyHolderTable, SortByNameUsesWin1250CodesSoZComesBeforeČ) {
    KeyHolderTable t = holders({{"01", "Čech"},
                                {"02", "Zelený"},
                                {"03", "Adámek"},
                                {"04", "Adam"},
                                {"05", "ámos"},
                                {"06", "Bílý"}});
    t.sort(KeyHolderOrder::ByName);
    EXPECT_EQ(names(t),
              (std::vector<std::string>{"Adam", "Adámek", "Bílý", "Zelený", "Čech", "ámos"}));
}

TEST(KeyHolderTable, SortByKeyFollowsTheKeyTextOrder) {
    KeyHolderTable t = holders({{"0200000000000000", "b"},
                                {"00000000000001", "c"},
                                {"01FF0000000000", "d"},
                                {"0100000000000F", "e"}});
    t.sort(KeyHolderOrder::ByKey);
    std::vector<std::string> keys;
    for (int i = 1; i <= t.count(); ++i) {
        keys.push_back(t.at(i).keyNumber.text());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"00000000000001", "0100000000000F", "01FF0000000000",
                                              "02000000000000"}));
}

TEST(KeyHolderTable, SortsZeroOneTwoAndManyRecords) {
    KeyHolderTable empty;
    empty.sort(KeyHolderOrder::ByName);
    EXPECT_EQ(empty.count(), 0);

    KeyHolderTable one = holders({{"01", "X"}});
    one.sort(KeyHolderOrder::ByName);
    EXPECT_EQ(names(one), std::vector<std::string>{"X"});

    KeyHolderTable two = holders({{"01", "B"}, {"02", "A"}});
    two.sort(KeyHolderOrder::ByName);
    EXPECT_EQ(names(two), (std::vector<std::string>{"A", "B"}));

    KeyHolderTable many;
    for (int i = 0; i < 1000; ++i) {
        many.newRecord();
        many.current().holderName.setText("N" + std::to_string((i * 7919) % 1000 + 1000));
        ASSERT_TRUE(many.append());
    }
    many.sort(KeyHolderOrder::ByName);
    for (int i = 1; i < many.count(); ++i) {
        ASSERT_LE(
            compareWin1250(many.at(i).holderName.win1250(), many.at(i + 1).holderName.win1250()),
            0);
    }
}

TEST(KeyHolderTable, SelectByNamePrefixShortensTheTextUntilSomethingMatches) {
    KeyHolderTable t = holders({{"01", "Novák"}, {"02", "Nováková"}, {"03", "Procházka"}});
    t.selectByNamePrefix("Nováko");
    EXPECT_EQ(t.current().holderName.text(), "Nováková");
    t.selectByNamePrefix("Proch");
    EXPECT_EQ(t.current().holderName.text(), "Procházka");
    t.selectByNamePrefix("Novx");
    EXPECT_EQ(t.current().holderName.text(), "Novák");
    t.selectByNamePrefix("Xyz"); // nothing matches: record 1
    EXPECT_EQ(t.current().holderName.text(), "Novák");

    t.get(3);
    t.selectByNamePrefix(""); // an empty text changes nothing
    EXPECT_EQ(t.current().holderName.text(), "Procházka");
}

TEST(KeyHolderTable, ClearRemovesEveryone) {
    KeyHolderTable t = holders({{"01", "A"}, {"02", "B"}});
    t.first();
    t.clear();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.position(), 0);
}

TEST(ControlUnitTable, AddressesTypesAndLists) {
    ControlUnitTable t;
    const std::pair<std::uint8_t, std::uint8_t> units[] = {{0x0A, 1}, {0x01, 2}, {0xFF, 1}};
    for (auto [address, type] : units) {
        t.clearCurrent();
        t.current().address = address;
        t.current().unitType = type;
        t.current().unitName.setText("J" + std::to_string(address));
        ASSERT_TRUE(t.append());
    }
    EXPECT_EQ(t.findByAddress(0xFF), 3);
    EXPECT_EQ(t.findByAddress(0x02), 0);
    EXPECT_TRUE(t.selectByAddress(0x01));
    EXPECT_EQ(t.position(), 2);
    EXPECT_EQ(t.countByType(1), 2);
    EXPECT_EQ(t.countByType(4), 0);

    std::vector<std::string> list{"stale"};
    t.fillAddressList(list);
    EXPECT_EQ(list, (std::vector<std::string>{"0A J10", "01 J1", "FF J255"}));
    t.fillNameList(list);
    EXPECT_EQ(list, (std::vector<std::string>{"J10", "J1", "J255"}));
}

TEST(ZoneTable, EnsureMainZoneOnlyWhenEmpty) {
    ZoneTable z;
    z.ensureMainZone();
    ASSERT_EQ(z.count(), 1);
    EXPECT_EQ(z.at(1), ZoneRecord::named("HLAVNÍ ZÓNA"));
    EXPECT_EQ(z.findByName("HLAVNÍ ZÓNA"), 1);
    z.ensureMainZone();
    EXPECT_EQ(z.count(), 1);
}

TEST(AccessScheduleTable, SortsByNameAndSelectsByName) {
    AccessScheduleTable t;
    for (const char* n : {"Noc", "Čtvrtek", "Den", "Ranní"}) {
        t.clearCurrent();
        t.current().scheduleName.setText(n);
        ASSERT_TRUE(t.append());
    }
    t.sortByName();
    std::vector<std::string> list;
    t.fillNameList(list);
    EXPECT_EQ(list, (std::vector<std::string>{"Den", "Noc", "Ranní", "Čtvrtek"}));
    EXPECT_TRUE(t.selectByName("Noc"));
    EXPECT_EQ(t.position(), 2);
    EXPECT_FALSE(t.selectByName("noc"));
}

TEST(PermissionGroupTable, EntriesByUnitAndTheirDeletion) {
    PermissionGroupTable t;
    t.clearCurrent();
    auto& p = t.current();
    p.entryCount = 3;
    p.entries[0].unitAddress = 0x0A;
    p.entries[1].unitAddress = 0x0B;
    p.entries[2].unitAddress = 0x0A;
    p.entries[2].scheduleName.setText("třetí");
    EXPECT_EQ(t.findEntryByUnit(0x0A), 1);
    EXPECT_EQ(t.findEntryByUnit(0x0C), 0);

    ASSERT_TRUE(t.deleteEntry(1));
    EXPECT_EQ(p.entryCount, 2);
    EXPECT_EQ(p.entries[0].unitAddress, 0x0B);
    EXPECT_EQ(p.entries[1].scheduleName.text(), "třetí");
    EXPECT_EQ(t.findEntryByUnit(0x0A), 2);

    ASSERT_TRUE(t.deleteEntry(2));
    ASSERT_TRUE(t.deleteEntry(1));
    EXPECT_EQ(p.entryCount, 0);
    EXPECT_FALSE(t.deleteEntry(1));
}

TEST(NameTally, CountsDistinctNamesAndTheirUsersPerPrefix) {
    NameTally tally;
    tally.add("PVýroba", 1);
    tally.add("PVýroba", 1);
    tally.add("PSklad", 1);
    tally.add("OVše", 1);
    const auto p = tally.sumByPrefix("P");
    EXPECT_EQ(p.entries, 2);
    EXPECT_EQ(p.total, 3);
    EXPECT_EQ(tally.sumByPrefix("O").entries, 1);
    EXPECT_EQ(tally.sumByPrefix("X").entries, 0);
    tally.reset();
    EXPECT_EQ(tally.sumByPrefix("").entries, 0);
}

TEST(NameTally, ALongNameFindsTheEntryItMadeInsteadOfMakingAnotherEachTime) {
    NameTally tally;
    const std::string longName = "P" + std::string(17, 'x'); // 18 characters, entries hold 17
    tally.add(longName, 1);
    tally.add(longName, 1);
    ASSERT_EQ(tally.entries().size(), 1u);
    EXPECT_EQ(tally.entries()[0].name.text(), longName.substr(0, 17));
    EXPECT_EQ(tally.sumByPrefix("P").total, 2);
}

TEST(NameTally, RefusesNewNamesBeyondItsCapacity) {
    NameTally tally;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(tally.add("N" + std::to_string(i), 1));
    }
    EXPECT_FALSE(tally.add("another", 1));
    EXPECT_TRUE(tally.add("N7", 1)); // existing names still count
    EXPECT_EQ(tally.sumByPrefix("N").total, 51);
}

} // namespace
} // namespace qtr
