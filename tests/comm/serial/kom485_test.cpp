#include "comm/packet.h"
#include "comm/serial/com_error.h"
#include "comm/serial/event_loop.h"
#include "comm/serial/kom485.h"
#include "comm/serial/line_control.h"
#include "comm/serial/pty_peer.h"
#include "comm/unit_requests.h"
#include "support/hex_dump.h"

#include <QElapsedTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace qtr {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;
using test::spinFor;
using test::spinUntil;

struct Delivery {
    std::vector<std::uint8_t> bytes;
    bool timeOut = false;
    std::uint8_t resCom = 0;
    std::size_t count = 0;
    int acknowledgesSeenByPeer = 0;
};

class Kom485Test : public ::testing::Test {
protected:
    void SetUp() override {
        port.setDeviceName(QString::fromStdString(peer.device()));
        port.WaitTimeout = 2000;
        port.OnReceiveData = [this](const std::uint8_t* b, std::size_t n) {
            Delivery d;
            d.timeOut = b == nullptr;
            d.count = n;
            if (b != nullptr) {
                d.bytes.assign(b, b + std::min<std::size_t>(n, TKOM485::kBlockKeep));
            }
            d.resCom = port.ResCom;
            d.acknowledgesSeenByPeer = peer.acknowledges();
            deliveries.push_back(d);
            return true;
        };
        port.wireObserver = [this](const TKOM485::WireWrite& w) { writes.push_back(w); };
        port.open();
    }

    bool send(const TxPacket& p) {
        const auto b = requestBytes(p);
        return port.send(b.data(), b.size(), answerLength(p[2]));
    }

    PtyPeer peer;
    TKOM485 port;
    std::vector<Delivery> deliveries;
    std::vector<TKOM485::WireWrite> writes;
};

std::vector<std::uint8_t> statusData(std::uint8_t address) {
    std::vector<std::uint8_t> d(30, 0);
    d[0] = address;
    d[1] = 1;
    d[2] = 2;
    return d;
}

TEST_F(Kom485Test, OneByteReplyIsDeliveredAsResComWithoutAcknowledge) {
    peer.addReply({{0ms, {0x90}}});
    TxPacket p{};
    buildLockRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    spinFor(150);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].resCom, 0x90);
    EXPECT_EQ(deliveries[0].bytes, std::vector<std::uint8_t>{0x90});
    EXPECT_EQ(peer.acknowledges(), 0);
    EXPECT_FALSE(port.busy());
    ASSERT_EQ(peer.requests().size(), 1u);
    EXPECT_BYTES(test::fromHex("0A 03 86 93"), peer.requests()[0]);
}

TEST_F(Kom485Test, CorrectDataAnswerGetsExactlyOneAcknowledgeAfterItsDelivery) {
    peer.addReply({{0ms, test::framedAnswer(statusData(0x0A))}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    ASSERT_TRUE(spinUntil([&] { return peer.acknowledges() > 0; }, 1000));
    spinFor(150);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].resCom, kResComAccepted);
    EXPECT_EQ(deliveries[0].count, 31u);
    EXPECT_EQ(deliveries[0].acknowledgesSeenByPeer, 0); // the receiver had it first
    EXPECT_EQ(peer.acknowledges(), 1);
    const auto rec = peer.received();
    EXPECT_EQ(rec.back().byte, 0xAA);
    EXPECT_EQ(rec.back().parity, PtyPeer::Parity::Space);
}

TEST_F(Kom485Test, RefusedAnswerIsNotAcknowledged) {
    port.OnReceiveData = [this](const std::uint8_t*, std::size_t) {
        deliveries.push_back({});
        return false;
    };
    peer.addReply({{0ms, test::framedAnswer(statusData(0x0A))}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    spinFor(150);
    EXPECT_EQ(peer.acknowledges(), 0);
}

TEST_F(Kom485Test, WrongChecksumOrShortAnswerGivesC0AndNoAcknowledge) {
    auto bad = test::framedAnswer(statusData(0x0A));
    bad.back() ^= 0x40;
    auto shortAnswer = test::framedAnswer(statusData(0x0A));
    shortAnswer.resize(20);
    peer.addReply({{0ms, bad}});
    peer.addReply({{0ms, shortAnswer}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return deliveries.size() == 1; }));
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return deliveries.size() == 2; }));
    spinFor(150);
    EXPECT_EQ(deliveries[0].resCom, kResComBadChecksum);
    EXPECT_EQ(deliveries[1].resCom, kResComBadChecksum);
    EXPECT_EQ(deliveries[1].count, 20u);
    EXPECT_EQ(peer.acknowledges(), 0);
}

TEST_F(Kom485Test, NoAnswerDeliversNullWithResCom1NotBefore2000ms) {
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }, 4000));
    EXPECT_GE(t.elapsed(), 2000);
    EXPECT_TRUE(deliveries[0].timeOut);
    EXPECT_EQ(deliveries[0].resCom, kResComNoAnswer);
    EXPECT_FALSE(port.busy());
}

TEST_F(Kom485Test, AnswerSplitBy60msArrivesAsTwoDeliveries) {
    const auto answer = test::framedAnswer(statusData(0x0A));
    peer.addReply({{0ms, {answer.begin(), answer.begin() + 10}},
                   {60ms, {answer.begin() + 10, answer.end()}}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return deliveries.size() == 2; }));
    EXPECT_EQ(deliveries[0].count, 10u);
    EXPECT_EQ(deliveries[1].count, 21u);
    EXPECT_EQ(deliveries[0].resCom, kResComBadChecksum);
    spinFor(100);
    EXPECT_EQ(peer.acknowledges(), 0);
}

