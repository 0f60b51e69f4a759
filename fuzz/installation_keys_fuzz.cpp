// QTRKEYS.TXT: any text either parses or names a line; what parses is written
// back and parses to the same keys.
#include "db/installation_keys.h"
#include "fuzz_support.h"

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qtr::InstallationKeys keys;
    std::string error;
    if (!qtr::parseInstallationKeysText(text, keys, error)) {
        check(error.starts_with(qtr::kInstallationKeysFile));
        return 0;
    }
    check(keys.serviceKeys.size() <= qtr::kServiceKeyCount);
    check(!keys.masterKey || !keys.masterKey->isZero());
    qtr::InstallationKeys again;
    check(qtr::parseInstallationKeysText(qtr::installationKeysText(keys), again, error));
    check(again.masterKey == keys.masterKey && again.serviceKeys == keys.serviceKeys);
    if (keys.masterKey) {
        check(keys.isAdministratorKey(*keys.masterKey));
    }
    check(!keys.isAdministratorKey(qtr::KeyNumber{}));
    return 0;
}
