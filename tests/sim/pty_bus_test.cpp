// The simulated bus served on a pseudo-terminal, driven from the other end as a
// serial port would drive it.

#include "comm/unit_requests.h"
#include "comm/unit_status_view.h"
#include "sim/served_bus.h"
#include "sim/simulated_transaction.h"
#include "sim_fixture.h"
#include "support/hex_dump.h"

#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace qtr::sim::test {
namespace {

using qtr::test::fromHex;

// The PC's end: writes a request, reads until 50 ms of silence, acknowledges
// a correct data answer when asked to.
class PortEnd {
public:
    explicit PortEnd(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        EXPECT_GE(fd_, 0);
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~PortEnd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    void write(const std::vector<std::uint8_t>& bytes) {
        EXPECT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::vector<std::uint8_t> readAnswer(int firstByteMs = 2000) {
        std::vector<std::uint8_t> got;
        int wait = firstByteMs;
        for (;;) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, wait) <= 0) {
                return got;
            }
            std::uint8_t buf[600];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) {
                return got;
            }
            got.insert(got.end(), buf, buf + n);
            wait = 50;
        }
    }
    std::vector<std::uint8_t> exchange(const TxPacket& packet, bool acknowledge) {
        const auto request = requestBytes(packet);
        write({request.begin(), request.end()});
        auto answer = readAnswer();
        if (acknowledge) {
            write({0xAA});
        }
        return answer;
    }

private:
    int fd_ = -1;
};

class PtyBus : public SimFixture {};

TEST_F(PtyBus, AConfigureResetRightsLockSequenceByHandAndARefusal) {
    addUnit(0x0A);
    ServedBus served(bus, {});
    PortEnd port(served.path());
    TxPacket p{};
    ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);

    buildLockRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("0B"), port.exchange(p, false)); // not configured yet
    buildResetRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("0B"), port.exchange(p, false));
    buildConfigureRequest(p, rec);
    EXPECT_BYTES(fromHex("AA"), port.exchange(p, false));
    buildResetRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("AA"), port.exchange(p, false));
    buildRightRequest(p,
                      right(0x0A, "0100000012345A", makeHourMinute(7, 30), makeHourMinute(16, 0)));
    EXPECT_BYTES(fromHex("AA"), port.exchange(p, false));
    buildLockRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("AA"), port.exchange(p, false));
    buildRightRequest(p, right(0x0A, "0100000012345B", 0, makeHourMinute(23, 59)));
    EXPECT_BYTES(fromHex("90"), port.exchange(p, false)); // "uzamčeno"

    buildStatusRequest(p, 0x0A);
    const auto answer = port.exchange(p, true);
    ASSERT_EQ(answer.size(), 31u);
    // Judged by the program's own verdict and decoded by its status view.
    AnswerAreas areas;
    EXPECT_EQ(judgeAnswer(p, answer.data(), answer.size(),
                          transportStatus(30, answer.data(), answer.size()), areas),
              "");
    const UnitStatusView v = decodeUnitStatus(areas.unitStatus);
    EXPECT_EQ(v.unitState, "uzamčena");
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 1");
    EXPECT_EQ(v.pendingEvents, "Prázdný seznam událostí.");
}

TEST_F(PtyBus, EventsAreReleasedOnlyByTheAcknowledgeByte) {
    SimUnit& unit = addUnit(0x0A);
    configure(unitRecord(0x0A, kUnitAccess), {});
    unit.presentKey(0, KeyNumber::parse("0100000012345A"), clock.now());
    unit.presentKey(1, KeyNumber::parse("0200000000000B"), clock.now());
    ServedBus served(bus, {});
    PortEnd port(served.path());
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);

    const auto first = port.exchange(p, false); // the acknowledge is lost
    ASSERT_EQ(first.size(), 19u);
    EXPECT_BYTES(fromHex("01 5A 34 12 00 00 00"), std::span(first).subspan(4, 7));
    EXPECT_BYTES(first, port.exchange(p, true)); // the same event again, now acknowledged
    const auto second = port.exchange(p, true);
    ASSERT_EQ(second.size(), 19u);
    EXPECT_BYTES(fromHex("02 0B 00 00 00 00 00"), std::span(second).subspan(4, 7));
    EXPECT_EQ(second[15], 0x11);
    const auto none = port.exchange(p, true);
    ASSERT_EQ(none.size(), 19u);
    AnswerAreas areas;
    EXPECT_EQ(judgeAnswer(p, none.data(), none.size(), kResComAccepted, areas), "");
    EXPECT_EQ(areas.eventCount, 0);
}

TEST_F(PtyBus, AnAcknowledgeFollowedAtOnceByTheNextRequestIsBothAndNoiseIsSkipped) {
    SimUnit& unit = addUnit(0x0A);
    configure(unitRecord(0x0A, kUnitAccess), {});
    unit.presentKey(0, KeyNumber::parse("0100000012345A"), clock.now());
    ServedBus served(bus, {});
    PortEnd port(served.path());
    TxPacket p{};
    buildReadEventRequest(p, 0x0A);
    ASSERT_EQ(port.exchange(p, false).size(), 19u);
    // Acknowledge and the status request in one write, then noise before the next one.
    port.write(fromHex("AA 0A 03 8A 97"));
    EXPECT_EQ(port.readAnswer().size(), 31u);
    port.write(fromHex("AA")); // acknowledges the status answer: releases nothing
    port.write(fromHex("00 FF 0A 03 8E 9B"));
    const auto none = port.readAnswer();
    ASSERT_EQ(none.size(), 19u);
    EXPECT_BYTES(fromHex("00 00 00 00 00 00 00"), std::span(none).subspan(4, 7));
}

TEST_F(PtyBus, AnswersCanBePacedAtTheLineSpeed) {
    addUnit(0x0A);
    ServedBus served(bus, {true, 9600});
    PortEnd port(served.path());
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    const auto answer = port.exchange(p, true);
    EXPECT_EQ(answer.size(), 31u);
    EXPECT_EQ(answer[0], 0x0A);
}

TEST_F(PtyBus, ASplitAnswerArrivesInTwoParts) {
    addUnit(0x0A);
    ServedBus served(bus, {});
    served.withBus([](SimBus& b) { b.unit(0x0A)->setFault(UnitFault::SplitAnswer); });
    PortEnd port(served.path());
    TxPacket p{};
    buildStatusRequest(p, 0x0A);
    const auto request = requestBytes(p);
    port.write({request.begin(), request.end()});
    EXPECT_EQ(port.readAnswer().size(), 15u);
    EXPECT_EQ(port.readAnswer().size(), 16u);
}

} // namespace
} // namespace qtr::sim::test
