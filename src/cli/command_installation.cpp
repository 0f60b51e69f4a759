#include "app/account_file.h"
#include "app/master_key_change.h"
#include "app/random_source.h"
#include "base/file_io.h"
#include "cli/commands.h"
#include "db/installation_keys.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace qtr::cli {
namespace fs = std::filesystem;

namespace {

constexpr const char* kResetOption = "--reset-accounts";

constexpr const char* kUsage =
    "Použití: master-key KLÍČ [SERVISNÍ_KLÍČ...] [--reset-accounts] (14 šestnáctkových číslic, "
    "nejvýše šest servisních klíčů)\n";

// Why the accounts cannot follow the new key.
std::string accountsProblem(bool oldKeyKnown) {
    const std::string way = " Nic se nezměnilo. Začít bez účtů lze s přepínačem " +
                            std::string(kResetOption) + " (" + kAccountFile + " se uschová jako " +
                            kAccountFile + ".bak).";
    if (oldKeyKnown) {
        return std::string(kAccountFile) + " nejde rozšifrovat hlavním klíčem ze souboru " +
               kInstallationKeysFile + ", převodem na nový klíč by se účty ztratily." + way;
    }
    return std::string("Původní hlavní klíč není znám (") + kInstallationKeysFile +
           " ho neobsahuje), účty v " + kAccountFile + " proto nelze převést na nový klíč." + way;
}

// The old accounts kept as binfile.bin.bak, then gone: the installation starts without any.
FileResult setAccountsAside(const fs::path& accountFile, fs::path& kept) {
    if (FileResult r = keepBackupCopy(accountFile, kept); !r) {
        return r;
    }
    return removeFileDurably(accountFile);
}

} // namespace

// master-key HEX14 [SERVIS...] [--reset-accounts]: provisions the installation's master
// key and, when given, replaces the service keys. The accounts in binfile.bin are
// scrambled with the master key, so they are carried over to the new one; when the
// old key is not known they cannot be, and the command refuses unless told to start
// without accounts.
int runMasterKey(CliContext& ctx) {
    std::vector<std::string> args = ctx.args;
    const auto reset = std::find(args.begin(), args.end(), kResetOption);
    const bool resetAccounts = reset != args.end();
    if (resetAccounts) {
        args.erase(reset);
    }
    if (args.empty() || args.size() > 1 + kServiceKeyCount) {
        *ctx.err << kUsage;
        return kExitUsage;
    }
    for (const auto& a : args) {
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
    const bool oldKeyKnown = keys.masterKey.has_value();
    // Without a master key the program scrambles the accounts with the zero key.
    const KeyNumber oldMaster = keys.masterOrZero();
    keys.masterKey = KeyNumber::parse(args[0]);
    if (args.size() > 1) {
        keys.serviceKeys.clear();
        for (std::size_t i = 1; i < args.size(); ++i) {
            keys.serviceKeys.push_back(KeyNumber::parse(args[i]));
        }
    }

    SystemRandomSource random;
    const fs::path accountFile = ctx.dir / kAccountFile;
    std::optional<UserAccounts> accounts;
    if (isPresent(accountFile) && resetAccounts) {
        fs::path kept;
        if (FileResult r = setAccountsAside(accountFile, kept); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
        *ctx.out << kAccountFile << ": původní účty uschovány jako " << kept.filename().string()
                 << ", instalace začíná bez účtů\n";
    } else if (isPresent(accountFile) && oldMaster != *keys.masterKey) {
        AccountFileImage image;
        if (FileResult r = readAccountImage(accountFile, image, random); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
        const ScramblingKey oldKey = scramblingKeyOf(oldMaster);
        // Zero-key accounts are this program's own only when some account shows in them.
        if (!accountImageFitsKey(image, oldKey, !oldKeyKnown)) {
            random.fill(image);
            *ctx.err << accountsProblem(oldKeyKnown) << "\n";
            return kExitFailure;
        }
        accounts = decodeAccountFile(image, oldKey);
        random.fill(image);
    }
    if (FileResult r = changeMasterKey(ctx.dir, keys, accounts ? &*accounts : nullptr, random);
        !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    if (accounts) {
        *ctx.out << kAccountFile << ": účty uživatelů převedeny na nový klíč ("
                 << static_cast<int>(accounts->count) << ")\n";
    }
    *ctx.out << kInstallationKeysFile << ": hlavní klíč " << keys.masterKey->text()
             << ", servisních klíčů " << keys.serviceKeys.size() << "\n";
    return kExitOk;
}

} // namespace qtr::cli
