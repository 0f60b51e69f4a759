#include "docs/documented_installation.h"
#include "docs/report_text.h"
#include "docs/settings_documentation.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using Lines = std::vector<std::string>;

// Joined, so that a mismatch shows as two readable texts.
std::string text(const Lines& lines) {
    std::string t;
    for (const auto& l : lines) {
        t += l + "|\n";
    }
    return t;
}

TEST(SettingsDocumentation, UnitDescriptionOfTheInstallation) {
    const ConfigurationDatabase db = test::documentedInstallation();
    const Lines results = {"Pomocné objekty - nejsou",
                           "Texty hlášení události vstupu:",
                           "   povolení:   povoleno",
                           "   nepovolení: neoprávněný",
                           "   nevyužití:  neotevřeno",
                           "   neuzavření: nezavřeno",
                           ""};
    Lines expected = {"POPIS JEDNOTEK", ""};
    for (const auto& [heading, type] :
         {std::pair{"* Jednotka: 01, Hlavní vchod", "Typ: přístupová, VNITŘNÍ"},
          std::pair{"* Jednotka: 0A, Docházka", "Typ: docházková, AKTIVNÍ"},
          std::pair{"* Jednotka: 10, Kanceláře", "Typ: dveřní"},
          std::pair{"* Jednotka: 20, Parkoviště", "Typ: závorová, VNITŘNÍ"}}) {
        expected.push_back(heading);
        expected.push_back(type);
        expected.insert(expected.end(), results.begin(), results.end());
    }
    expected.push_back("-----");
    std::vector<int> progress;
    EXPECT_EQ(text(unitDescriptionLines(db.units, [&](int done) { progress.push_back(done); })),
              text(expected));
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4}));
}

TEST(SettingsDocumentation, TypeLineAndTitleByTypeUsageAndCount) {
    struct Case {
        std::uint8_t type;
        std::uint8_t usage;
        const char* line;
    };
    const Case cases[] = {
        {1, 0, "Typ: přístupová, VNITŘNÍ"}, {1, 1, "Typ: přístupová"},
        {2, 0, "Typ: docházková, PASÍVNÍ"}, {2, 5, "Typ: docházková, AKTIVNÍ"},
        {3, 0, "Typ: dveřní, VNITŘNÍ"},     {3, 2, "Typ: dveřní"},
        {4, 0, "Typ: závorová, VNITŘNÍ"},   {4, 0x80, "Typ: závorová"},
        {0, 0, "Typ: neznámý typ"},         {9, 1, "Typ: neznámý typ"},
    };
    for (const Case& c : cases) {
        ControlUnitTable units;
        test::put(units, test::unit(0xFF, c.type, "", c.usage));
        const Lines lines = unitDescriptionLines(units);
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], "POPIS JEDNOTKY");
        EXPECT_EQ(lines[2], "* Jednotka: FF, ");
        EXPECT_EQ(lines[3], c.line) << int(c.type) << "/" << int(c.usage);
    }
    ControlUnitTable none;
    EXPECT_EQ(text(unitDescriptionLines(none)), text({"POPIS JEDNOTEK", "", "-----"}));
}

TEST(SettingsDocumentation, KeyListInFixedColumns) {
    const ConfigurationDatabase db = test::documentedInstallation();
    const std::string rule(68, '-');
    const Lines expected = {
        "SEZNAM IDENTIFIKAČNÍCH KLÍČŮ",
        "",
        rule,
        "čís. klíč           jméno                          skupina",
        rule,
        "0001 01000000001001 Jan Novák                      Výroba           ",
        "0002 01000000001002 Eva Malá                                        ",
        "0003 01000000001003 Petr Dlouhý                    Sklad            ",
        "0004 01000000001004 Vadný Záznam                                    ",
        "0005 01000000001005 Bez Času                                        ",
        "0006 01000000001006 Prázdný                                         ",
        "0007 0100000000ABCD Žofie Přívětivá-Šťastná Dlouhá Údržba a opravy  ",
        rule,
        "",
    };
    EXPECT_EQ(text(keyListLines(db.keyHolders)), text(expected));
}

