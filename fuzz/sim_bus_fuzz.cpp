// The simulated units as the line feeds them: bytes arrive in bursts at chosen
// times, the request framer cuts them into requests and acknowledges, and the
// units of the demo bus answer. Keys and inputs happen in between.
// Input: a sequence of [op] [argument bytes...].
#include "base/clock.h"
#include "fuzz_support.h"
#include "sim/demo_scenario.h"
#include "sim/request_framer.h"
#include "sim/sim_bus.h"

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    qtr::ManualClock clock(qtr::encodeDate(2026, 3, 2) + 0.3);
    qtr::sim::SimBus bus(clock);
    qtr::sim::populateBus(bus, qtr::sim::demoScenario());
    qtr::sim::RequestFramer framer;
    double nowMs = 0;
    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        switch (op % 4) {
        case 0: { // a burst of bytes from the PC
            const auto bytes = in.bytes(op / 4 + 1);
            framer.push(bytes, nowMs);
            break;
        }
        case 1: // time passes
            nowMs += (op / 4) * 20.0;
            clock.advanceSeconds((op / 4) * 0.02);
            break;
        case 2: { // a key at a reader of some unit
            const std::uint8_t address = in.byte();
            qtr::KeyNumber key;
            const auto k = in.bytes(qtr::KeyNumber::kSize);
            std::copy(k.begin(), k.end(), key.bytes.begin());
            if (auto* u = bus.unit(address % 5)) {
                (void)u->presentKey(op / 4 % 9, key, clock.now());
            }
            break;
        }
        default: // an input changes
            if (auto* u = bus.unit(in.byte() % 5)) {
                (void)u->changeInput(op / 4 % 9, (op & 0x80) != 0, clock.now());
            }
            break;
        }
        for (const auto& item : framer.take(nowMs)) {
            using Kind = qtr::sim::RequestFramer::Item::Kind;
            if (item.kind == Kind::Request) {
                check(item.bytes.size() >= 3 && item.bytes[1] + 1u == item.bytes.size());
                const qtr::sim::UnitAnswer a = bus.transact(item.bytes);
                for (const auto& piece : a.pieces) {
                    check(piece.bytes.size() <= 600);
                }
                if (a.dataAnswer) {
                    framer.expectAcknowledge();
                }
            } else if (item.kind == Kind::Acknowledge) {
                bus.acknowledge();
            }
        }
        (void)framer.deadline();
    }
    for (const auto& [address, unit] : bus.units()) {
        check(unit.state() == 0 || unit.state() == 1 || unit.state() == 2 || unit.state() == 0xAA);
    }
    return 0;
}
