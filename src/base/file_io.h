#pragma once

#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace qtr {

// Czech text of an errno value, for messages shown to the operator.
std::string czechErrnoText(int err);

// Reads a whole file. A missing file is a failure too; callers that allow it check first.
FileResult readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

enum class FileAccess {
    Shared,    // rw for the owner, readable by others (subject to the umask)
    OwnerOnly, // rw for the owner only (account file)
};

// Replaces the file as a whole: a temporary file beside it is written, flushed and
// fsynced, renamed over the target, and the directory is fsynced. A crash or a failed
// write leaves the old file as it was; no temporary file is left behind.
FileResult writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes,
                               FileAccess access = FileAccess::Shared);
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                               FileAccess access = FileAccess::Shared);

// Keeps a copy of a file that could not be used, before it is ever written again:
// NAME.bak, or NAME.bak.1, NAME.bak.2 ... when an older, different copy is in the way.
// An existing copy with the same bytes is reused. `kept` receives the copy's path.
FileResult keepBackupCopy(const std::filesystem::path& path, std::filesystem::path& kept);

// Appends bytes and flushes them to the disk (fsync) before returning.
FileResult appendAndSync(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace qtr
