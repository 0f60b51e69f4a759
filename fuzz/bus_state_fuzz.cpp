// QTRSIM.TXT, the state of the simulated units: any text either restores units or
// names a line; restored units are saved and restored to the same text, and the
// console shows each of them (clock, rights, events) whatever the file held.
#include "base/clock.h"
#include "base/hex_text.h"
#include "fuzz_support.h"
#include "sim/bus_state.h"
#include "sim/sim_console.h"

#include <sstream>

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qtr::ManualClock clock(qtr::encodeDate(2026, 3, 2) + 0.5);
    qtr::sim::SimBus bus(clock);
    std::string error;
    if (!qtr::sim::restoreBusState(text, bus, error)) {
        check(error.starts_with("řádek "));
    }
    const std::string saved = qtr::sim::busStateText(bus);
    qtr::sim::SimBus again(clock);
    check(qtr::sim::restoreBusState(saved, again, error));
    check(qtr::sim::busStateText(again) == saved);

    qtr::sim::SimConsole console(bus);
    std::ostringstream out;
    (void)console.execute("jednotky", out);
    for (const auto& [address, unit] : bus.units()) {
        const std::string a = qtr::hexByteText(address);
        (void)console.execute("stav " + a, out);
        (void)console.execute("prava " + a, out);
        (void)console.execute("udalosti " + a, out);
    }
    return 0;
}