TEST(SettingsDocumentation, RightsOverviewInDetail) {
    const ConfigurationDatabase db = test::documentedInstallation();
    const Lines expected = {
        "PŘEHLED NASTAVENÍ",
        "",
        "*01000000001001, Jan Novák, Výroba",
        "PŘÍSTUPOVÁ PRÁVA: Kancelář",
        // An access unit's entry covers all its doors: its windows under the unit.
        "  01 Hlavní vchod",
        "     07:00 - 15:30 Po Út St Čt Pá ",
        // Attributes 0x05 of a door unit: doors 0 and 2, each with every window.
        "  10 Kanceláře",
        "   Dveře 0 ",
        "     08:00 - 12:00 So Ne ",
        "     13:00 - 14:00 So ",
        "   Dveře 2 ",
        "     08:00 - 12:00 So Ne ",
        "     13:00 - 14:00 So ",
        // 0x0D at a barrier unit: barrier 0; 0x0C is the key kind, not barriers 2 and 3.
        "  20 Parkoviště",
        "   Závora 0 ",
        "     07:00 - 15:30 Po Út St Čt Pá ",
        " ",
        "*01000000001002, Eva Malá",
        "PŘÍSTUPOVÁ PRÁVA: nemá definována",
        " ",
        "*01000000001003, Petr Dlouhý, Sklad",
        "PŘÍSTUPOVÁ PRÁVA: neplatné oprávnění >Neexistuje<",
        " ",
        "*01000000001004, Vadný Záznam",
        "PŘÍSTUPOVÁ PRÁVA: Vadná",
        "  01 Hlavní vchod",
        "     08:00 - 12:00 So Ne ",
        "     13:00 - 14:00 So ",
        "  Vadná, 55 neznámá jednotka!",
        " ",
        "*01000000001005, Bez Času",
        "PŘÍSTUPOVÁ PRÁVA: Bez času",
        "  Bez času, 01 neplatný časový rozvrh >Zrušený<",
        " ",
        "*01000000001006, Prázdný",
        "PŘÍSTUPOVÁ PRÁVA: Prázdná",
        " ",
        "*0100000000ABCD, Žofie Přívětivá-Šťastná Dlouhá, Údržba a opravy",
        "PŘÍSTUPOVÁ PRÁVA: nemá definována",
        " ",
        "-----",
    };
    std::vector<int> progress;
    EXPECT_EQ(text(rightsOverviewLines(db, true, [&](int d) { progress.push_back(d); })),
              text(expected));
    EXPECT_EQ(progress.size(), 7u);
}

TEST(SettingsDocumentation, WithoutDetailEveryHolderHasOneLineOfRights) {
    const ConfigurationDatabase db = test::documentedInstallation();
    const Lines lines = rightsOverviewLines(db, false);
    ASSERT_EQ(lines.size(), 2u + 7u * 3u + 1u);
    for (int h = 0; h < 7; ++h) {
        EXPECT_EQ(lines[2 + 3 * h].front(), '*');
        EXPECT_TRUE(lines[3 + 3 * h].starts_with("PŘÍSTUPOVÁ PRÁVA: ")) << lines[3 + 3 * h];
        EXPECT_EQ(lines[4 + 3 * h], " ");
    }
    EXPECT_EQ(lines[3], "PŘÍSTUPOVÁ PRÁVA: Kancelář");
}

TEST(SettingsDocumentation, CountsBeyondTheSlotsOfAForeignFileStopAtTheLastSlot) {
    ConfigurationDatabase db;
    test::put(db.units, test::unit(0x01, kUnitDoor, "Dveře", 1));
    AccessScheduleRecord s = test::schedule("Celý den", {});
    s.segmentCount = 200;
    s.segments.fill({makeHourMinute(0, 0), makeHourMinute(23, 59), 0x7F});
    test::put(db.schedules, s);
    PermissionGroupRecord g = test::permissionGroup("Mnoho", {});
    g.entryCount = 255;
    for (auto& e : g.entries) {
        e.unitAddress = 0x01;
        e.entryAttributes = 0x01;
        e.scheduleName.setText("Celý den");
    }
    test::put(db.permissionGroups, g);
    test::put(db.keyHolders, test::holder("01", "Host", "", "Mnoho"));
    const Lines lines = rightsOverviewLines(db, true);
    // 32 entries of a unit line, a door line and 7 windows each.
    EXPECT_EQ(lines.size(), 2u + 2u + 32u * 9u + 1u + 1u);
    EXPECT_EQ(lines[6], "     00:00 - 23:59 Po Út St Čt Pá So Ne ");
}

TEST(ReportText, PadOrCutByCharactersNotBytes) {
    const std::tuple<const char*, std::size_t, const char*, const char*> cases[] = {
        {"", 3, "   ", "   "},         {"ab", 4, "ab  ", "  ab"}, {"abcd", 4, "abcd", "abcd"},
        {"abcdef", 4, "abcd", "abcd"}, {"ŽŠČŘ", 2, "ŽŠ", "ŽŠ"},   {"Čí", 5, "Čí   ", "   Čí"},
        {"Ořech", 0, "", ""},
    };
    for (const auto& [in, width, right, left] : cases) {
        EXPECT_EQ(padRight(in, width), right) << in << "/" << width;
        EXPECT_EQ(padLeft(in, width), left) << in << "/" << width;
    }
}

} // namespace
} // namespace qtr
