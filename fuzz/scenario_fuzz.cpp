// The scenario parser of qtr-sim: any text either gives a scenario or names a line;
// a scenario's units go on a bus.
#include "base/clock.h"
#include "fuzz_support.h"
#include "sim/demo_scenario.h"
#include "sim/scenario.h"

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qtr::sim::Scenario s;
    std::string error;
    if (!qtr::sim::parseScenario(text, s, error)) {
        check(error.starts_with("řádek "));
        return 0;
    }
    check(s.latencyMs >= 0 && s.latencyMs <= 10000);
    check(s.baud == 0 || s.baud == 2400 || s.baud == 9600);
    qtr::ManualClock clock(qtr::encodeDate(2026, 3, 2));
    qtr::sim::SimBus bus(clock);
    (void)qtr::sim::populateBus(bus, s);
    check(bus.units().size() <= s.units.size());
    return 0;
}
