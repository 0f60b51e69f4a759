// What the event file management gives other places: new key holders and the
// spreadsheet form of the events.

#include "db/configuration_database.h"
#include "events/event_csv.h"
#include "events/event_decoder.h"
#include "events/event_fixtures.h"
#include "events/event_table.h"
#include "events/keys_from_events.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::at;
using test::code;
using test::event;

std::vector<std::string> holderNames(const KeyHolderTable& t) {
    std::vector<std::string> names;
    for (const auto& h : t.records()) {
        names.push_back(h.keyNumber.text() + " " + h.holderName.text());
    }
    return names;
}

TEST(KeysFromEvents, OneHolderPerUnknownKeyInEventOrder) {
    ConfigurationDatabase db;
    test::addHolder(db, "01000000001001", "Jan Novák");
    db.keyHolders.select(1);
    EventTable table;
    const char* keys[] = {"0100000000AA01", "01000000001001", "00000000000000", "0100000000AA01",
                          "0100000000BB02", "0100000000AA01", "0100000000AA01", "0100000000AA01"};
    for (const char* k : keys) {
        ASSERT_TRUE(table.append(event(0x01, k, at(2026, 1, 5, 8), code(0, 0))));
    }
    const KeysFromEvents r = addKeysFromEvents(db.keyHolders, table.bytes());
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.notAdded, 0);
    EXPECT_EQ(
        holderNames(db.keyHolders),
        (std::vector<std::string>{"01000000001001 Jan Novák", "0100000000AA01 #0100000000AA01",
                                  "0100000000BB02 #0100000000BB02"}));
    // A new holder is a new record: the kind code of a new record, nothing else.
    EXPECT_EQ(db.keyHolders.at(2).kindCode, KeyHolderRecord::newRecord().kindCode);
    EXPECT_EQ(db.keyHolders.current().holderName.text(), "Jan Novák");
    // A second run finds them all.
    EXPECT_EQ(addKeysFromEvents(db.keyHolders, table.bytes()).added, 0);
}

TEST(KeysFromEvents, StopsAddingAtAThousandHolders) {
    ConfigurationDatabase db;
    for (int i = 0; i < 998; ++i) {
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber.bytes[6] = static_cast<std::uint8_t>(i >> 8);
        db.keyHolders.current().keyNumber.bytes[5] = static_cast<std::uint8_t>(i);
        ASSERT_TRUE(db.keyHolders.append());
    }
    EventTable table;
    for (const char* k : {"02000000000001", "02000000000002", "02000000000003", "02000000000004"}) {
        ASSERT_TRUE(table.append(event(0x01, k, at(2026, 1, 5, 8), code(0, 0))));
    }
    const KeysFromEvents r = addKeysFromEvents(db.keyHolders, table.bytes());
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.notAdded, 2);
    EXPECT_EQ(db.keyHolders.count(), 1000);
}

TEST(EventCsv, HeaderThenOneQuotedLinePerEvent) {
    ConfigurationDatabase db;
    test::addUnit(db, test::unit(0x0A, 1, "Hlavní vchod"));
    test::addUnit(db, test::unit(0x0B, 1, "=Sklad; \"zadní\""));
    test::addHolder(db, "01000000001001", "Novák; Jan");
    test::addHolder(db, "01000000001002", "-Svoboda");
    EventTable table;
    ASSERT_TRUE(table.append(event(0x0A, "01000000001001", at(2026, 12, 9, 7, 58, 2), code(0, 0))));
    ASSERT_TRUE(table.append(event(0x0B, "01000000001002", at(2026, 12, 9, 8, 0, 0), code(1, 1))));
    ASSERT_TRUE(table.append(event(0x0A, "00000000000000", at(2026, 12, 9, 8, 1, 0), code(8, 3))));
    ASSERT_TRUE(table.append(event(0x0C, "0100000000FFFF", at(2026, 12, 9, 8, 2, 0), code(0, 0))));
    const EventDecoder decoder(db);
    const std::vector<std::string> lines = eventCsvLines(table, decoder);
    const std::vector<std::string> expected = {
        "Datum;Čas;Adresa;Jednotka;Klíč;Jméno;Událost",
        "09.12.2026;07:58:02;0A;Hlavní vchod;01000000001001;\"Novák; Jan\";"
        "\"Hlavní vchod, TM0, Novák; Jan, povoleno\"",
        "09.12.2026;08:00:00;0B;\"'=Sklad; \"\"zadní\"\"\";01000000001002;'-Svoboda;"
        "\"'=Sklad; \"\"zadní\"\", TM1, -Svoboda, neoprávněný\"",
        "09.12.2026;08:01:00;0A;Hlavní vchod;;;Hlavní vchod, IN0, AKTIVOVÁNO",
        "09.12.2026;08:02:00;0C;;0100000000FFFF;;#adresa jednotky: 0C "
        "B6600BB6AAA3E640 0100000000FFFF 00 00 00",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(eventCsvText({"a;b", "c"}, "\r\n"), "\xEF\xBB\xBF"
                                                  "a;b\r\nc\r\n");
}

} // namespace
} // namespace qtr
