#include "sim/request_framer.h"

#include "comm/packet.h"

namespace qtr::sim {
namespace {

// Whether some command of the table has this request length.
bool isKnownRequestLength(std::uint8_t l) {
    for (const auto& c : kCommandTable) {
        if (c.requestLength == l) {
            return true;
        }
    }
    return false;
}

} // namespace

void RequestFramer::push(std::span<const std::uint8_t> bytes, double nowMs) {
    if (bytes.empty()) {
        return;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    lastByteMs_ = nowMs;
}

bool RequestFramer::completeRequestToAckAddress() const {
    if (buffer_.size() < 3) {
        return false;
    }
    const std::size_t l = buffer_[1];
    return l >= 3 && buffer_.size() >= l + 1 && requestLength(buffer_[2]) == l &&
           byteSum(std::span(buffer_).first(l)) == buffer_[l];
}

bool RequestFramer::mayStillBeRequest() const {
    if (buffer_.size() < 2) {
        return true;
    }
    const std::uint8_t l = buffer_[1];
    if (!isKnownRequestLength(l)) {
        return false;
    }
    if (buffer_.size() >= 3 && requestLength(buffer_[2]) != l) {
        return false;
    }
    return buffer_.size() < static_cast<std::size_t>(l) + 1;
}

std::vector<RequestFramer::Item> RequestFramer::take(double nowMs) {
    std::vector<Item> out;
    const bool quiet = nowMs - lastByteMs_ >= kStaleFrameMs;
    auto cut = [&](Item::Kind kind, std::size_t n) {
        out.push_back({kind, {buffer_.begin(), buffer_.begin() + static_cast<long>(n)}});
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(n));
    };
    while (!buffer_.empty()) {
        if (acknowledgeExpected_ && buffer_[0] == 0xAA) {
            if (completeRequestToAckAddress()) {
                acknowledgeExpected_ = false;
                cut(Item::Kind::Request, static_cast<std::size_t>(buffer_[1]) + 1);
                continue;
            }
            if (mayStillBeRequest() && nowMs - lastByteMs_ < kAcknowledgeDecisionMs) {
                break;
            }
            acknowledgeExpected_ = false;
            cut(Item::Kind::Acknowledge, 1);
            continue;
        }
        acknowledgeExpected_ = false;
        if (buffer_.size() < 2) {
            if (quiet) {
                cut(Item::Kind::Dropped, buffer_.size());
            }
            break;
        }
        const std::size_t l = buffer_[1];
        // Without parity nothing marks the address byte: a length no command has, or a
        // command that does not fit its length, is noise; look for the next start.
        if (!isKnownRequestLength(buffer_[1]) ||
            (buffer_.size() >= 3 && requestLength(buffer_[2]) != l)) {
            cut(Item::Kind::Dropped, 1);
            continue;
        }
        if (buffer_.size() < l + 1) {
            if (quiet) {
                cut(Item::Kind::Dropped, buffer_.size());
            }
            break;
        }
        cut(Item::Kind::Request, l + 1);
    }
    return out;
}

std::optional<double> RequestFramer::deadline() const {
    if (buffer_.empty()) {
        return std::nullopt;
    }
    if (acknowledgeExpected_ && buffer_[0] == 0xAA) {
        return lastByteMs_ + kAcknowledgeDecisionMs;
    }
    return lastByteMs_ + kStaleFrameMs;
}

} // namespace qtr::sim