TEST_F(Kom485Test, PiecesCloserThan50msMakeOneAnswer) {
    const auto answer = test::framedAnswer(statusData(0x0A));
    peer.addReply({{0ms, {answer.begin(), answer.begin() + 10}},
                   {30ms, {answer.begin() + 10, answer.end()}}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    spinFor(120);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].count, 31u);
    EXPECT_EQ(deliveries[0].resCom, kResComAccepted);
}

TEST_F(Kom485Test, BlockOver512BytesIsDeliveredWhole) {
    std::vector<std::uint8_t> big(600, 0x0A);
    peer.addReply({{0ms, big}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    EXPECT_EQ(deliveries[0].count, 600u);
}

TEST_F(Kom485Test, SendWhileBusyIsRefusedAndSendsNothing) {
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    const auto writesBefore = writes.size();
    EXPECT_FALSE(send(p));
    EXPECT_EQ(port.lastError(), "Předchozí přenos ještě neskončil!");
    EXPECT_EQ(writes.size(), writesBefore);
    port.cancel();
    spinFor(100);
    EXPECT_EQ(peer.requests().size(), 1u);
}

TEST_F(Kom485Test, OpeningTwiceIsRefused) {
    try {
        port.open();
        FAIL() << "second open accepted";
    } catch (const EChybaCOM& e) {
        EXPECT_STREQ(e.what(), "COM již byl otevřen");
    }
    EXPECT_TRUE(port.isOpen());
}

TEST(Kom485, MissingDeviceCannotBeOpened) {
    TKOM485 port;
    port.setDeviceName("/dev/qtr-no-such-port");
    try {
        port.open();
        FAIL() << "opened a missing device";
    } catch (const EChybaCOM& e) {
        EXPECT_STREQ(e.what(), "Chyba při otevírání COM");
        EXPECT_NE(e.detail().find("/dev/qtr-no-such-port"), std::string::npos);
    }
    EXPECT_FALSE(port.isOpen());
    const std::uint8_t b[4] = {0x0A, 0x03, 0x85, 0x92};
    EXPECT_FALSE(port.send(b, 4, 1));
    EXPECT_EQ(port.lastError(), "Sériový port není otevřen!");
}

TEST_F(Kom485Test, ByteTimelineMarkAddressGapsSpaceRestSilence) {
    peer.addReply({{0ms, test::framedAnswer(statusData(0x0A))}});
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    ASSERT_TRUE(send(p));
    ASSERT_TRUE(spinUntil([&] { return !deliveries.empty(); }));
    const auto deliveredAt = std::chrono::steady_clock::now();
    ASSERT_TRUE(spinUntil([&] { return peer.acknowledges() == 1; }, 1000));

    // What the port was told to send, and with which parity.
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].parity, QSerialPort::MarkParity);
    EXPECT_EQ(writes[0].bytes, QByteArray("\x0A", 1));
    EXPECT_EQ(writes[1].parity, QSerialPort::SpaceParity);
    EXPECT_EQ(writes[1].bytes, QByteArray("\x03\x8A\x97", 3));
    EXPECT_EQ(writes[2].parity, QSerialPort::SpaceParity);
    EXPECT_EQ(writes[2].bytes, QByteArray("\xAA", 1));
    EXPECT_GE(writes[0].at - writes[0].paritySet, 1ms);
    EXPECT_GE(writes[1].paritySet, writes[0].drained);
    EXPECT_GE(writes[1].at - writes[0].drained, 5ms);

    // What arrived at the far end, and the parity in force when it did.
    const auto rec = peer.received();
    ASSERT_EQ(rec.size(), 5u);
    EXPECT_EQ(rec[0].byte, 0x0A);
    EXPECT_EQ(rec[0].parity, PtyPeer::Parity::Mark);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(rec[i].parity, PtyPeer::Parity::Space) << i;
    }
    EXPECT_LT(rec[0].at, rec[1].at); // the address byte came on its own
    EXPECT_TRUE(rec[4].acknowledge);
    // The answer ended only after 50 ms of silence.
    EXPECT_GE(deliveredAt - peer.lastReplyByteAt(), 50ms);
}

} // namespace
} // namespace qtr

namespace qtr {
namespace {

// Why the parity read-back is skipped on a pseudo-terminal: it keeps the
// stick-parity bits but clears the parity enable, so MARK reads back as none.
TEST(LineControl, PseudoTerminalIsRecognisedAndCarriesNoParity) {
    test::PtyPeer peer;
    QSerialPort port(QString::fromStdString(peer.device()));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite));
    const int fd = static_cast<int>(port.handle());
    EXPECT_TRUE(line::isTerminal(fd));
    EXPECT_TRUE(line::isPseudoTerminal(fd));
    port.setParity(QSerialPort::MarkParity);
    EXPECT_EQ(line::parityInForce(fd), line::ParityBit::None);
    const int devNull = ::open("/dev/null", O_RDWR);
    EXPECT_FALSE(line::isTerminal(devNull));
    EXPECT_FALSE(line::isPseudoTerminal(devNull));
    ::close(devNull);
}

} // namespace
} // namespace qtr
