#include "app/account_file.h"
#include "app/random_source.h"
#include "cli/commands.h"
#include "db/installation_keys.h"

#include <filesystem>
#include <ostream>

namespace qtr::cli {
namespace fs = std::filesystem;

// master-key HEX14 [SERVIS...]: provisions the installation's master key and,
// when given, replaces the service keys. The accounts in binfile.bin are
// scrambled with the master key, so they are carried over to the new one.
int runMasterKey(CliContext& ctx) {
    if (ctx.args.empty() || ctx.args.size() > 1 + kServiceKeyCount) {
        *ctx.err << "Použití: master-key KLÍČ [SERVISNÍ_KLÍČ...] (14 šestnáctkových číslic, "
                    "nejvýše šest servisních klíčů)\n";
        return kExitUsage;
    }
    for (const auto& a : ctx.args) {
        if (!isProvisionableKeyText(a)) {
            *ctx.err << "Klíč " << a << " musí mít 14 šestnáctkových číslic a nesmí být nulový\n";
            return kExitUsage;
        }
    }
    InstallationKeys keys;
    if (FileResult r = loadInstallationKeys(ctx.dir, keys); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    const KeyNumber oldMaster = keys.masterOrZero();
    keys.masterKey = KeyNumber::parse(ctx.args[0]);
    if (ctx.args.size() > 1) {
        keys.serviceKeys.clear();
        for (std::size_t i = 1; i < ctx.args.size(); ++i) {
            keys.serviceKeys.push_back(KeyNumber::parse(ctx.args[i]));
        }
    }

    // The accounts first: a failure leaves both files as they were.
    SystemRandomSource random;
    const fs::path accountFile = ctx.dir / kAccountFile;
    std::error_code ec;
    const bool haveAccounts = fs::exists(accountFile, ec);
    if (haveAccounts && oldMaster != *keys.masterKey) {
        UserAccounts accounts;
        FileResult r = loadAccountFile(accountFile, scramblingKeyOf(oldMaster), random, accounts);
        if (r) {
            r = saveAccountFile(accountFile, accounts, scramblingKeyOf(*keys.masterKey), random);
        }
        if (!r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
        *ctx.out << kAccountFile << ": účty uživatelů převedeny na nový klíč ("
                 << static_cast<int>(accounts.count) << ")\n";
    }
    if (FileResult r = saveInstallationKeys(ctx.dir, keys); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    *ctx.out << kInstallationKeysFile << ": hlavní klíč " << keys.masterKey->text()
             << ", servisních klíčů " << keys.serviceKeys.size() << "\n";
    return kExitOk;
}

} // namespace qtr::cli
