#include "comm/comm_parameters.h"
#include "comm/port_names.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>

namespace qtr {
namespace {

using test::fromHex;

TEST(CommParameters, DefaultsWhenTheFileIsMissing) {
    test::TempDir dir;
    CommParameters p;
    p.portIndex = 3;
    p = CommParameters{};
    ASSERT_TRUE(loadCommParameters(dir.path(), p).ok());
    EXPECT_EQ(p, CommParameters{});
    EXPECT_EQ(commDescription(p), "COM2/0/9600");
    EXPECT_EQ(baudRate(p), 9600);
}

TEST(CommParameters, TwelveByteRecordRoundTrip) {
    test::TempDir dir;
    CommParameters p;
    p.interfaceMode = kInterfaceRs232;
    p.portIndex = 3;
    p.baudIndex = 0;
    ASSERT_TRUE(saveCommParameters(dir.path(), p).ok());
    EXPECT_BYTES(fromHex("01000000 03000000 00000000"), test::readBytes(dir / "QTR0000.DAT"));
    CommParameters back;
    ASSERT_TRUE(loadCommParameters(dir.path(), back).ok());
    EXPECT_EQ(back, p);
    EXPECT_EQ(commDescription(back), "COM4/1/2400");
}

// A file of another size or with bad fields is reported and kept as QTR0000.DAT.bak;
// only the bad fields fall back to their defaults (RS485, COM2, 9600 Bd).
TEST(CommParameters, BadFilesAreReportedKeptAndOnlyTheirBadFieldsDefault) {
    const struct {
        const char* bytes;
        const char* description;
        const char* error; // empty: accepted as it is
    } cases[] = {
        {"01000000 03000000 00000000", "COM4/1/2400", ""},
        {"01000000 FFFFFFFF 63000000", "COM2/1/9600",
         "Číslo portu -1 je mimo rozsah, platí výchozí COM2. Rychlost 99 je mimo rozsah, platí "
         "výchozí 9600 Bd."},
        {"07000000 00000000 00000000", "COM1/0/2400",
         "Druh rozhraní 7 je mimo rozsah, platí výchozí RS485."},
        {"01000000 02000000", "COM3/1/9600",
         "Soubor QTR0000.DAT má 8 B místo 12 B. Rychlost chybí, platí výchozí 9600 Bd."},
        {"01", "COM2/0/9600",
         "Soubor QTR0000.DAT má 1 B místo 12 B. Druh rozhraní chybí, platí výchozí RS485. Číslo "
         "portu chybí, platí výchozí COM2. Rychlost chybí, platí výchozí 9600 Bd."},
        {"01000000 00000000 00000000 00000000 00000000 00000000 00", "COM1/1/2400",
         "Soubor QTR0000.DAT má 25 B místo 12 B."},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const auto original = fromHex(c.bytes);
        test::writeBytes(dir / "QTR0000.DAT", original);
        CommParameters p;
        const FileResult r = loadCommParameters(dir.path(), p);
        EXPECT_EQ(commDescription(p), c.description) << c.bytes;
        if (*c.error == 0) {
            EXPECT_TRUE(r) << r.error();
            EXPECT_FALSE(std::filesystem::exists(dir / "QTR0000.DAT.bak"));
            continue;
        }
        EXPECT_EQ(r.error(),
                  std::string(c.error) + " Původní soubor je uschován jako QTR0000.DAT.bak.");
        EXPECT_BYTES(original, test::readBytes(dir / "QTR0000.DAT.bak"));
        // The rewrite at the end writes the parameters in use, one record.
        ASSERT_TRUE(saveCommParameters(dir.path(), p));
        EXPECT_EQ(test::readBytes(dir / "QTR0000.DAT").size(), 12u);
        EXPECT_BYTES(original, test::readBytes(dir / "QTR0000.DAT.bak"));
    }
}

TEST(PortNames, OptionBeatsEnvironmentBeatsDefault) {
    const std::map<std::string, std::string> env = {{"QTR_COM2", "/dev/pts/7"},
                                                    {"QTR_COM3", "/dev/ttyUSB0"}};
    const auto lookup = [&](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    const auto names = resolvePortNames({"", "", "/dev/ttyACM1", ""}, lookup);
    EXPECT_EQ(names.device(0), "/dev/ttyS0");
    EXPECT_EQ(names.device(1), "/dev/pts/7");
    EXPECT_EQ(names.device(2), "/dev/ttyACM1");
    EXPECT_EQ(names.device(3), "/dev/ttyS3");
    EXPECT_EQ(names.device(4), "");
    EXPECT_EQ(names.device(-1), "");
}

TEST(PortNames, TakeComOptionsOutOfTheArguments) {
    std::vector<std::string> args = {"qtr",    "--com2", "/dev/pts/3", "--demo",
                                     "--com4", "x",      "--com1"};
    const auto devices = takeComOptions(args);
    EXPECT_EQ(devices, (std::vector<std::string>{"", "/dev/pts/3", "", "x"}));
    EXPECT_EQ(args, (std::vector<std::string>{"qtr", "--demo", "--com1"}));
    EXPECT_EQ(comOptionNumber("--com5"), 0);
    EXPECT_EQ(comOptionNumber("--com3"), 3);
}

} // namespace
} // namespace qtr
