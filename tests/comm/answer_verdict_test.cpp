#include "comm/answer_verdict.h"
#include "comm/status_text.h"
#include "comm/unit_requests.h"

#include <gtest/gtest.h>
#include <vector>

namespace qtr {
namespace {

// A data answer of `data` followed by its checksum.
std::vector<std::uint8_t> framed(std::vector<std::uint8_t> data) {
    data.push_back(byteSum(data));
    return data;
}

// An 0x8E answer from `address` with one item (key byte 0 set) or an empty one.
std::vector<std::uint8_t> eventAnswer(std::uint8_t address, bool withEvent) {
    std::vector<std::uint8_t> data(18, 0);
    data[0] = address;
    if (withEvent) {
        data[4] = 0x01;
        data[11] = 0x21; // a time stamp
        data[15] = 0x05;
    }
    return framed(data);
}

struct Verdict {
    std::string text;
    AnswerAreas areas;
};

Verdict judge(const TxPacket& request, const std::vector<std::uint8_t>& block) {
    Verdict v;
    const std::uint8_t rc = transportStatus(answerLength(request[2]), block.data(), block.size());
    v.text = judgeAnswer(request, block.data(), block.size(), rc, v.areas);
    return v;
}

TEST(StatusText, FirstMatchWinsUnknownIsQuestionMarks) {
    EXPECT_EQ(statusText(0x01), "Žádná odpověď");
    EXPECT_EQ(statusText(0x02), "chyba: $02");
    EXPECT_EQ(statusText(0x04), "chyba: $04");
    EXPECT_EQ(statusText(0x08), "chyba: $08");
    EXPECT_EQ(statusText(0xAA), "akceptováno");
    EXPECT_EQ(statusText(0xB0), "chyba: CRC");
    EXPECT_EQ(statusText(0x0B), "chyba: kontext povelu");
    EXPECT_EQ(statusText(0x80), "chyba: neznámý povel");
    EXPECT_EQ(statusText(0x90), "chyba: uzamčeno");
    EXPECT_EQ(statusText(0x70), "chyba: neprázdný seznam událostí");
    EXPECT_EQ(statusText(0xA0), "chyba: nelze");
    EXPECT_EQ(statusText(0xC0), "chyba: nepřípustné");
    EXPECT_EQ(statusText(0x00), "???");
    EXPECT_EQ(statusText(0xFF), "???");
}

TEST(TransportStatus, OneByteCommandTakesTheReplyByte) {
    const std::uint8_t b = 0x90;
    EXPECT_EQ(transportStatus(1, &b, 1), 0x90);
}

TEST(TransportStatus, DataAnswerNeedsLengthAndChecksum) {
    auto ok = eventAnswer(0x0A, true);
    EXPECT_EQ(transportStatus(18, ok.data(), ok.size()), kResComAccepted);
    auto bad = ok;
    bad.back() ^= 0x01;
    EXPECT_EQ(transportStatus(18, bad.data(), bad.size()), kResComBadChecksum);
    ok.pop_back();
    EXPECT_EQ(transportStatus(18, ok.data(), ok.size()), kResComBadChecksum);
}

TEST(Verdict, TimeOutAndOversizedBlock) {
    TxPacket lock{};
    buildLockRequest(lock, 0x0A);
    AnswerAreas areas;
    EXPECT_EQ(judgeAnswer(lock, nullptr, 0, kResComNoAnswer, areas), "0A - Žádná odpověď");
    const std::vector<std::uint8_t> big(513, 0xAA);
    EXPECT_EQ(judgeAnswer(lock, big.data(), big.size(), 0xAA, areas), "0A -  příliš dlouhý paket!");
    const std::vector<std::uint8_t> max(512, 0xAA);
    EXPECT_EQ(judgeAnswer(lock, max.data(), 1, 0xAA, areas), "");
}

TEST(Verdict, OneByteReplies) {
    TxPacket lock{};
    buildLockRequest(lock, 0x0A);
    AnswerAreas areas;
    const std::uint8_t accepted = 0xAA;
    EXPECT_EQ(judgeAnswer(lock, &accepted, 1, 0xAA, areas), "");
    const std::uint8_t locked = 0x90;
    EXPECT_EQ(judgeAnswer(lock, &locked, 1, 0x90, areas), "0A chyba: uzamčeno");
    const std::uint8_t odd = 0x55;
    EXPECT_EQ(judgeAnswer(lock, &odd, 1, 0x55, areas), "0A ???");
}

TEST(Verdict, UnknownCommandAndUnknownData) {
    TxPacket p{};
    p[0] = 0x0A;
    p[2] = 0x91;
    AnswerAreas areas;
    const std::uint8_t b = 0xAA;
    EXPECT_EQ(judgeAnswer(p, &b, 1, 0xAA, areas), "0A Odezva na neznámý povel!");
    p[2] = 0x88; // known, data answer, not judged by the program
    EXPECT_EQ(judgeAnswer(p, &b, 1, 0xAA, areas), "0A Neznámá data!");
}

TEST(Verdict, EventAnswerWithOneEvent) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    const auto v = judge(p, eventAnswer(0x0A, true));
    EXPECT_EQ(v.text, "");
    EXPECT_EQ(v.areas.eventCount, 1);
    EXPECT_EQ(v.areas.eventAnswer[0], 0x0A);
    EXPECT_EQ(v.areas.eventAnswer[4], 0x01);
    EXPECT_EQ(v.areas.eventAnswer[18], 0x00); // the checksum is not copied
}

TEST(Verdict, EmptyItemOf19BytesIsSuccessWithNoEvent) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    const auto v = judge(p, eventAnswer(0x0A, false));
    EXPECT_EQ(v.text, "");
    EXPECT_EQ(v.areas.eventCount, 0);
}

