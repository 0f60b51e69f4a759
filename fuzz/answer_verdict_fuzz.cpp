// The serial receive path: arbitrary deliveries go to the transport's status, the
// answer verdict and the event count, and the items of an accepted event answer
// become the records collection would store (time stamps shown as a listing would).
// Input: [command selector] [address] [status selector] [block...].
#include "base/date_time.h"
#include "comm/answer_verdict.h"
#include "comm/packet.h"
#include "events/event_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The answer area as the verdict's item count takes it (events/ has one of its own).
using AnswerSpan = std::span<const std::uint8_t, qtr::kEventAnswerSize>;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    qtr::TxPacket request{};
    const std::uint8_t selector = data[0];
    // Mostly the commands of the table, sometimes any code at all.
    const std::uint8_t command = selector < 0xF0
                                     ? qtr::kCommandTable[selector % qtr::kCommandTable.size()].code
                                     : static_cast<std::uint8_t>(selector * 7);
    if (qtr::startRequest(request, data[1], command) != 0) {
        qtr::completeChecksum(request);
    } else {
        request[0] = data[1];
        request[2] = command;
    }
    const std::uint8_t* block = data + 3;
    const std::size_t count = size - 3;
    const std::uint8_t resCom = (data[2] & 1) != 0
                                    ? qtr::transportStatus(qtr::answerLength(command), block, count)
                                    : data[2];
    qtr::AnswerAreas areas;
    const std::string text =
        qtr::judgeAnswer(request, (data[2] & 2) != 0 ? nullptr : block, count, resCom, areas);
    check(areas.eventCount <= qtr::kMaxEventItems);
    check(areas.eventCount == 0 || text.empty());
    if (text.empty() && areas.eventCount > 0) {
        check(areas.eventAnswer[0] == request[0]);
    }
    check(qtr::countEventItems(AnswerSpan(areas.eventAnswer)) == areas.eventCount ||
          !text.empty() ||
          (command != qtr::kCmdReadNextEvent && command != qtr::kCmdReadEventBlock));
    for (int i = 1; i <= areas.eventCount; ++i) {
        const qtr::EventRecord e = qtr::buildEventRecord(areas.eventAnswer, i);
        check(e.unitAddress == request[0]);
        check(e.timestamp == 0.0 || qtr::isValidDateTime(e.timestamp));
        (void)qtr::formatDateTime("dd.mm.yyyy hh:nn:ss", e.timestamp);
    }

    std::array<std::uint8_t, qtr::kEventAnswerSize> raw{};
    for (std::size_t i = 0; i < raw.size() && i < count; ++i) {
        raw[i] = block[i];
    }
    check(qtr::countEventItems(AnswerSpan(raw)) <= qtr::kMaxEventItems);
    return 0;
}
