// A month of bookings made by the simulated units' day mode, collected into the event
// file as the collection stores them, built into a card and evaluated with qtr-cli.

#include "calendar/holiday_table.h"
#include "cli/cli_run.h"
#include "comm/right_record.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "sim/day_simulation.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"
#include "support/temp_dir.h"
#include "unitproc/collection_store.h"
#include "unitproc/data_collection.h"
#include "unitproc/procedure_sink.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qtr {
namespace {

constexpr const char* kJan = "0100000012345A";
constexpr const char* kEva = "0200000000000B";
constexpr std::uint8_t kTerminal = 0x02;

using test::CliRun;

class AttendanceMonth : public ::testing::Test {
protected:
    void SetUp() override {
        ControlUnitRecord terminal;
        terminal.address = kTerminal;
        terminal.unitType = kUnitAttendance;
        terminal.usage = 1;
        terminal.alarmMask = 0xFF;
        terminal.parameters[0] = 0x12;
        terminal.unitName.setText("Docházka vrátnice");
        ConfigurationDatabase db;
        db.zones.ensureMainZone();
        db.units.current() = terminal;
        ASSERT_TRUE(db.units.append());
        for (const auto& [key, name] : {std::pair{kJan, "Jan Novák"}, {kEva, "Eva Malá"}}) {
            db.keyHolders.newRecord();
            db.keyHolders.current().keyNumber = KeyNumber::parse(key);
            db.keyHolders.current().holderName.setText(name);
            ASSERT_TRUE(db.keyHolders.append());
        }
        ASSERT_TRUE(saveConfiguration(db, dir.path()).empty());
        HolidayTable holidays;
        for (const auto& [day, name] : {std::pair{1, "Svátek práce"}, {8, "Den vítězství"}}) {
            HolidayRecord h;
            h.holidayDate = encodeDate(2026, 5, day);
            h.holidayName.setText(name);
            ASSERT_TRUE(holidays.TryStore(h).succeeded());
        }
        ASSERT_TRUE(saveHolidayTable(holidays, dir.path()));

        // Thursday 30 April 2026, evening: the units are put in service.
        sim::SimBus bus(clock);
        ASSERT_NE(bus.addUnit({kTerminal, sim::kModelVkr8, sim::kModeAttendance, 3, "Docházka"}),
                  nullptr);
        sim::SimulatedTransaction line(bus);
        ASSERT_TRUE(line.KonfigurovatJednotku(terminal)) << line.errorText;
        ASSERT_TRUE(line.NulovatJednotku(terminal)) << line.errorText;
        for (const char* key : {kJan, kEva}) {
            RightRecord r;
            r.keyNumber = KeyNumber::parse(key);
            r.fromTime = makeHourMinute(0, 0);
            r.toTime = makeHourMinute(23, 59);
            r.dayMask = 0x7F;
            r.unitAddress = kTerminal;
            ASSERT_TRUE(line.DuplicitniOpravneni(r)) << line.errorText;
        }
        ASSERT_TRUE(line.UzamknoutJednotku(terminal)) << line.errorText;
        ASSERT_TRUE(line.NastavitCasJednotky(terminal, clock.now())) << line.errorText;

        sim::Scenario scenario;
        sim::ScenarioPerson jan;
        jan.key = KeyNumber::parse(kJan);
        jan.name = "Jan Novák";
        jan.doctorPercent = 15;
        sim::ScenarioPerson eva;
        eva.key = KeyNumber::parse(kEva);
        eva.name = "Eva Malá";
        eva.arrival = makeHourMinute(6, 0);
        eva.departure = makeHourMinute(14, 0);
        eva.businessPercent = 30;
        scenario.persons = {jan, eva};
        sim::DaySimulation day(bus, scenario, 2026);
        actions = sim::simulateWorkingDays(day, clock, 21);

        // Collected by the program's data collection: each event on the disk before
        // the unit is told to release it.
        CollectionStore store(dir / kEventFile);
        LogLines log;
        CollectionOptions options;
        options.maxTries = 3;
        const CollectionResult collected = SberDatVsechny(line, db.units, store, log, options);
        ASSERT_FALSE(collected.errorFlag) << (log.lines.empty() ? "" : log.lines.back());
        eventsCollected = collected.eventsStored;
    }

    CliRun run(std::vector<std::string> args) {
        return test::runQtrCli(dir.path(), std::move(args));
    }

