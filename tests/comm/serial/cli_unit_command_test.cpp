#include "cli/cli_run.h"
#include "comm/serial/pty_peer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;

using test::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return test::runQtrCli(args);
}

std::vector<std::uint8_t> lockedStatus() {
    std::vector<std::uint8_t> s(30, 0);
    s[0] = 0x0A;
    s[1] = 1;
    s[2] = 2;
    s[3] = 0x11;
    s[4] = 1;
    s[5] = 0x3F;
    s[6] = 0x03;
    s[7] = 48;
    s[10] = 16 + 28;
    s[16] = 24;
    s[22] = 1;
    const std::uint8_t clock[] = {0x58, 0x59, 0x23, 0x31, 0x12, 0x01, 0x01};
    std::copy(std::begin(clock), std::end(clock), s.begin() + 23);
    return s;
}

TEST(CliUnitCommands, StatusPrintsTheFieldsOfTheStatusWindow) {
    PtyPeer peer;
    test::TempDir dir;
    peer.addReply({{0ms, test::framedAnswer(lockedStatus())}});
    const auto r = run({"--dir", dir.path().string(), "--com2", peer.device(), "status", "0a"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Adresa: 0A\n"
                     "Typ jednotky: VKR-8 přístupová\n"
                     "Stav jednotky: uzamčena\n"
                     "Režim: 11\n"
                     "Paměť: 64 kB\n"
                     "Alarm: 3F\n"
                     "Relé: 03\n"
                     "Čas jednotky: 31.12.01 23:59:58 - pondělí\n"
                     "Počet nezpracovaných událostí: 2\n"
                     "Počet oprávnění: 2\n"
                     "Oprávnění: 00002C\n"
                     "Události:  000030\n"
                     "Předat:    000018\n"
                     "Služ.info: 000000\n"
                     "Rezerva:   000000\n"
                     "Stav:      01\n"
                     "Přetečení paměti událostí!\n");
    EXPECT_EQ(peer.requests().at(0), (std::vector<std::uint8_t>{0x0A, 0x03, 0x8A, 0x97}));
}

TEST(CliUnitCommands, StatusFailurePrintsErrorTextAndExits1) {
    PtyPeer peer;
    test::TempDir dir;
    peer.addReply({{0ms, {0x90}}}); // a one-byte reply to a data command
    const auto r = run({"--dir", dir.path().string(), "--com2", peer.device(), "status", "0A"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "0A  Nesprávná délka paketu: 1\n");
}

TEST(CliUnitCommands, BadAddressIsAUsageError) {
    for (const char* bad : {"A", "0G", "100", ""}) {
        const auto r = run({"status", bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("dvě šestnáctkové číslice"), std::string::npos);
    }
    EXPECT_EQ(run({"read-key"}).status, 2);
}

TEST(CliUnitCommands, PortThatCannotBeOpenedExits1) {
    test::TempDir dir;
    const auto r = run({"--dir", dir.path().string(), "--com2", "/dev/qtr-none", "read-key", "00"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Chyba při otevírání COM", 0), 0u) << r.err;
}

TEST(CliUnitCommands, ReadKeyPrintsFourteenDigits) {
    PtyPeer peer;
    test::TempDir dir;
    std::vector<std::uint8_t> item(18, 0);
    item[4] = 0x01;
    item[5] = 0x23;
    item[10] = 0xEF;
    item[15] = 0x10;
    peer.addReply({{0ms, test::framedAnswer(item)}});
    const auto r = run({"--dir", dir.path().string(), "--com2", peer.device(), "read-key", "00"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "01EF0000000023\n");
}

} // namespace
} // namespace qtr
