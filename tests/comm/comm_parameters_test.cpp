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

TEST(CommParameters, ShortFileKeepsTheDefaultsAndSaysSo) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0000.DAT", {1, 0, 0});
    CommParameters p;
    const auto r = loadCommParameters(dir.path(), p);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error().find("QTR0000.DAT"), std::string::npos);
    EXPECT_EQ(p, CommParameters{});
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