TEST(Verdict, EventFromAnotherUnit) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    const auto v = judge(p, eventAnswer(0x0B, true));
    EXPECT_EQ(v.text, "0B/0A Odpovídá jiná jednotka!");
    EXPECT_EQ(v.areas.eventCount, 0);
}

TEST(Verdict, EventAnswerTooLongNamesHeaderBytes) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    std::vector<std::uint8_t> data(31, 0);
    data[0] = 0x0A;
    data[1] = 0x11;
    data[2] = 0x22;
    data[3] = 0x33;
    const auto v = judge(p, framed(data)); // 32 bytes, limit 31
    EXPECT_EQ(v.text, "0A 332211  Nesprávná délka paketu: 32");
    EXPECT_EQ(v.areas.eventCount, 0);
    EXPECT_EQ(v.areas.eventAnswer[30], 0x00);
    data.pop_back();
    EXPECT_EQ(judge(p, framed(data)).text, "0A chyba Rx-CRC"); // 31 bytes: checksum at 18 wrong
}

TEST(Verdict, BlockAnswerLongerThanItsAreaIsCutAtTheArea) {
    TxPacket p{};
    startRequest(p, 0x0A, kCmdReadEventBlock);
    completeChecksum(p);
    std::vector<std::uint8_t> block(400, 0x5A);
    AnswerAreas areas;
    const auto text = judgeAnswer(p, block.data(), block.size(), 0xC0, areas);
    EXPECT_EQ(text, "5A 5A5A5A  Nesprávná délka paketu: 400");
    EXPECT_EQ(areas.eventAnswer[301], 0x5A);
}

TEST(Verdict, DamagedDataAnswersAreNotTaken) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    auto bad = eventAnswer(0x0A, true);
    bad.back() ^= 0xFF;
    const auto v = judge(p, bad);
    EXPECT_EQ(v.text, "0A chyba Rx-CRC");
    EXPECT_EQ(v.areas.eventCount, 0);

    auto shortAnswer = eventAnswer(0x0A, true);
    shortAnswer.resize(10);
    EXPECT_EQ(judge(p, shortAnswer).text, "0A chyba Rx-CRC");
}

TEST(Verdict, EmptyDeliveryIsSuccessWithoutData) {
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    AnswerAreas areas;
    areas.eventCount = 3;
    const std::uint8_t dummy = 0;
    EXPECT_EQ(judgeAnswer(p, &dummy, 0, 0xC0, areas), "");
    EXPECT_EQ(areas.eventCount, 0);
}

