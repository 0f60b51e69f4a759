#pragma once

#include "base/file_result.h"
#include "base/key_number.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// The administrator keys of one installation. They are kept in a small text file
// in the working directory instead of inside the program, so that every
// installation has its own: a key compiled into the program would open the
// account administration of every copy.
//
// QTRKEYS.TXT, Windows-1250 (ASCII in practice), CR LF:
//   ; comment lines begin with ';' or '#', empty lines are ignored
//   HLAVNI=0102030405060A      the master key, 14 hex digits (key text order)
//   SERVIS=...                 up to six service keys, one line each, optional
// The master key also scrambles the account file binfile.bin (its bytes 1, 2, 3).
// Written by `qtr-cli master-key HEX14`; readable by its owner only.
inline constexpr const char* kInstallationKeysFile = "QTRKEYS.TXT";
inline constexpr std::size_t kServiceKeyCount = 6;

struct InstallationKeys {
    std::optional<KeyNumber> masterKey;
    std::vector<KeyNumber> serviceKeys; // at most kServiceKeyCount

    // The master key, or the all-zero key when none is provisioned.
    KeyNumber masterOrZero() const { return masterKey.value_or(KeyNumber{}); }

    // Equal in all seven bytes to the master key or to a service key. The zero key
    // (a reader that had nothing to report) is never an administrator key.
    bool isAdministratorKey(const KeyNumber& key) const;
};

// True for exactly 14 hex digits that do not make the zero key.
bool isProvisionableKeyText(std::string_view text);

// The file's text, CR LF lines.
std::string installationKeysText(const InstallationKeys& keys);

// Parses the file's text; on failure `error` names the line and the fault.
bool parseInstallationKeysText(std::string_view text, InstallationKeys& keys, std::string& error);

// A missing file gives no keys and succeeds: the installation has not been provisioned yet.
FileResult loadInstallationKeys(const std::filesystem::path& dir, InstallationKeys& keys);
FileResult saveInstallationKeys(const std::filesystem::path& dir, const InstallationKeys& keys);

} // namespace qtr
