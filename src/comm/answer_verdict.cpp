#include "comm/answer_verdict.h"

#include "base/hex_text.h"
#include "comm/status_text.h"

#include <algorithm>
#include <cstring>

namespace qtr {
namespace {

std::string lengthError(const std::string& prefix, std::size_t count) {
    return prefix + " " + " Nesprávná délka paketu: " + std::to_string(count);
}

std::int32_t readInt32(const std::uint8_t* p) {
    const std::uint32_t v = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                            std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
    return static_cast<std::int32_t>(v);
}

std::string checkEventAnswer(std::uint8_t command, std::uint8_t address, const std::uint8_t* block,
                             std::size_t count, std::uint8_t resCom, AnswerAreas& areas) {
    const std::size_t limit = (command == kCmdReadEventBlock ? 302 : 30) + 1;
    areas.eventCount = 0;
    areas.eventAnswer.fill(0);
    if (count == 0) {
        return {};
    }
    if (count > limit) {
        // The longest answer allowed is one byte longer than the area: never copy past it.
        std::memcpy(areas.eventAnswer.data(), block, std::min(limit, kEventAnswerSize));
        const auto& e = areas.eventAnswer;
        return lengthError(hexByteText(e[0]) + " " + hexByteText(e[3]) + hexByteText(e[2]) +
                               hexByteText(e[1]),
                           count);
    }
    const std::string a = hexByteText(address);
    if (resCom != kResComAccepted) {
        // A damaged answer is not taken: the unit is not acknowledged and keeps its event.
        return a + " " + std::string(kReceivedChecksumText);
    }
    std::memcpy(areas.eventAnswer.data(), block, count - 1);
    if (areas.eventAnswer[0] != address) {
        return hexByteText(areas.eventAnswer[0]) + "/" + a + " Odpovídá jiná jednotka!";
    }
    areas.eventCount = countEventItems(areas.eventAnswer);
    return {};
}

std::string checkStatusAnswer(std::uint8_t address, const std::uint8_t* block, std::size_t count,
                              std::uint8_t resCom, AnswerAreas& areas) {
    if (count == 0) {
        return {};
    }
    const std::string a = hexByteText(address);
    if (count != kUnitStatusSize + 1 && count != kLongStatusAnswerSize + 1) {
        return lengthError(a, count);
    }
    if (resCom != kResComAccepted) {
        return a + " " + std::string(kReceivedChecksumText);
    }
    // Only the addressed unit may answer; the last good status stays.
    if (block[0] != address) {
        return hexByteText(block[0]) + "/" + a + " Odpovídá jiná jednotka!";
    }
    std::memcpy(areas.unitStatus.data(), block, kUnitStatusSize);
    return {};
}

} // namespace

bool isEmptyEventItem(std::span<const std::uint8_t, kRawEventItemSize> item) {
    for (std::size_t i = 0; i < 7; ++i) {
        if (item[i] != 0) {
            return false;
        }
    }
    const std::int32_t stamp = readInt32(item.data() + 7);
    if (stamp > 0 && stamp != 0x210000) {
        return false;
    }
    return item[11] == 0 && item[12] == 0 && item[13] == 0;
}

std::uint8_t countEventItems(std::span<const std::uint8_t, kEventAnswerSize> answer) {
    std::uint8_t n = 0;
    while (n < kMaxEventItems) {
        const auto item = answer.subspan(kFirstEventItemOffset + kRawEventItemSize * n)
                              .first<kRawEventItemSize>();
        if (isEmptyEventItem(item)) {
            break;
        }
        ++n;
    }
    return n;
}

std::uint8_t transportStatus(std::uint16_t expectedAnswerLength, const std::uint8_t* block,
                             std::size_t count) {
    if (expectedAnswerLength < 2) {
        return count > 0 ? block[0] : kResComBadChecksum;
    }
    const std::size_t n =
        expectedAnswerLength == kUnitStatusSize && count == kLongStatusAnswerSize + 1
            ? kLongStatusAnswerSize
            : expectedAnswerLength;
    if (count >= n + 1 && byteSum(std::span(block, n)) == block[n]) {
        return kResComAccepted;
    }
    return kResComBadChecksum;
}

std::string judgeAnswer(const TxPacket& request, const std::uint8_t* block, std::size_t count,
                        std::uint8_t resCom, AnswerAreas& areas) {
    const std::uint8_t address = request[0];
    const std::uint8_t command = request[2];
    const std::string a = hexByteText(address);
    if (block == nullptr) {
        return a + " - " + std::string(statusText(resCom));
    }
    if (count > kMaxAnswerBlock) {
        return a + " -  příliš dlouhý paket!";
    }
    const std::uint16_t n = answerLength(command);
    if (n == 0) {
        return a + " Odezva na neznámý povel!";
    }
    if (n == 1) {
        if (resCom == kResComAccepted) {
            return {};
        }
        return a + " " + std::string(statusText(resCom));
    }
    if (command == kCmdReadEventBlock || command == kCmdReadNextEvent) {
        return checkEventAnswer(command, address, block, count, resCom, areas);
    }
    if (command == kCmdReadStatus) {
        return checkStatusAnswer(address, block, count, resCom, areas);
    }
    return a + " Neznámá data!";
}

} // namespace qtr
