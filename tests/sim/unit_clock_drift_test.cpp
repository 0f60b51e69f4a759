// Unit clocks that drift and that lose their time in a power cut.

#include "sim/bus_state.h"
#include "sim/sim_console.h"
#include "sim/sim_fixture.h"
#include "sim/unit_clock.h"

#include <sstream>

namespace qtr::sim::test {
namespace {

using UnitClockDrift = SimFixture;

TEST_F(UnitClockDrift, DriftPowerCutAndTheConsoleCommands) {
    SimUnit& u = addUnit(0x01);
    u.clock().set(clock.now(), clock.now());
    SimConsole console(bus);
    std::ostringstream out;
    ASSERT_FALSE(console.execute("hodiny 01 +180 36", out).refused) << out.str();
    EXPECT_EQ(out.str(), "01: čas jednotky 09.12.2026 08:03:00, drift 36 s za hodinu\n");
    clock.advanceSeconds(3600);
    EXPECT_EQ(formatDateTime("hh:nn:ss", u.clock().now(clock.now())), "09:03:36");
    // What the status answer reports: BCD 36 s, 03 min, 09 h.
    const auto status = u.statusBytes(clock.now());
    EXPECT_EQ(status[23], 0x36);
    EXPECT_EQ(status[24], 0x03);
    EXPECT_EQ(status[25], 0x09);

    // The drift lasts across a saved state; a unit without drift keeps the old line.
    SimBus again(clock);
    std::string error;
    ASSERT_TRUE(restoreBusState(busStateText(bus), again, error)) << error;
    clock.advanceSeconds(3600);
    EXPECT_EQ(formatDateTime("hh:nn:ss", again.unit(0x01)->clock().now(clock.now())), "10:04:12");
    EXPECT_NE(busStateText(bus).find(" drift 36\n"), std::string::npos);

    out.str("");
    ASSERT_FALSE(console.execute("vypadek 01", out).refused);
    EXPECT_EQ(out.str(), "01: výpadek napájení, čas jednotky 01.01.2000 00:00:00\n");
    EXPECT_EQ(u.clock().now(clock.now()), encodeDate(2000, 1, 1));
    clock.advanceSeconds(3600); // the drift goes on after the cut
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", u.clock().now(clock.now())),
              "01.01.2000 01:00:36");

    for (const char* bad : {"hodiny 01", "hodiny 01 x", "hodiny 01 10 4000", "vypadek 77"}) {
        out.str("");
        EXPECT_TRUE(console.execute(bad, out).refused) << bad;
    }
}

} // namespace
} // namespace qtr::sim::test
