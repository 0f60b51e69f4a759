#pragma once

#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// Czech text of an errno value, for messages shown to the operator.
std::string czechErrnoText(int err);

// What a read takes when the caller names no smaller limit: far more than any text
// file of the program holds, far less than a device that never ends.
inline constexpr std::uint64_t kDefaultReadLimit = 64ull << 20;

// Something is at the path: a file of any kind, or a link that does not lead to
// nothing (a loop of links is there, and reading it says why). Never throws.
bool isPresent(const std::filesystem::path& path);

// Opens a regular file for reading; a symbolic link is followed. Anything else (a
// FIFO, a device, a folder, a socket) is refused with a Czech text, and nothing is
// opened in a way that could block. `size` receives the file's size.
FileResult openRegularFileForReading(const std::filesystem::path& path, int& fd,
                                     std::uint64_t& size);

// Reads at most `limit` bytes from the start of a regular file; `fileSize` receives
// the size of the whole file, so that the caller can say what lies beyond.
FileResult readFilePrefix(const std::filesystem::path& path, std::uint64_t limit,
                          std::vector<std::uint8_t>& out, std::uint64_t& fileSize);

// Reads a whole regular file. A missing file is a failure too (callers that allow it
// check first); a file larger than `limit` is refused without being read.
FileResult readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                         std::uint64_t limit = kDefaultReadLimit);

enum class FileAccess {
    Shared,    // rw for the owner, readable by others (subject to the umask)
    OwnerOnly, // rw for the owner only (account file, installation keys)
};

// Where a change of `path` lands: the path itself, or, when it is a symbolic link,
// the file the link leads to, provided that lies in the link's folder or below it.
// A link out of its folder, a loop of links, or something else than a regular file
// at the end is refused with a Czech text.
FileResult resolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target);

// Replaces the file as a whole: a temporary file beside it is written, flushed and
// fsynced, renamed over the target, and the directory is fsynced. A crash or a failed
// write leaves the old file as it was; no temporary file is left behind by a failure.
// The replaced file keeps its mode (OwnerOnly takes away the rights of others) and,
// where the process may set them, its owner and group. A symbolic link stays a link:
// the file it leads to is replaced (see resolveWriteTarget). An existing file that
// cannot be read is not replaced: what it holds would be lost unseen.
FileResult writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes,
                               FileAccess access = FileAccess::Shared);
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                               FileAccess access = FileAccess::Shared);

// Keeps a copy of a file that could not be used, before it is ever written again:
// NAME.bak, or NAME.bak.1, NAME.bak.2 ... when an older, different copy is in the way.
// An existing copy with the same bytes is reused. `kept` receives the copy's path.
// The copy has the mode of the original and is made atomically, in pieces, so that
// a file of any size can be kept.
FileResult keepBackupCopy(const std::filesystem::path& path, std::filesystem::path& kept);

// Keeps a backup copy (keepBackupCopy) and returns the sentence that tells the operator
// so: "Původní soubor je uschován jako NAME.bak." or why no copy could be made.
std::string keepBackupCopyNote(const std::filesystem::path& path);

// Opens a regular file for appending, creating it when it does not exist, under the
// rules of resolveWriteTarget (a FIFO or a link out of the folder is refused).
// `failure` begins the text of a failed open ("... QTR0005.DAT: přístup odepřen").
FileResult openForAppending(const std::filesystem::path& path, int& fd,
                            std::string_view failure = "Soubor nelze otevřít pro zápis:");

// Appends bytes and flushes them to the disk (fsync) before returning.
FileResult appendAndSync(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes all bytes to the descriptor of `file`; 0, or the errno of the failure.
int writeAllBytes(int fd, std::span<const std::uint8_t> bytes, const std::filesystem::path& file);

// Gives `onto` (a file about to be renamed over `of`) the mode and, where the process
// may, the owner of `of`, as writeFileAtomically does. Nothing when `of` does not exist.
void keepModeAndOwner(const std::filesystem::path& of, const std::filesystem::path& onto,
                      FileAccess access);

// Renames a file within a folder and makes the rename durable (the folder is fsynced).
FileResult renameDurably(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes a file (a missing one is no failure) and makes the removal durable.
FileResult removeFileDurably(const std::filesystem::path& file);

// Fsyncs a folder, so that a file created, renamed or removed in it stays so.
void syncDirectory(const std::filesystem::path& dir);

// The temporary files of saves that were killed half way (".NAME.tmp-PID-N" of a
// process that no longer runs) are removed from the folder; their names are returned.
// Temporary files of running processes are left alone. With `onlyFor`, only those of
// that file name (a folder that is not the program's own, such as that of --state).
std::vector<std::string> removeStaleTemporaryFiles(const std::filesystem::path& dir,
                                                   std::string_view onlyFor = {});

// The crash harness of the tests stops a process at one step of a file change: with
// QTR_CRASH_TEST_STEP=N in the environment, the N-th step (after each write, after each
// fsync, before and after each rename) kills the process with SIGKILL and names the
// step on standard error. Without it nothing happens; the programs never set it.
void fileStep(std::string_view what, const std::filesystem::path& file);

} // namespace qtr
