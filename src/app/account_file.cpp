#include "app/account_file.h"

#include "base/file_io.h"

#include <algorithm>
#include <vector>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxCount = kAccountSlotCount;

std::size_t slotOffset(std::size_t index0) {
    return 1 + kAccountSlotSize * index0;
}

void wipe(std::span<std::uint8_t> bytes, RandomSource& random) {
    random.fill(bytes);
}

} // namespace

ScramblingKey scramblingKeyOf(const KeyNumber& masterKey) {
    return {masterKey.bytes[1], masterKey.bytes[2], masterKey.bytes[3]};
}

void scrambleAccountImage(std::span<std::uint8_t, kAccountFileSize> image,
                          const ScramblingKey& key) {
    for (std::size_t n = 0; n < kScrambledSize; ++n) {
        image[n] = static_cast<std::uint8_t>(image[n] ^ key[n % 3] ^ (n % 256));
    }
}

int UserAccounts::find(std::string_view userName, std::string_view password) const {
    const std::size_t n = std::min<std::size_t>(count, kMaxCount);
    for (std::size_t i = 0; i < n; ++i) {
        if (accountSlots[i].userName.text() == userName &&
            accountSlots[i].password.text() == password) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

void randomiseSlot(AccountSlot& slot, RandomSource& random) {
    std::array<std::uint8_t, kAccountSlotSize> bytes;
    random.fill(bytes);
    slot.userName = ShortString<36>::fromBytes(std::span(bytes).subspan(0, 37));
    slot.password = ShortString<35>::fromBytes(std::span(bytes).subspan(37, 36));
    slot.userName.setWin1250({});
    slot.password.setWin1250({});
}

UserAccounts emptyAccounts(RandomSource& random) {
    UserAccounts a;
    for (auto& slot : a.accountSlots) {
        randomiseSlot(slot, random);
    }
    return a;
}

AccountFileImage encodeAccountFile(const UserAccounts& accounts, const ScramblingKey& key,
                                   RandomSource& random) {
    AccountFileImage image;
    random.fill(image);
    image[0] = accounts.count;
    for (std::size_t i = 0; i < kAccountSlotCount; ++i) {
        const std::span<std::uint8_t> slot(image.data() + slotOffset(i), kAccountSlotSize);
        accounts.accountSlots[i].userName.toBytes(slot.subspan(0, 37));
        accounts.accountSlots[i].password.toBytes(slot.subspan(37, 36));
    }
    scrambleAccountImage(image, key);
    return image;
}

UserAccounts decodeAccountFile(const AccountFileImage& image, const ScramblingKey& key) {
    AccountFileImage plain = image;
    scrambleAccountImage(plain, key);
    UserAccounts a;
    a.count = plain[0] > kMaxCount ? 0 : plain[0];
    for (std::size_t i = 0; i < kAccountSlotCount; ++i) {
        const std::span<const std::uint8_t> slot(plain.data() + slotOffset(i), kAccountSlotSize);
        a.accountSlots[i].userName = ShortString<36>::fromBytes(slot.subspan(0, 37));
        a.accountSlots[i].password = ShortString<35>::fromBytes(slot.subspan(37, 36));
    }
    std::fill(plain.begin(), plain.end(), std::uint8_t{0});
    return a;
}

bool accountImageFitsKey(const AccountFileImage& image, const ScramblingKey& key,
                         bool needAccounts) {
    AccountFileImage plain = image;
    scrambleAccountImage(plain, key);
    const std::size_t count = plain[0];
    bool fits = count <= kMaxCount && (count > 0 || !needAccounts);
    for (std::size_t i = 0; fits && i < count; ++i) {
        const std::size_t nameLength = plain[slotOffset(i)];
        const std::size_t passwordLength = plain[slotOffset(i) + 37];
        fits = nameLength >= 1 && nameLength <= 36 && passwordLength >= 1 && passwordLength <= 35;
    }
    std::fill(plain.begin(), plain.end(), std::uint8_t{0});
    return fits;
}

FileResult readAccountImage(const fs::path& file, AccountFileImage& image, RandomSource& random) {
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    if (auto r = readFilePrefix(file, kAccountFileSize, bytes, size); !r) {
        return r;
    }
    const bool whole = size == kAccountFileSize && bytes.size() == kAccountFileSize;
    if (whole) {
        std::copy(bytes.begin(), bytes.end(), image.begin());
    }
    wipe(bytes, random);
    if (!whole) {
        return FileResult::failure("Soubor " + file.filename().string() + " má " +
                                   std::to_string(size) + " bajtů místo " +
                                   std::to_string(kAccountFileSize) + ", účty nelze načíst");
    }
    return FileResult::success();
}

FileResult loadAccountFile(const fs::path& file, const ScramblingKey& key, RandomSource& random,
                           UserAccounts& accounts) {
    if (!isPresent(file)) {
        accounts = emptyAccounts(random);
        return FileResult::success();
    }
    AccountFileImage image;
    if (auto r = readAccountImage(file, image, random); !r) {
        return r;
    }
    accounts = decodeAccountFile(image, key);
    wipe(image, random);
    return FileResult::success();
}

FileResult saveAccountFile(const fs::path& file, const UserAccounts& accounts,
                           const ScramblingKey& key, RandomSource& random) {
    AccountFileImage image = encodeAccountFile(accounts, key, random);
    FileResult r = writeFileAtomically(file, image, FileAccess::OwnerOnly);
    wipe(image, random);
    return r;
}

} // namespace qtr
