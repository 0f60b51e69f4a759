#pragma once

#include "app/account_file.h"
#include "app/random_source.h"
#include "base/file_result.h"
#include "db/installation_keys.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// A new master key changes two files that must agree: QTRKEYS.TXT names the key and
// binfile.bin is scrambled with it. Written one after the other, a crash between the
// two would leave accounts nobody can open; so the change goes in four steps:
//   1. binfile.bin.new: the accounts scrambled with the new key (atomically written);
//   2. QTRKEYS.TXT.new: the new keys (atomically written);
//   3. binfile.bin.new renamed over binfile.bin: from here on the change counts;
//   4. QTRKEYS.TXT.new renamed over QTRKEYS.TXT.
// finishPendingKeyChange() settles a change a crash cut off: with both .new files
// there it is rolled back (both removed), with QTRKEYS.TXT.new alone (after step 3) it
// is finished, and a binfile.bin.new alone (before step 2) is removed.
inline constexpr const char* kPendingKeysFile = "QTRKEYS.TXT.new";
inline constexpr const char* kPendingAccountFile = "binfile.bin.new";

// Writes the keys; with accounts, also binfile.bin under the new master key, as above.
FileResult changeMasterKey(const std::filesystem::path& dir, const InstallationKeys& keys,
                           const UserAccounts* accounts, RandomSource& random);

// Settles a change cut off by a crash; Czech notes of what was done (none: nothing was).
std::vector<std::string> finishPendingKeyChange(const std::filesystem::path& dir);

} // namespace qtr
