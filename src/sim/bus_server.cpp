#include "sim/bus_server.h"

#include "base/clock.h"
#include "base/hex_text.h"

#include <algorithm>
#include <chrono>
#include <ostream>

namespace qtr::sim {

std::string hexBytesText(const std::vector<std::uint8_t>& bytes) {
    std::string s;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            s += ' ';
        }
        s += hexByteText(bytes[i]);
    }
    return s;
}

BusServer::BusServer(SimBus& bus, Line& line, ServerTiming timing)
    : bus_(bus), line_(line), timing_(timing) {}

double BusServer::steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void BusServer::trace(const std::string& text) {
    if (trace_ != nullptr) {
        *trace_ << formatDateTime("hh:nn:ss.zzz", SystemClock().now()) << " " << text << "\n"
                << std::flush;
    }
}

bool BusServer::onReadable(double nowMs) {
    std::string bytes;
    if (!line_.readAvailable(bytes)) {
        return false;
    }
    if (!bytes.empty()) {
        framer_.push({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, nowMs);
    }
    takeFrames(nowMs);
    return true;
}

void BusServer::takeFrames(double nowMs) {
    for (auto& item : framer_.take(nowMs)) {
        switch (item.kind) {
        case RequestFramer::Item::Kind::Request:
            trace("PC -> " + hexBytesText(item.bytes));
            schedule(item.bytes, nowMs);
            break;
        case RequestFramer::Item::Kind::Acknowledge:
            trace("PC -> AA (potvrzení)");
            bus_.acknowledge();
            break;
        case RequestFramer::Item::Kind::Dropped:
            trace("PC -> " + hexBytesText(item.bytes) + " (neúplné, zahozeno)");
            break;
        }
    }
}

void BusServer::schedule(const std::vector<std::uint8_t>& request, double nowMs) {
    const UnitAnswer answer = bus_.transact(request);
    if (answer.pieces.empty()) {
        trace(hexByteText(request[0]) + " mlčí");
        return;
    }
    const double byteMs = 11.0 * 1000.0 / timing_.baud;
    double t = nowMs;
    for (std::size_t p = 0; p < answer.pieces.size(); ++p) {
        const auto& piece = answer.pieces[p];
        t += piece.delayMs;
        const bool lastPiece = p + 1 == answer.pieces.size();
        if (timing_.pace) {
            for (std::size_t i = 0; i < piece.bytes.size(); ++i) {
                const bool last = lastPiece && i + 1 == piece.bytes.size();
                outbox_.push_back({t, {piece.bytes[i]}, last && answer.dataAnswer, request[0]});
                t += byteMs;
            }
        } else {
            outbox_.push_back({t, piece.bytes, lastPiece && answer.dataAnswer, request[0]});
        }
    }
}

void BusServer::onTimer(double nowMs) {
    takeFrames(nowMs);
    while (!outbox_.empty() && outbox_.front().atMs <= nowMs) {
        Outgoing o = std::move(outbox_.front());
        outbox_.pop_front();
        if (!line_.writeAll(o.bytes.data(), o.bytes.size())) {
            trace("zápis na linku selhal");
        }
        traceBurst_.insert(traceBurst_.end(), o.bytes.begin(), o.bytes.end());
        if (o.endsDataAnswer) {
            framer_.expectAcknowledge();
        }
        // One trace line per burst of the line (a paced answer is one burst too).
        const double gapMs = 2 * 11.0 * 1000.0 / timing_.baud;
        const bool burstEnds = o.endsDataAnswer || outbox_.empty() ||
                               outbox_.front().unit != o.unit ||
                               outbox_.front().atMs > o.atMs + gapMs;
        if (burstEnds) {
            trace(hexByteText(o.unit) + " <- " + hexBytesText(traceBurst_));
            traceBurst_.clear();
        }
    }
}

double BusServer::nextWakeMs(double nowMs) const {
    double wake = nowMs + 1000.0;
    if (!outbox_.empty()) {
        wake = std::min(wake, outbox_.front().atMs);
    }
    if (auto d = framer_.deadline()) {
        wake = std::min(wake, *d);
    }
    return wake;
}

} // namespace qtr::sim
