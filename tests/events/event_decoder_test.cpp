#include "db/configuration_database.h"
#include "events/event_decoder.h"
#include "events/event_fixtures.h"
#include "events/event_listing.h"
#include "events/event_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <random>

namespace qtr {
namespace {

using test::at;
using test::code;
using test::event;

constexpr const char* kJan = "0102030405060A";

class DecodeEventTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.zones.ensureMainZone();
        auto access = test::unit(0x01, kUnitAccess, "Vrátnice");
        access.objects[1].zoneName.setText("HLAVNÍ ZÓNA");
        access.objects[2].zoneName.setText("Sklad"); // a zone nobody defined
        access.objects[3].zoneName.setText("hlavní zóna");
        access.readerNames[5].setText("");
        access.inputNames[6].setText("");
        test::addUnit(db, access);
        test::addUnit(db, test::unit(0x02, kUnitAttendance, ""));
        test::addUnit(db, test::unit(0x03, kUnitBarrier, "Závora"));
        test::addUnit(db, test::unit(0x04, 7, "Jiná"));
        test::addHolder(db, kJan, "Jan Novák");
        test::addHolder(db, "0B", "Eva Malá");
        test::addHolder(db, "0B", "Druhá Eva"); // the first holder of a key counts
    }

    DecodedEvent decode(const EventRecord& e) const { return EventDecoder(db).decode(e); }
    DecodedEvent ok(std::string text) const { return {true, std::move(text)}; }
    DecodedEvent failed(std::string message) const { return {false, std::move(message)}; }

    ConfigurationDatabase db;
    DateTime t = at(2024, 3, 15, 7, 30, 58);
};

TEST_F(DecodeEventTest, KeyEventTexts) {
    EXPECT_EQ(decode(event(0x01, kJan, t, code(0, 0))), ok("Vrátnice, TM0, Jan Novák, povoleno"));
    EXPECT_EQ(decode(event(0x01, kJan, t, code(1, 1))),
              ok("Vrátnice, TM1, Jan Novák, neoprávněný"));
    EXPECT_EQ(decode(event(0x01, "0B", t, code(3, 3))), ok("Vrátnice, TM3, Eva Malá, nezavřeno"));
    // Without a unit name the name and its comma are absent.
    EXPECT_EQ(decode(event(0x02, kJan, t, code(4, 2))), ok("TM4, Jan Novák, neotevřeno"));
    EXPECT_EQ(decode(event(0x03, kJan, t, code(3, 0))), ok("Závora, TM3, Jan Novák, povoleno"));
}

TEST_F(DecodeEventTest, UnknownKeyStillDecodes) {
    EXPECT_EQ(decode(event(0x01, "00000000000077", t, code(0, 1))),
              ok("Vrátnice, TM0, #neznámý klíč: 00000000000077, neoprávněný"));
}

TEST_F(DecodeEventTest, InputEventTexts) {
    const KeyNumber none;
    EXPECT_EQ(decode(event(0x01, "", t, code(10, 0))), ok("Vrátnice, IN2, klidový stav"));
    EXPECT_EQ(decode(event(0x01, "", t, code(8, 3))), ok("Vrátnice, IN0, AKTIVOVÁNO"));
    EXPECT_EQ(decode(event(0x01, "", t, code(10, 1))), ok("Vrátnice, IN2, ?1A"));
    EXPECT_EQ(decode(event(0x01, "", t, 0xAF)), ok("Vrátnice, IN7, ?AF"));
    EXPECT_EQ(decode(event(0x02, "", t, code(15, 0))), ok("IN7, klidový stav"));
}

TEST_F(DecodeEventTest, EveryMessage) {
    // The date check comes first, whatever else holds.
    EXPECT_EQ(decode(event(0x01, kJan, 0.0, code(0, 0))), failed("#datum události: "));
    EXPECT_EQ(decode(event(0x09, kJan, t, code(0, 0))), failed("#adresa jednotky: "));
    EXPECT_EQ(decode(event(0x01, kJan, t, code(5, 0))), failed("#nepopsaný snímač: "));
    EXPECT_EQ(decode(event(0x01, "", t, code(14, 0))), failed("#nepopsaný snímač: "));
    EXPECT_EQ(decode(event(0x01, "01", t, code(9, 0))), failed("#podivná událost: "));
    // Attendance unit readers 6 and 7, barrier readers 4-7, unknown unit types.
    EXPECT_EQ(decode(event(0x02, kJan, t, code(6, 0))), failed("#inf. událost: "));
    EXPECT_EQ(decode(event(0x02, kJan, t, code(7, 0))), failed("#inf. událost: "));
    for (int reader = 4; reader <= 7; ++reader) {
        EXPECT_EQ(decode(event(0x03, kJan, t, code(reader, 0))), failed("#inf. událost: "));
    }
    EXPECT_EQ(decode(event(0x04, kJan, t, code(0, 0))), failed("#inf. událost: "));
    // Object 2 belongs to an undefined zone; zone names are case-sensitive.
    EXPECT_EQ(decode(event(0x01, kJan, t, code(4, 0))), failed("#nenalezena zóna: "));
    EXPECT_EQ(decode(event(0x01, kJan, t, code(6, 0))), failed("#nenalezena zóna: "));
    EXPECT_EQ(decode(event(0x01, kJan, t, code(2, 0))).ok, true);
}

TEST_F(DecodeEventTest, DescribeAppendsTheDumpToAMessage) {
    const EventRecord e = event(0x09, kJan, 0.0, 0x93);
    EXPECT_EQ(EventDecoder(db).describe(e),
              "#datum události: 09 0000000000000000 0102030405060A 93 00 00");
    EXPECT_EQ(EventDecoder(db).describe(event(0x01, kJan, t, code(0, 0))),
              "Vrátnice, TM0, Jan Novák, povoleno");
}

