#include "app/account_file.h"
#include "cli/cli_main.h"
#include "db/installation_keys.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qtr {
namespace {

int run(const test::TempDir& dir, std::vector<std::string> args, std::string* err = nullptr) {
    std::vector<std::string> argv = {"qtr-cli", "--dir", dir.path().string(), "master-key"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::ostringstream out, errs;
    const int rc = cli::runCli(argv, out, errs);
    if (err != nullptr) {
        *err = errs.str();
    }
    return rc;
}

TEST(MasterKeyCommand, RefusesWhatIsNotAWholeKey) {
    test::TempDir dir;
    std::string err;
    EXPECT_EQ(run(dir, {}), 2);
    EXPECT_EQ(run(dir, {"0102030405060"}, &err), 2);
    EXPECT_NE(err.find("14"), std::string::npos);
    EXPECT_EQ(run(dir, {"0102030405060X"}), 2);
    EXPECT_EQ(run(dir, {"00000000000000"}), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / kInstallationKeysFile));
}

TEST(MasterKeyCommand, WritesTheKeysAndKeepsServiceKeysUnlessGiven) {
    test::TempDir dir;
    ASSERT_EQ(run(dir, {"0102030405060a", "AABBCCDDEEFF11"}), 0);
    InstallationKeys keys;
    ASSERT_TRUE(loadInstallationKeys(dir.path(), keys).ok());
    EXPECT_EQ(keys.masterKey, KeyNumber::parse("0102030405060A"));
    ASSERT_EQ(keys.serviceKeys.size(), 1u);

    ASSERT_EQ(run(dir, {"0102030405060B"}), 0);
    ASSERT_TRUE(loadInstallationKeys(dir.path(), keys).ok());
    EXPECT_EQ(keys.masterKey, KeyNumber::parse("0102030405060B"));
    EXPECT_EQ(keys.serviceKeys, (std::vector<KeyNumber>{KeyNumber::parse("AABBCCDDEEFF11")}));
}

TEST(MasterKeyCommand, TheAccountsFollowTheNewKey) {
    test::TempDir dir;
    SeededRandomSource random(31);
    // Accounts made before any key was provisioned are scrambled with the zero key.
    UserAccounts a = emptyAccounts(random);
    a.count = 1;
    a.accountSlots[0].userName.setText("správce");
    a.accountSlots[0].password.setText("dlouhé heslo");
    ASSERT_TRUE(saveAccountFile(dir / kAccountFile, a, scramblingKeyOf({}), random).ok());

    ASSERT_EQ(run(dir, {"0102030405060A"}), 0);
    ASSERT_EQ(run(dir, {"01FFEEDDCCBBAA"}), 0);
    UserAccounts back;
    ASSERT_TRUE(loadAccountFile(dir / kAccountFile,
                                scramblingKeyOf(KeyNumber::parse("01FFEEDDCCBBAA")), random, back)
                    .ok());
    EXPECT_EQ(back.find("správce", "dlouhé heslo"), 1);
}

} // namespace
} // namespace qtr
