#pragma once

#include "app/random_source.h"
#include "base/file_result.h"
#include "base/key_number.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace qtr {

// The operators' accounts and their file binfile.bin (1024 bytes):
//   0              account count, scrambled
//   1 + 73(i-1)    user name of slot i, string[36], scrambled
//   38 + 73(i-1)   password of slot i, string[35], scrambled
//   731            a random byte, scrambled
//   732..1023      random bytes
// Byte n (0..731) is stored as plain XOR key[n mod 3] XOR (n mod 256); the key is
// bytes 1, 2, 3 of the installation's master key. Unused slot bytes are random.
inline constexpr const char* kAccountFile = "binfile.bin";
inline constexpr std::size_t kAccountFileSize = 1024;
inline constexpr std::size_t kAccountSlotCount = 10;
inline constexpr std::size_t kAccountSlotSize = 73;
inline constexpr std::size_t kAccountImageSize = 1 + kAccountSlotCount * kAccountSlotSize; // 731
inline constexpr std::size_t kScrambledSize = kAccountImageSize + 1;                       // 732
// A password is taken only from this length on; names from one character.
inline constexpr std::size_t kMinPasswordLength = 7;

using ScramblingKey = std::array<std::uint8_t, 3>;
using AccountFileImage = std::array<std::uint8_t, kAccountFileSize>;

ScramblingKey scramblingKeyOf(const KeyNumber& masterKey);

// Scrambles (or unscrambles: the same operation) bytes 0..731 of a file image.
void scrambleAccountImage(std::span<std::uint8_t, kAccountFileSize> image,
                          const ScramblingKey& key);

struct AccountSlot {
    ShortString<36> userName;
    ShortString<35> password;
};

struct UserAccounts {
    std::uint8_t count = 0; // 0..10
    std::array<AccountSlot, kAccountSlotCount> accountSlots;

    // 1-based slot whose name and password both equal the texts exactly, or 0.
    int find(std::string_view userName, std::string_view password) const;
};

// Random bytes, then empty texts: what an unused slot holds.
void randomiseSlot(AccountSlot& slot, RandomSource& random);
// Count 0, every slot random.
UserAccounts emptyAccounts(RandomSource& random);

// The file image: random bytes receive count and slots, bytes 0..731 are scrambled.
AccountFileImage encodeAccountFile(const UserAccounts& accounts, const ScramblingKey& key,
                                   RandomSource& random);
// The reverse; a count above 10 is taken as 0.
UserAccounts decodeAccountFile(const AccountFileImage& image, const ScramblingKey& key);

// Whether the image is plausibly scrambled with this key: the count is at most ten and
// every account in use has a name of 1..36 and a password of 1..35 characters. With
// `needAccounts` an image that shows no account does not fit either: any key could
// have made it.
bool accountImageFitsKey(const AccountFileImage& image, const ScramblingKey& key,
                         bool needAccounts);

// The file's 1024 bytes as they are; a file of another size is refused with a Czech text.
// The buffer the bytes passed through is overwritten with random bytes.
FileResult readAccountImage(const std::filesystem::path& file, AccountFileImage& image,
                            RandomSource& random);

// A missing file gives no accounts (count 0, random slots). A file of another
// size is refused with a Czech text. The buffer that held the image is
// overwritten with random bytes after use.
FileResult loadAccountFile(const std::filesystem::path& file, const ScramblingKey& key,
                           RandomSource& random, UserAccounts& accounts);
// Written whole through the atomic writer, readable by its owner only.
FileResult saveAccountFile(const std::filesystem::path& file, const UserAccounts& accounts,
                           const ScramblingKey& key, RandomSource& random);

} // namespace qtr