    test::TempDir dir;
    ManualClock clock{encodeDate(2026, 4, 30) + encodeTime(20, 0, 0)};
    std::vector<std::string> actions;
    std::uint64_t eventsCollected = 0;
};

// Jan's month as the day mode planned it (seed 2026, May 2026, 21 working days), each day
// arrival - break out and back - [doctor out and back] - departure:
//
//   01.05. 06:55 11:29 11:59             15:36  491    18.05. 06:52 11:29 11:59             15:33
//   491 04.05. 06:55 11:35 12:05             15:36  491    19.05. 07:06 11:32 12:02 15:33  477
//   05.05. 06:59 11:28 11:58             15:34  485    20.05. 07:06 11:29 11:59             15:31
//   475 06.05. 07:02 11:29 11:59             15:23  471    21.05. 07:04 11:32 12:02 15:22  468
//   07.05. 06:55 11:32 12:02             15:21  476    22.05. 07:04 11:25 11:55             15:35
//   481 08.05. 06:51 11:30 12:00 12:52 14:52 15:31  490    25.05. 07:02 11:35 12:05 13:08 14:45
//   15:37  485 11.05. 07:01 11:25 11:55             15:29  478    26.05. 06:52 11:31 12:01 15:24
//   482 12.05. 06:57 11:35 12:05             15:24  477    27.05. 07:09 11:27 11:57 15:20  461
//   13.05. 07:10 11:25 11:55             15:24  464    28.05. 06:57 11:32 12:02             15:26
//   479 14.05. 07:07 11:29 11:59             15:21  464    29.05. 07:00 11:35 12:05 15:28  478
//   15.05. 06:59 11:27 11:57             15:21  472
//
// The last column is the day's performance: the break (code 4) does not count and every
// other minute does (shift and doctor), so it is departure - arrival - 30. Summed by hand:
// 10036 minutes = 167:16. Doctor (code 3): 12:52-14:52 = 120 and 13:08-14:45 = 97, 217 =
// 3:37; breaks 21 x 30 = 630 = 10:30; the shift (code 1) the rest, 10036 - 217 = 9819 =
// 163:39. The usual shift 07:00-15:30 is 510 minutes on each working day but the two
// holidays, 1.5. and 8.5. (both Fridays, worked: "svátek!"): 19 x 510 = 9690 = 161:30;
// balance 10036 - 9690 = 346 = 5:46.
// Bookings: 4 a day and 2 more on the two doctor days, 88; card lines 3 a day and 2 more on
// the doctor days, 67.
TEST_F(AttendanceMonth, AMonthOfBookingsIsBuiltAndEvaluatedEndToEnd) {
    std::string janDays;
    for (const auto& a : actions) {
        if (a.find("Jan Novák: Odchod (") != std::string::npos) {
            janDays += a.substr(0, 6) + a.substr(11, 5) + " ";
        }
    }
    ASSERT_EQ(janDays.substr(0, 36), "01.05.15:36 04.05.15:36 05.05.15:34 ")
        << "the day mode planned another month; the figures below are of the month above";
    EXPECT_EQ(eventsCollected, actions.size()); // every booking of both persons

    const CliRun built = run({"attendance", "build", "--key", kJan, "--from", "01.05.2026", "--to",
                              "31.05.2026", "--usual", "07:00-15:30"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err, "");
    EXPECT_NE(built.out.find("Docházková karta: Jan Novák 01.05.2026 - 31.05.2026\n"
                             "Klíč: 0100000012345A\n"
                             "Obvykle od: 07:00  Obvykle do: 15:30  chybějící nedoplňovat\n"
                             "Použito událostí: 88, přidáno řádků: 67, řádků karty: 67\n"),
              std::string::npos)
        << built.out;
    EXPECT_NE(built.out.find("   19 08.05.2026 pá  08.05. 12:52  08.05. 14:52  02:00  lékař"),
              std::string::npos)
        << built.out;
    EXPECT_NE(built.out.find("Kontrola: karta je formálně správná.\n"), std::string::npos);

    // The same again finds nothing newer than the card.
    const CliRun again =
        run({"attendance", "build", "--key", kJan, "--from", "01.05.2026", "--to", "31.05.2026"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("Použito událostí: 0, přidáno řádků: 0, řádků karty: 67"),
              std::string::npos)
        << again.out;

    const CliRun csv = run({"attendance", "evaluate", "--key", kJan, "--from", "01.05.2026", "--to",
                            "31.05.2026", "--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::vector<std::string> rows;
    std::istringstream in(csv.out);
    for (std::string row; std::getline(in, row);) {
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 33u);
    EXPECT_EQ(rows[0], "\xEF\xBB\xBF"
                       "Datum;Den;Typ;Norma;Výkon;Saldo;Počátek;Konec;Na prac.;"
                       "Služebně;Lékař;Přest.;volný;Dovol.;Nemoc;Poznámka;Upozornění\r");
    EXPECT_EQ(rows[2], "02.05.2026;so;s;0:00;0:00;0:00;;;0:00;0:00;0:00;0:00;0:00;0:00;0:00;;\r");
    EXPECT_EQ(rows[1], "01.05.2026;pá;S;0:00;8:11;8:11;06:55;15:36;8:11;0:00;0:00;0:30;0:00;0:00;"
                       "0:00;svátek!;\r");
    EXPECT_EQ(rows[4], "04.05.2026;po;;8:30;8:11;-0:19;06:55;15:36;8:11;0:00;0:00;0:30;0:00;0:00;"
                       "0:00;;\r");
    EXPECT_EQ(rows[8], "08.05.2026;pá;S;0:00;8:10;8:10;06:51;15:31;6:10;0:00;2:00;0:30;0:00;0:00;"
                       "0:00;svátek!;\r");
    EXPECT_EQ(rows[32], "CELKEM;;;161:30;167:16;5:46;;;163:39;0:00;3:37;10:30;0:00;0:00;0:00;;\r");
    int performance = 0;
    for (std::size_t i = 1; i <= 31; ++i) {
        std::istringstream fields(rows[i]);
        std::string value;
        for (int f = 0; f <= 4; ++f) { // Datum;Den;Typ;Norma;Výkon
            std::getline(fields, value, ';');
        }
        const auto colon = value.find(':');
        performance += std::stoi(value.substr(0, colon)) * 60 + std::stoi(value.substr(colon + 1));
    }
    EXPECT_EQ(performance, 10036) << "the day rows add up to the total";
}

} // namespace
} // namespace qtr
