// The account file binfile.bin: any 1024 bytes under any scrambling key decode to
// at most ten accounts, and what decodes is encoded back to the same accounts.
// Input: [3 key bytes] [file image...] (padded with zeros or cut to 1024 bytes).
#include "app/account_file.h"
#include "fuzz_support.h"

#include <algorithm>

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const qtr::ScramblingKey key = {in.byte(), in.byte(), in.byte()};
    qtr::AccountFileImage image{};
    const auto rest = in.bytes(image.size());
    std::copy(rest.begin(), rest.end(), image.begin());

    const qtr::UserAccounts accounts = qtr::decodeAccountFile(image, key);
    check(accounts.count <= qtr::kAccountSlotCount);
    for (std::size_t i = 0; i < accounts.count; ++i) {
        const auto& slot = accounts.accountSlots[i];
        check(accounts.find(slot.userName.text(), slot.password.text()) >= 1);
    }
    qtr::SeededRandomSource random(1); // the same bytes every run, so that a crash repeats
    const qtr::AccountFileImage again = qtr::encodeAccountFile(accounts, key, random);
    const qtr::UserAccounts back = qtr::decodeAccountFile(again, key);
    check(back.count == accounts.count);
    for (std::size_t i = 0; i < qtr::kAccountSlotCount; ++i) {
        check(back.accountSlots[i].userName.text() == accounts.accountSlots[i].userName.text());
        check(back.accountSlots[i].password.text() == accounts.accountSlots[i].password.text());
    }
    return 0;
}
