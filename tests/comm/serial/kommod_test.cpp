#include "comm/serial/com_error.h"
#include "comm/serial/event_loop.h"
#include "comm/serial/kommod.h"
#include "comm/serial/pty_peer.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;

std::vector<std::uint8_t> statusData(std::uint8_t address) {
    std::vector<std::uint8_t> d(30, 0);
    d[0] = address;
    d[1] = 1;
    d[2] = 2;
    d[3] = 0x12;
    return d;
}

std::vector<std::uint8_t> eventData(std::uint8_t address, std::uint8_t keyByte) {
    std::vector<std::uint8_t> d(18, 0);
    d[0] = address;
    d[4] = keyByte;
    d[15] = 0x10;
    return d;
}

// The module on COM2 = the peer's pseudo-terminal, in the given mode.
struct Module {
    explicit Module(const PtyPeer& peer, std::int32_t mode = kInterfaceRs485)
        : kommod(dir.path(), resolvePortNames({"", peer.device(), "", ""}, nullptr)) {
        kommod.commParameters.interfaceMode = mode;
        kommod.UseComPar();
        kommod.SerialOpen();
    }
    test::TempDir dir;
    TKOMMOD kommod;
};

TEST(Kommod, StatusTransactionOverTheLine) {
    PtyPeer peer;
    Module m(peer);
    peer.addReply({{0ms, test::framedAnswer(statusData(0x0A))}});
    EXPECT_TRUE(m.kommod.CteniStavuJednotky(0x0A)) << m.kommod.errorText;
    EXPECT_EQ(m.kommod.errorText, "");
    EXPECT_EQ(m.kommod.unitStatus[3], 0x12);
    EXPECT_TRUE(test::spinUntil([&] { return peer.acknowledges() == 1; }, 1000));
    EXPECT_BYTES(test::fromHex("0A 03 8A 97"), peer.requests().at(0));

    // The long form: 260 data bytes, the sum after them.
    auto longForm = statusData(0x0A);
    longForm.resize(260, 0x5A);
    longForm[3] = 0x11;
    peer.addReply({{0ms, test::framedAnswer(longForm)}});
    EXPECT_TRUE(m.kommod.CteniStavuJednotky(0x0A)) << m.kommod.errorText;
    EXPECT_EQ(m.kommod.unitStatus[3], 0x11);
    EXPECT_TRUE(test::spinUntil([&] { return peer.acknowledges() == 2; }, 1000));
}

TEST(Kommod, EventReachesTheHookBeforeTheAcknowledgeLeaves) {
    PtyPeer peer;
    Module m(peer);
    peer.addReply({{0ms, test::framedAnswer(eventData(0x0A, 0x42))}});
    int acksAtStore = -1;
    std::uint8_t keyByte = 0;
    const bool ok = m.kommod.CteniUdalosti(0x0A, [&](const AnswerAreas& a, std::string&) {
        // Give a premature acknowledge time to arrive, if one were sent.
        std::this_thread::sleep_for(20ms);
        acksAtStore = peer.acknowledges();
        keyByte = a.eventAnswer[4];
        return true;
    });
    EXPECT_TRUE(ok) << m.kommod.errorText;
    EXPECT_EQ(acksAtStore, 0);
    EXPECT_EQ(keyByte, 0x42);
    EXPECT_EQ(m.kommod.eventCount, 1);
    EXPECT_TRUE(test::spinUntil([&] { return peer.acknowledges() == 1; }, 1000));
}

TEST(Kommod, WrongUnitAnswerIsNeitherTakenNorAcknowledged) {
    PtyPeer peer;
    Module m(peer);
    peer.addReply({{0ms, test::framedAnswer(eventData(0x0B, 0x42))}});
    EXPECT_FALSE(m.kommod.CteniUdalosti(0x0A));
    EXPECT_EQ(m.kommod.errorText, "0B/0A Odpovídá jiná jednotka!");
    test::spinFor(150);
    EXPECT_EQ(peer.acknowledges(), 0);
}

TEST(Kommod, TimeOutAfter2000msReadsZadnaOdpoved) {
    PtyPeer peer;
    Module m(peer);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(m.kommod.CteniStavuJednotky(0x0A));
    EXPECT_GE(t.elapsed(), 2000);
    EXPECT_EQ(m.kommod.errorText, "0A - Žádná odpověď");
}

