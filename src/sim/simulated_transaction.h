#pragma once

#include "comm/unit_transaction.h"
#include "sim/sim_bus.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qtr::sim {

// How the in-process line behaves.
struct SimulatedLine {
    // Sleep as long as the exchange would take on the line (the demo); tests leave
    // it off and only read the computed line time.
    bool realTime = false;
    // 2400 or 9600 Bd: 11 bits per byte; 0 counts no transmission time.
    int baud = 9600;
    // Silence that ends an answer, and the answer time-out, as the serial line has them.
    int silenceMs = 50;
    int answerTimeoutMs = 2000;
};

// What went over the simulated line in one transaction.
struct LineExchange {
    std::vector<std::uint8_t> request;
    std::vector<std::vector<std::uint8_t>> blocks; // answer blocks as the PC would cut them
    bool timedOut = false;
    bool acknowledged = false; // the 0xAA went to the unit
    double lineMs = 0;         // request, unit latency, answer and closing silence
};

// The one-transaction interface over the simulated bus, in-process: the real unit
// procedures run against simulated units without a serial port (tests, qtr-cli
// --sim, the demo mode of qtr). The request reaches the bus as the line would
// carry it; the answer is cut into blocks at pauses of 50 ms or more (the first
// block is the answer; later blocks arrive when nobody waits and are dropped, as
// on the serial line); an answer whose closing silence is not over when the time-out
// (counted from the address byte) ends is no answer. The
// acknowledge byte reaches the unit exactly when the transaction layer sends it,
// so an event is released only when its answer was judged intact and stored.
class SimulatedTransaction final : public UnitTransaction {
public:
    explicit SimulatedTransaction(SimBus& bus, SimulatedLine line = {});

    // Runs whenever the transaction layer lets pending messages run (an interrupt
    // button of a test or of the demo window sets `aborted` here).
    std::function<void()> onPendingMessages;

    const LineExchange& lastExchange() const { return last_; }
    // Line time of every exchange so far, in milliseconds.
    double totalLineMs() const { return totalLineMs_; }

protected:
    bool sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                     std::string& failure) override;
    void cancelRequest() override;
    void waitForEvents() override;
    void processPendingMessages() override;

private:
    double byteMs(std::size_t bytes) const;
    void sleepUntil(double lineMs);
    void deliver();

    SimBus& bus_;
    SimulatedLine line_;
    LineExchange last_;
    std::uint16_t answerLength_ = 0;
    bool pending_ = false;
    double deliverAtMs_ = 0;
    double sleptMs_ = 0;
    double totalLineMs_ = 0;
};

} // namespace qtr::sim
