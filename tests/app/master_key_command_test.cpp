#include "app/account_file.h"
#include "app/data_directory.h"
#include "app/master_key_change.h"
#include "base/file_io.h"
#include "cli/cli_main.h"
#include "db/installation_keys.h"
#include "support/temp_dir.h"

#include <cstring>
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
    std::filesystem::permissions(dir / kAccountFile, std::filesystem::perms::owner_read);
    ASSERT_EQ(run(dir, {"01FFEEDDCCBBAA"}), 0);
    // Replaced as a pair, still with the mode an administrator gave it.
    EXPECT_EQ(std::filesystem::status(dir / kAccountFile).permissions(),
              std::filesystem::perms::owner_read);
    UserAccounts back;
    ASSERT_TRUE(loadAccountFile(dir / kAccountFile,
                                scramblingKeyOf(KeyNumber::parse("01FFEEDDCCBBAA")), random, back)
                    .ok());
    EXPECT_EQ(back.find("správce", "dlouhé heslo"), 1);
}

UserAccounts oneAccount(RandomSource& random) {
    UserAccounts a = emptyAccounts(random);
    a.count = 1;
    a.accountSlots[0].userName.setText("správce");
    a.accountSlots[0].password.setText("dlouhé heslo");
    return a;
}

// The accounts of binfile.bin as the key in QTRKEYS.TXT opens them: -1 when they do
// not open (a count above ten), else the slot of the account made above (0: gone).
int accountUnderTheKeysFile(const test::TempDir& dir) {
    InstallationKeys keys;
    EXPECT_TRUE(loadInstallationKeys(dir.path(), keys));
    SeededRandomSource random(5);
    AccountFileImage image;
    if (!readAccountImage(dir / kAccountFile, image, random)) {
        return -1;
    }
    if (!accountImageFitsKey(image, scramblingKeyOf(keys.masterOrZero()), false)) {
        return -1;
    }
    return decodeAccountFile(image, scramblingKeyOf(keys.masterOrZero()))
        .find("správce", "dlouhé heslo");
}

// The old key is not known (no QTRKEYS.TXT, or one without HLAVNI) or does not open
// binfile.bin: converting would lose the accounts, so the command changes nothing and
// says why; --reset-accounts starts afresh and keeps the old file as binfile.bin.bak.
TEST(MasterKeyCommand, RefusesToLoseAccountsWhoseKeyIsUnknown) {
    const std::string reset = " Nic se nezměnilo. Začít bez účtů lze s přepínačem "
                              "--reset-accounts (binfile.bin se uschová jako binfile.bin.bak).\n";
    const std::string unknown =
        "Původní hlavní klíč není znám (QTRKEYS.TXT ho neobsahuje), účty v binfile.bin proto "
        "nelze převést na nový klíč." +
        reset;
    const struct {
        const char* keysFile; // nullptr: none
        std::string error;
    } cases[] = {
        {nullptr, unknown},
        {"SERVIS=AABBCCDDEEFF11\r\n", unknown},
        {"HLAVNI=01FFEEDDCCBBAA\r\n",
         ("binfile.bin nejde rozšifrovat hlavním klíčem ze souboru QTRKEYS.TXT, převodem na "
          "nový klíč by se účty ztratily." +
          reset)},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        SeededRandomSource random(31);
        const KeyNumber lost = KeyNumber::parse("0155AA3300CC01");
        ASSERT_TRUE(
            saveAccountFile(dir / kAccountFile, oneAccount(random), scramblingKeyOf(lost), random));
        if (c.keysFile != nullptr) {
            test::writeBytes(
                dir / kInstallationKeysFile,
                std::vector<std::uint8_t>(c.keysFile, c.keysFile + strlen(c.keysFile)));
        }
        const auto accountsBefore = test::readBytes(dir / kAccountFile);
        const auto keysBefore = test::readBytes(dir / kInstallationKeysFile);
        std::string err;
        EXPECT_EQ(run(dir, {"0102030405060A"}, &err), 1);
        EXPECT_EQ(err, c.error);
        EXPECT_EQ(test::readBytes(dir / kAccountFile), accountsBefore);
        EXPECT_EQ(test::readBytes(dir / kInstallationKeysFile), keysBefore);

        EXPECT_EQ(run(dir, {"--reset-accounts", "0102030405060A"}, &err), 0) << err;
        EXPECT_FALSE(std::filesystem::exists(dir / kAccountFile));
        EXPECT_EQ(test::readBytes(dir / "binfile.bin.bak"), accountsBefore);
        InstallationKeys keys;
        ASSERT_TRUE(loadInstallationKeys(dir.path(), keys));
        EXPECT_EQ(keys.masterKey, KeyNumber::parse("0102030405060A"));
    }
}

// A change cut off by a crash is settled when the directory is opened next: rolled back
// while binfile.bin.new waits, finished once it was renamed into place.
TEST(MasterKeyChange, AnInterruptedChangeIsFinishedOrRolledBack) {
    const KeyNumber oldKey = KeyNumber::parse("0102030405060A");
    const KeyNumber newKey = KeyNumber::parse("01FFEEDDCCBBAA");
    const struct {
        bool keysNew;
        bool accountsNew;
        bool accountsRenamed; // step 3 happened: binfile.bin is under the new key
        KeyNumber expected;
        const char* note;
    } cases[] = {
        {false, true, false, oldKey,
         "Nedokončená změna hlavního klíče byla vrácena, platí původní klíč."},
        {true, true, false, oldKey,
         "Nedokončená změna hlavního klíče byla vrácena, platí původní klíč."},
        {true, false, true, newKey,
         "Nedokončená změna hlavního klíče byla dokončena (QTRKEYS.TXT)."},
        {false, false, false, oldKey, nullptr},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        SeededRandomSource random(7);
        InstallationKeys keys;
        keys.masterKey = oldKey;
        ASSERT_TRUE(saveInstallationKeys(dir.path(), keys));
        ASSERT_TRUE(saveAccountFile(dir / kAccountFile, oneAccount(random), scramblingKeyOf(oldKey),
                                    random));
        keys.masterKey = newKey;
        if (c.accountsNew || c.accountsRenamed) {
            ASSERT_TRUE(saveAccountFile(dir / (c.accountsNew ? kPendingAccountFile : kAccountFile),
                                        oneAccount(random), scramblingKeyOf(newKey), random));
        }
        if (c.keysNew) {
            ASSERT_TRUE(writeFileAtomically(dir / kPendingKeysFile, installationKeysText(keys)));
        }
        const auto notes = openDataDirectory(dir.path());
        EXPECT_EQ(notes, c.note == nullptr ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.note});
        InstallationKeys now;
        ASSERT_TRUE(loadInstallationKeys(dir.path(), now));
        EXPECT_EQ(now.masterKey, c.expected);
        EXPECT_EQ(accountUnderTheKeysFile(dir), 1);
        EXPECT_FALSE(std::filesystem::exists(dir / kPendingKeysFile));
        EXPECT_FALSE(std::filesystem::exists(dir / kPendingAccountFile));
    }
}

} // namespace
} // namespace qtr
