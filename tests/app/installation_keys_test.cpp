#include "db/installation_keys.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qtr {
namespace {

namespace fs = std::filesystem;

TEST(InstallationKeys, NoFileMeansNoAdministratorKeyAtAll) {
    test::TempDir dir;
    InstallationKeys keys;
    keys.masterKey = KeyNumber::parse("0102030405060A");
    ASSERT_TRUE(loadInstallationKeys(dir.path(), keys).ok());
    EXPECT_FALSE(keys.masterKey.has_value());
    EXPECT_TRUE(keys.serviceKeys.empty());
    EXPECT_TRUE(keys.masterOrZero().isZero());
    // Not even the zero key a reader reports when nothing was presented.
    EXPECT_FALSE(keys.isAdministratorKey(KeyNumber{}));
}

TEST(InstallationKeys, FileTextAndRoundTrip) {
    test::TempDir dir;
    InstallationKeys keys;
    keys.masterKey = KeyNumber::parse("0102030405060A");
    keys.serviceKeys = {KeyNumber::parse("AABBCCDDEEFF11")};
    ASSERT_TRUE(saveInstallationKeys(dir.path(), keys).ok());
    const std::string text = test::readText(dir / kInstallationKeysFile);
    EXPECT_NE(text.find("\r\nHLAVNI=0102030405060A\r\nSERVIS=AABBCCDDEEFF11\r\n"),
              std::string::npos);
    const auto perms = fs::status(dir / kInstallationKeysFile).permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);

    InstallationKeys back;
    ASSERT_TRUE(loadInstallationKeys(dir.path(), back).ok());
    EXPECT_EQ(back.masterKey, keys.masterKey);
    EXPECT_EQ(back.serviceKeys, keys.serviceKeys);
    EXPECT_TRUE(back.isAdministratorKey(KeyNumber::parse("0102030405060A")));
    EXPECT_TRUE(back.isAdministratorKey(KeyNumber::parse("AABBCCDDEEFF11")));
    EXPECT_FALSE(back.isAdministratorKey(KeyNumber::parse("0102030405060B")));
}

TEST(InstallationKeys, FaultyLinesAreRefusedWithTheirLineNumber) {
    struct Case {
        const char* text;
        const char* fault;
    };
    const Case cases[] = {
        {"HLAVNI=0102030405060\r\n", "řádek 1"},           // 13 digits
        {"; x\r\nHLAVNI=0102030405060G\r\n", "řádek 2"},   // not hex
        {"HLAVNI=00000000000000\r\n", "nesmí být nulový"}, // the zero key
        {"HLAVNI=0102030405060A\r\nHLAVNI=0102030405060B\r\n", "dvakrát"},
        {"KLIC=0102030405060A\r\n", "neznámý údaj"},
    };
    for (const auto& c : cases) {
        InstallationKeys keys;
        std::string error;
        EXPECT_FALSE(parseInstallationKeysText(c.text, keys, error)) << c.text;
        EXPECT_NE(error.find(c.fault), std::string::npos) << error;
    }
    std::string seven;
    for (int i = 1; i <= 7; ++i) {
        seven += "SERVIS=0102030405060" + std::to_string(i) + "\n";
    }
    InstallationKeys keys;
    std::string error;
    EXPECT_FALSE(parseInstallationKeysText(seven, keys, error));
    EXPECT_NE(error.find("řádek 7"), std::string::npos);
}

TEST(InstallationKeys, LowerCaseDigitsBlanksAndCommentsAreAccepted) {
    InstallationKeys keys;
    std::string error;
    ASSERT_TRUE(parseInstallationKeysText("# c\n\n  HLAVNI= 0102030405060a \n", keys, error))
        << error;
    EXPECT_EQ(keys.masterKey, KeyNumber::parse("0102030405060A"));
}

} // namespace
} // namespace qtr