TEST(Verdict, StatusAnswers) {
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    std::vector<std::uint8_t> data(30, 0);
    data[0] = 0x0A;
    data[2] = 0x02;
    data[29] = 0x26;
    std::vector<std::uint8_t> longData(260, 0x11);
    std::copy(data.begin(), data.end(), longData.begin());
    std::vector<std::uint8_t> sumAtByte30 = framed(data); // a short answer padded to 261
    sumAtByte30.resize(261, 0x00);
    auto badSum = framed(data);
    badSum.back() ^= 0x01;
    auto longBadSum = framed(longData);
    longBadSum.back() ^= 0x01;
    auto foreign = data;
    foreign[0] = 0x0B;
    auto longForeign = longData;
    longForeign[0] = 0x0B;
    auto shortData = data;
    shortData.pop_back();

    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;
        const char* text;
    };
    const Case cases[] = {
        {"31 bytes", framed(data), ""},
        {"261 bytes, sum at the end", framed(longData), ""},
        {"261 bytes, sum at byte 30 only", sumAtByte30, "0A chyba Rx-CRC"},
        {"31 bytes, wrong sum", badSum, "0A chyba Rx-CRC"},
        {"261 bytes, wrong sum", longBadSum, "0A chyba Rx-CRC"},
        {"another unit", framed(foreign), "0B/0A Odpovídá jiná jednotka!"},
        {"another unit, long form", framed(longForeign), "0B/0A Odpovídá jiná jednotka!"},
        {"30 bytes", framed(shortData), "0A  Nesprávná délka paketu: 30"},
        {"262 bytes", framed(std::vector<std::uint8_t>(261, 0x0A)),
         "0A  Nesprávná délka paketu: 262"},
    };
    for (const auto& c : cases) {
        AnswerAreas areas;
        areas.unitStatus[5] = 0x77; // from an earlier answer
        const std::uint8_t rc = transportStatus(30, c.block.data(), c.block.size());
        EXPECT_EQ(judgeAnswer(p, c.block.data(), c.block.size(), rc, areas), c.text) << c.what;
        const bool taken = std::string_view(c.text).empty();
        EXPECT_EQ(rc == kResComAccepted,
                  taken || std::string_view(c.text).find("jiná") != std::string_view::npos)
            << c.what;
        // Only a good answer replaces the last status, and only with its first 30 bytes.
        EXPECT_EQ(areas.unitStatus[5], taken ? 0x00 : 0x77) << c.what;
        EXPECT_EQ(areas.unitStatus[29], taken ? 0x26 : 0x00) << c.what;
    }
}

TEST(EventCount, ItemsBeforeTheFirstEmptyAtMost21) {
    std::array<std::uint8_t, kEventAnswerSize> a{};
    EXPECT_EQ(countEventItems(a), 0);
    for (std::size_t i = 0; i < 21; ++i) {
        a[4 + 14 * i + 11] = 0x01; // code byte
    }
    EXPECT_EQ(countEventItems(a), 21);
    a[4 + 14 * 5 + 11] = 0;
    EXPECT_EQ(countEventItems(a), 5);
}

TEST(EventCount, EmptyItemRule) {
    std::array<std::uint8_t, kRawEventItemSize> item{};
    EXPECT_TRUE(isEmptyEventItem(item));
    item[7] = 0x00; // 0x210000: 1 January 2000 00:00:00 counts as no time
    item[8] = 0x00;
    item[9] = 0x21;
    EXPECT_TRUE(isEmptyEventItem(item));
    item[7] = 0x01;
    EXPECT_FALSE(isEmptyEventItem(item));
    item = {};
    item[10] = 0x80; // negative time stamp
    EXPECT_TRUE(isEmptyEventItem(item));
    item = {};
    item[6] = 1; // a key byte
    EXPECT_FALSE(isEmptyEventItem(item));
    item = {};
    item[13] = 1;
    EXPECT_FALSE(isEmptyEventItem(item));
    item = {};
    item[12] = 1;
    EXPECT_FALSE(isEmptyEventItem(item));
}

} // namespace
} // namespace qtr