TEST_F(DecodeEventTest, DecodingChangesNoTable) {
    ASSERT_TRUE(db.units.select(2));
    const auto unitBefore = db.units.current();
    const auto holderBefore = db.keyHolders.current();
    (void)decode(event(0x01, kJan, t, code(0, 0)));
    EXPECT_EQ(db.units.position(), 2);
    EXPECT_EQ(db.units.current(), unitBefore);
    EXPECT_EQ(db.keyHolders.current(), holderBefore);
}

TEST_F(DecodeEventTest, BulkDecoderAgreesWithTheTables) {
    std::mt19937 rng(5);
    const EventDecoder plain(db);
    const BulkEventDecoder bulk(plain);
    const char* keys[] = {kJan, "0B", "00000000000077", ""};
    for (int i = 0; i < 5000; ++i) {
        EventRecord e = event(static_cast<std::uint8_t>(rng() % 6), keys[rng() % 4],
                              rng() % 10 == 0 ? 0.0 : t, static_cast<std::uint8_t>(rng()));
        ASSERT_EQ(bulk.decode(e), plain.decode(e)) << eventDump(e);
    }
}

TEST_F(DecodeEventTest, ArbitraryRecordBytesDecodeOrFailCleanly) {
    std::mt19937 rng(9);
    const EventDecoder plain(db);
    const BulkEventDecoder bulk(plain);
    std::array<std::uint8_t, EventRecord::kSize> raw{};
    for (int i = 0; i < 2000; ++i) {
        for (auto& b : raw) {
            b = static_cast<std::uint8_t>(rng());
        }
        raw[0] = static_cast<std::uint8_t>(raw[0] % 6);
        const EventRecord e = EventRecord::fromBytes(raw);
        const DecodedEvent d = plain.decode(e);
        ASSERT_EQ(bulk.decode(e), d);
        EXPECT_EQ(plain.describe(e), d.ok ? d.text : d.text + eventDump(e));
    }
}

TEST(EventDump, SevenGroupsInUpperCaseHex) {
    EventRecord e = event(0x0A, "0102030405060A", at(2024, 3, 15, 7, 30, 58), 0x93);
    e.reserved1 = 0xAB;
    e.reserved2 = 0xCD;
    EXPECT_EQ(eventDump(e), "0A 74CF7F05CA26E640 0102030405060A 93 AB CD");
}

TEST(PassageTables, DirectionAndObjectByUnitType) {
    using D = PassageDirection;
    const D arrive = D::Arrival, leave = D::Departure, none = D::None;
    const D access[8] = {arrive, leave, arrive, leave, arrive, leave, arrive, leave};
    const D attendance[8] = {arrive, leave, leave, leave, leave, leave, none, none};
    const D barrier[8] = {arrive, leave, arrive, leave, none, none, none, none};
    const std::optional<int> doorObjects[8] = {0, 0, 1, 1, 2, 2, 3, 3};
    const std::optional<int> attendanceObjects[8] = {0, 0, 0, 0, 0, 0, {}, {}};
    const std::optional<int> barrierObjects[8] = {0, 0, 1, 1, {}, {}, {}, {}};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(passageDirection(kUnitAccess, n), access[n]);
        EXPECT_EQ(passageDirection(kUnitDoor, n), access[n]);
        EXPECT_EQ(passageDirection(kUnitAttendance, n), attendance[n]);
        EXPECT_EQ(passageDirection(kUnitBarrier, n), barrier[n]);
        EXPECT_EQ(passageDirection(0, n), none);
        EXPECT_EQ(passageObject(kUnitAccess, n), doorObjects[n]);
        EXPECT_EQ(passageObject(kUnitDoor, n), doorObjects[n]);
        EXPECT_EQ(passageObject(kUnitAttendance, n), attendanceObjects[n]);
        EXPECT_EQ(passageObject(kUnitBarrier, n), barrierObjects[n]);
        EXPECT_EQ(passageObject(9, n), std::nullopt);
    }
}

TEST_F(DecodeEventTest, ListingLinesAndFile) {
    EventTable table;
    ASSERT_TRUE(table.append(event(0x01, kJan, t, code(0, 0))));
    ASSERT_TRUE(table.append(event(0x09, "", 0.0, code(8, 3))));
    const std::vector<std::string> expected = {
        "Výpis událostí",
        "",
        "15.03.2024 07:30:58 Vrátnice, TM0, Jan Novák, povoleno",
        "30.12.1899 00:00:00 #datum události: 09 0000000000000000 00000000000000 38 00 00",
        "---",
    };
    EXPECT_EQ(eventListingLines(table, EventDecoder(db)), expected);

    test::TempDir dir;
    ASSERT_TRUE(writeEventListing(dir / "QTR_WORK.RTF", table, EventDecoder(db)));
    const std::string bytes = test::readText(dir / "QTR_WORK.RTF");
    EXPECT_TRUE(bytes.starts_with("V\xFDpis ud\xE1lost\xED\r\n\r\n15.03.2024 07:30:58 "
                                  "Vr\xE1tnice, TM0, Jan Nov\xE1k, povoleno\r\n"));
    EXPECT_TRUE(bytes.ends_with(" 38 00 00\r\n---\r\n"));

    table.clear();
    EXPECT_EQ(eventListingLines(table, EventDecoder(db)),
              (std::vector<std::string>{"Výpis událostí", "", "---"}));
}

} // namespace
} // namespace qtr
