#pragma once

#include "sim/line_endpoint.h"
#include "sim/request_framer.h"
#include "sim/sim_bus.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace qtr::sim {

struct ServerTiming {
    bool pace = false; // answers byte by byte at the line speed (11 bits a byte)
    int baud = 9600;
};

// Serves a simulated bus on a line: cuts the PC's bytes into requests, hands them
// to the bus, and sends each answer after its latency, in its pieces, paced when
// asked. The caller runs the loop: poll fd() for input and wake at nextWakeMs().
class BusServer {
public:
    BusServer(SimBus& bus, Line& line, ServerTiming timing);

    // Every byte in hex, with a time stamp, to this stream (null: no trace).
    void setTrace(std::ostream* trace) { trace_ = trace; }

    int fd() const { return line_.fd(); }
    // Reads what the line holds and acts on it; false when the line failed.
    bool onReadable(double nowMs);
    // Decides what has waited long enough and sends what is due.
    void onTimer(double nowMs);
    // When onTimer has something to do, or a large value.
    double nextWakeMs(double nowMs) const;

    // Milliseconds of a steady clock.
    static double steadyMs();

private:
    struct Outgoing {
        double atMs = 0;
        std::vector<std::uint8_t> bytes;
        bool endsDataAnswer = false;
        std::uint8_t unit = 0;
    };

    void takeFrames(double nowMs);
    void schedule(const std::vector<std::uint8_t>& request, double nowMs);
    void trace(const std::string& text);

    SimBus& bus_;
    Line& line_;
    ServerTiming timing_;
    RequestFramer framer_;
    std::deque<Outgoing> outbox_;
    std::vector<std::uint8_t> traceBurst_;
    std::ostream* trace_ = nullptr;
};

// Text of bytes as "0A 03 85 92".
std::string hexBytesText(const std::vector<std::uint8_t>& bytes);

} // namespace qtr::sim
