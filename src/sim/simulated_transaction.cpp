#include "sim/simulated_transaction.h"

#include "comm/answer_verdict.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace qtr::sim {

SimulatedTransaction::SimulatedTransaction(SimBus& bus, SimulatedLine line)
    : bus_(bus), line_(line) {}

double SimulatedTransaction::byteMs(std::size_t bytes) const {
    return line_.baud > 0 ? static_cast<double>(bytes) * 11.0 * 1000.0 / line_.baud : 0.0;
}

bool SimulatedTransaction::sendRequest(std::span<const std::uint8_t> packet,
                                       std::uint16_t answerLength, std::string&) {
    last_ = LineExchange{};
    last_.request.assign(packet.begin(), packet.end());
    answerLength_ = answerLength;
    const UnitAnswer answer = bus_.transact(packet);

    // Cut the answer where the line would: a pause of `silenceMs` or more ends a block.
    double t = byteMs(packet.size());
    double lastByteMs = t;
    for (const auto& piece : answer.pieces) {
        t += piece.delayMs;
        if (last_.blocks.empty() || piece.delayMs >= line_.silenceMs) {
            last_.blocks.emplace_back();
        }
        last_.blocks.back().insert(last_.blocks.back().end(), piece.bytes.begin(),
                                   piece.bytes.end());
        t += byteMs(piece.bytes.size());
        if (last_.blocks.size() == 1) {
            lastByteMs = t;
        }
    }
    // As on the serial line: the answer timer runs from the moment the address byte has
    // gone, and an answer counts only when the silence that ends it is over in time.
    const double timeoutAt = byteMs(1) + line_.answerTimeoutMs;
    if (last_.blocks.empty() || lastByteMs + line_.silenceMs > timeoutAt) {
        last_.timedOut = true;
        deliverAtMs_ = timeoutAt;
    } else {
        deliverAtMs_ = lastByteMs + line_.silenceMs;
    }
    last_.lineMs = deliverAtMs_;
    sleptMs_ = 0;
    pending_ = true;
    return true;
}

void SimulatedTransaction::cancelRequest() {
    pending_ = false;
    totalLineMs_ += sleptMs_;
}

void SimulatedTransaction::sleepUntil(double lineMs) {
    // In steps, so that an interrupt can come in between.
    while (sleptMs_ < lineMs && !aborted) {
        const double step = std::min(20.0, lineMs - sleptMs_);
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(step));
        sleptMs_ += step;
        processPendingMessages();
    }
}

void SimulatedTransaction::waitForEvents() {
    if (!pending_) {
        processPendingMessages();
        return;
    }
    if (line_.realTime) {
        sleepUntil(deliverAtMs_);
        if (aborted) {
            return;
        }
    } else {
        processPendingMessages();
        if (aborted) {
            return;
        }
    }
    deliver();
}

void SimulatedTransaction::deliver() {
    pending_ = false;
    totalLineMs_ += last_.lineMs;
    if (last_.timedOut) {
        SerialPrijemDat(nullptr, 0, kResComNoAnswer);
        return;
    }
    const auto& block = last_.blocks.front();
    const std::uint8_t resCom = transportStatus(answerLength_, block.data(), block.size());
    if (SerialPrijemDat(block.data(), block.size(), resCom)) {
        bus_.acknowledge();
        last_.acknowledged = true;
    }
}

void SimulatedTransaction::processPendingMessages() {
    if (onPendingMessages) {
        onPendingMessages();
    }
}

} // namespace qtr::sim
