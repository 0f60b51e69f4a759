#include "app/account_file.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qtr {
namespace {

namespace fs = std::filesystem;

// Bytes 1, 2, 3 of this key are 0A 06 05 (the text lists bytes 0, 6, 5, 4, 3, 2, 1).
const KeyNumber kMaster = KeyNumber::parse("0102030405060A");

UserAccounts oneAccount(RandomSource& random) {
    UserAccounts a = emptyAccounts(random);
    a.count = 1;
    a.accountSlots[0].userName.setText("ab");
    a.accountSlots[0].password.setText("secret7");
    return a;
}

TEST(AccountFile, ScramblingKeyIsBytesOneToThreeOfTheMasterKey) {
    EXPECT_EQ(scramblingKeyOf(kMaster), (ScramblingKey{0x0A, 0x06, 0x05}));
}

TEST(AccountFile, ExactBytesForAKnownMasterKeyAndSeededFiller) {
    SeededRandomSource slotsRandom(7);
    const UserAccounts a = oneAccount(slotsRandom);
    SeededRandomSource fileRandom(42);
    const AccountFileImage image = encodeAccountFile(a, scramblingKeyOf(kMaster), fileRandom);

    // Plain byte n XOR key[n mod 3] XOR n, worked out by hand.
    EXPECT_EQ(image[0], 0x0B);  // count 1:   01 ^ 0A ^ 00
    EXPECT_EQ(image[1], 0x05);  // length 2:  02 ^ 06 ^ 01
    EXPECT_EQ(image[2], 0x66);  // 'a':       61 ^ 05 ^ 02
    EXPECT_EQ(image[3], 0x6B);  // 'b':       62 ^ 0A ^ 03
    EXPECT_EQ(image[38], 0x24); // length 7:  07 ^ 05 ^ 26
    EXPECT_EQ(image[39], 0x5E); // 's':       73 ^ 0A ^ 27

    // The filler is the generator's bytes in file order: 731 scrambled, 732.. as drawn.
    SeededRandomSource same(42);
    std::array<std::uint8_t, kAccountFileSize> drawn;
    same.fill(drawn);
    EXPECT_EQ(image[731], drawn[731] ^ 0x05 ^ 0xDB);
    EXPECT_BYTES(std::span(drawn).subspan(732), std::span(image).subspan(732));

    // File byte 4, behind "ab", is the slot's own random byte.
    const std::uint8_t plain4 = a.accountSlots[0].userName.raw()[3];
    EXPECT_EQ(image[4], plain4 ^ 0x06 ^ 0x04);
}

TEST(AccountFile, RoundTripAndAnEmptySlotKeepsItsBytes) {
    SeededRandomSource random(1);
    UserAccounts a = oneAccount(random);
    a.count = 2;
    a.accountSlots[1].userName.setText("Novák Řehoř");
    a.accountSlots[1].password.setText("dlouhé heslo");
    const auto key = scramblingKeyOf(kMaster);
    const UserAccounts back = decodeAccountFile(encodeAccountFile(a, key, random), key);
    EXPECT_EQ(back.count, 2);
    for (std::size_t i = 0; i < kAccountSlotCount; ++i) {
        EXPECT_EQ(back.accountSlots[i].userName, a.accountSlots[i].userName) << i;
        EXPECT_EQ(back.accountSlots[i].password, a.accountSlots[i].password) << i;
    }
    EXPECT_EQ(back.find("Novák Řehoř", "dlouhé heslo"), 2);
    EXPECT_EQ(back.find("Novák Řehoř", "Dlouhé heslo"), 0);
    EXPECT_EQ(back.find("ab", "secret"), 0);
}

TEST(AccountFile, ACountAboveTenIsTakenAsZero) {
    SeededRandomSource random(3);
    const auto key = scramblingKeyOf(kMaster);
    UserAccounts a = oneAccount(random);
    AccountFileImage image = encodeAccountFile(a, key, random);
    image[0] = static_cast<std::uint8_t>(11 ^ key[0]);
    EXPECT_EQ(decodeAccountFile(image, key).count, 0);
    image[0] = static_cast<std::uint8_t>(10 ^ key[0]);
    EXPECT_EQ(decodeAccountFile(image, key).count, 10);
}

TEST(AccountFile, AccountsOnlySeenWithTheRightKey) {
    SeededRandomSource random(5);
    const UserAccounts a = oneAccount(random);
    const AccountFileImage image = encodeAccountFile(a, scramblingKeyOf(kMaster), random);
    const UserAccounts other =
        decodeAccountFile(image, scramblingKeyOf(KeyNumber::parse("01020304050607")));
    EXPECT_EQ(other.find("ab", "secret7"), 0);
}

TEST(AccountFile, SavedOwnerOnlyAndLoadedBack) {
    test::TempDir dir;
    SeededRandomSource random(9);
    const auto key = scramblingKeyOf(kMaster);
    const fs::path file = dir / kAccountFile;
    ASSERT_TRUE(saveAccountFile(file, oneAccount(random), key, random).ok());
    EXPECT_EQ(fs::file_size(file), 1024u);
    const auto perms = fs::status(file).permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
    UserAccounts back;
    ASSERT_TRUE(loadAccountFile(file, key, random, back).ok());
    EXPECT_EQ(back.find("ab", "secret7"), 1);
}

TEST(AccountFile, MissingFileMeansNoAccountsAndAWrongSizeIsRefused) {
    test::TempDir dir;
    SeededRandomSource random(11);
    UserAccounts a;
    a.count = 3;
    ASSERT_TRUE(loadAccountFile(dir / kAccountFile, {}, random, a).ok());
    EXPECT_EQ(a.count, 0);

    test::writeBytes(dir / kAccountFile, std::vector<std::uint8_t>(1000, 0));
    const FileResult r = loadAccountFile(dir / kAccountFile, {}, random, a);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().find("binfile.bin"), std::string::npos);
    EXPECT_NE(r.error().find("1024"), std::string::npos);
}

TEST(AccountFile, ARandomisedSlotHasEmptyTextsOverRandomBytes) {
    SeededRandomSource random(13);
    AccountSlot slot;
    randomiseSlot(slot, random);
    EXPECT_TRUE(slot.userName.empty());
    EXPECT_TRUE(slot.password.empty());
    int nonZero = 0;
    for (std::size_t i = 1; i < slot.userName.raw().size(); ++i) {
        nonZero += slot.userName.raw()[i] != 0;
    }
    EXPECT_GT(nonZero, 20);
}

} // namespace
} // namespace qtr