TEST(Kommod, OversizedBlockReadsTooLong) {
    PtyPeer peer;
    Module m(peer);
    peer.addReply({{0ms, std::vector<std::uint8_t>(600, 0x0A)}});
    EXPECT_FALSE(m.kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(m.kommod.errorText, "0A -  příliš dlouhý paket!");
}

TEST(Kommod, InterruptEndsTheWaitAndTheNextTransactionWorks) {
    PtyPeer peer;
    Module m(peer);
    QTimer::singleShot(100, [&] { m.kommod.aborted = true; });
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(m.kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(m.kommod.errorText, "... přerušeno!");
    EXPECT_LT(t.elapsed(), 1500);
    peer.addReply({{0ms, {0xAA}}});
    EXPECT_TRUE(m.kommod.UzamknoutJednotku(ControlUnitRecord{})) << m.kommod.errorText;
}

TEST(Kommod, ClosedPortFailsAtOnce) {
    PtyPeer peer;
    Module m(peer);
    m.kommod.SerialClose();
    EXPECT_FALSE(m.kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(m.kommod.errorText, "0A - Sériový port není otevřen!");
}

// The parameters dialog closes the port right after a transaction; the program ends so.
TEST(Kommod, ClosingThePortRightAfterAnAnswerKeepsItsAcknowledgeOnTheLine) {
    for (const std::int32_t mode : {kInterfaceRs485, kInterfaceRs232}) {
        PtyPeer peer;
        peer.setPauseAfterReply(300ms); // the acknowledge is still queued when the port closes
        Module m(peer, mode);
        peer.addReply({{0ms, test::framedAnswer(eventData(0x0A, 0x42))}});
        EXPECT_TRUE(m.kommod.CteniUdalosti(0x0A)) << m.kommod.errorText;
        m.kommod.SerialClose();
        EXPECT_TRUE(test::spinUntil([&] { return peer.acknowledges() == 1; }, 1000))
            << "mode " << mode;
    }
}

TEST(Kommod, ParametersFileDefaultsAndRewriteAtTheEnd) {
    test::TempDir dir;
    {
        TKOMMOD k(dir.path(), defaultPortNames());
        EXPECT_EQ(k.commDescription(), "COM2/0/9600");
        EXPECT_EQ(k.readerAddress, 0);
        k.commParameters.portIndex = 0;
    }
    EXPECT_BYTES(test::fromHex("00000000 00000000 01000000"), test::readBytes(dir / "QTR0000.DAT"));
    TKOMMOD again(dir.path(), defaultPortNames());
    EXPECT_EQ(again.commDescription(), "COM1/0/9600");
}

TEST(Kommod, MissingDeviceRaisesForBothModes) {
    test::TempDir dir;
    TKOMMOD k(dir.path(), resolvePortNames({"", "/dev/qtr-none", "", ""}, nullptr));
    k.UseComPar();
    EXPECT_THROW(k.SerialOpen(), EChybaCOM);
    k.commParameters.interfaceMode = kInterfaceRs232;
    k.UseComPar();
    EXPECT_THROW(k.SerialOpen(), EChybaCOM);
}

TEST(Kommod, AvailablePortsListsWhatOpens) {
    PtyPeer peer;
    test::TempDir dir;
    TKOMMOD k(dir.path(), resolvePortNames({"/dev/qtr-none", peer.device(), "", ""}, nullptr));
    const auto ports = k.availablePorts();
    EXPECT_EQ(std::count(ports.begin(), ports.end(), "COM1"), 0);
    EXPECT_EQ(std::count(ports.begin(), ports.end(), "COM2"), 1);
}

TEST(KommodRs232, OneByteReplyJudgedByTheByteReceived) {
    PtyPeer peer;
    Module m(peer, kInterfaceRs232);
    peer.addReply({{0ms, {0xAA}}});
    peer.addReply({{0ms, {0x90}}});
    ControlUnitRecord u;
    u.address = 0x0A;
    EXPECT_TRUE(m.kommod.NulovatJednotku(u)) << m.kommod.errorText;
    EXPECT_FALSE(m.kommod.UzamknoutJednotku(u));
    EXPECT_EQ(m.kommod.errorText, "0A chyba: uzamčeno");
}

TEST(KommodRs232, KeyReadingBuildsItsRequestAndAcknowledges) {
    PtyPeer peer;
    Module m(peer, kInterfaceRs232);
    const auto answer = test::framedAnswer(eventData(0x00, 0x42));
    // Pieces as the polling happens to see them.
    peer.addReply(
        {{0ms, {answer.begin(), answer.begin() + 7}}, {70ms, {answer.begin() + 7, answer.end()}}});
    KeyNumber key;
    EXPECT_TRUE(m.kommod.GetKonvertor(0x00, key, {})) << m.kommod.errorText;
    EXPECT_EQ(key.bytes[0], 0x42);
    EXPECT_BYTES(test::fromHex("00 03 8E 91"), peer.requests().at(0));
    EXPECT_TRUE(test::spinUntil([&] { return peer.acknowledges() == 1; }, 1000));
}

TEST(KommodRs232, AnswerTimeOutOf2000ms) {
    PtyPeer peer;
    Module m(peer, kInterfaceRs232);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(m.kommod.CteniStavuJednotky(0x0A));
    EXPECT_GE(t.elapsed(), 2000);
    EXPECT_EQ(m.kommod.errorText, "0A - Žádná odpověď");
}

} // namespace
} // namespace qtr
