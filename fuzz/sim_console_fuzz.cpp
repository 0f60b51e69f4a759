// The console of qtr-sim: any lines, one after another, on the demo bus.
#include "base/clock.h"
#include "fuzz_support.h"
#include "sim/demo_scenario.h"
#include "sim/sim_console.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qtr::ManualClock clock(qtr::encodeDate(2026, 3, 2) + 0.3);
    qtr::sim::SimBus bus(clock);
    qtr::sim::populateBus(bus, qtr::sim::demoScenario());
    qtr::sim::SimConsole console(bus);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::ostringstream out;
        (void)console.execute(text.substr(pos, end - pos), out);
        clock.advanceSeconds(7);
        pos = end + 1;
    }
    return 0;
}
