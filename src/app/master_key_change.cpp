#include "app/master_key_change.h"

#include "base/file_io.h"

namespace qtr {
namespace fs = std::filesystem;

FileResult changeMasterKey(const fs::path& dir, const InstallationKeys& keys,
                           const UserAccounts* accounts, RandomSource& random) {
    if (accounts == nullptr) {
        return saveInstallationKeys(dir, keys);
    }
    const fs::path pendingAccounts = dir / kPendingAccountFile;
    const fs::path pendingKeys = dir / kPendingKeysFile;
    FileResult r =
        saveAccountFile(pendingAccounts, *accounts, scramblingKeyOf(keys.masterOrZero()), random);
    if (r) {
        r = writeFileAtomically(pendingKeys, installationKeysText(keys), FileAccess::OwnerOnly);
    }
    if (r) {
        // The pair replaces the old files as the atomic writer would: mode and owner stay.
        keepModeAndOwner(dir / kAccountFile, pendingAccounts, FileAccess::OwnerOnly);
        keepModeAndOwner(dir / kInstallationKeysFile, pendingKeys, FileAccess::OwnerOnly);
        r = renameDurably(pendingAccounts, dir / kAccountFile);
    }
    if (!r) {
        // Not yet committed: nothing changed.
        (void)removeFileDurably(pendingKeys);
        (void)removeFileDurably(pendingAccounts);
        return r;
    }
    if (r = renameDurably(pendingKeys, dir / kInstallationKeysFile); !r) {
        return FileResult::failure(r.error() +
                                   " Změna hlavního klíče se dokončí při příštím spuštění.");
    }
    return r;
}

std::vector<std::string> finishPendingKeyChange(const fs::path& dir) {
    const fs::path pendingAccounts = dir / kPendingAccountFile;
    const fs::path pendingKeys = dir / kPendingKeysFile;
    const bool keysWaiting = isPresent(pendingKeys);
    const bool accountsWaiting = isPresent(pendingAccounts);
    std::vector<std::string> notes;
    if (keysWaiting && !accountsWaiting) {
        // binfile.bin is already under the new key: the keys must follow it.
        if (FileResult r = renameDurably(pendingKeys, dir / kInstallationKeysFile); !r) {
            notes.push_back("Nedokončenou změnu hlavního klíče nelze dokončit: " + r.error());
        } else {
            notes.push_back("Nedokončená změna hlavního klíče byla dokončena (" +
                            std::string(kInstallationKeysFile) + ").");
        }
    } else if (accountsWaiting) {
        // The keys file goes first: a crash between the two leaves the state rolled back too.
        FileResult r = keysWaiting ? removeFileDurably(pendingKeys) : FileResult::success();
        if (r) {
            r = removeFileDurably(pendingAccounts);
        }
        notes.push_back(r ? "Nedokončená změna hlavního klíče byla vrácena, platí původní klíč."
                          : "Nedokončenou změnu hlavního klíče nelze vrátit: " + r.error());
    }
    return notes;
}

} // namespace qtr
