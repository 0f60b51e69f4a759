#pragma once

#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qtr {

// An advisory lock that several programs on one data directory agree on (qtr, and
// qtr-cli jobs run from cron). It is an exclusive flock() on a small lock file beside
// the data; the kernel drops it when the holder exits or is killed, so a crash never
// leaves it held. The file names the holder, so that the one who is refused can be told
// who has it. Nothing ever waits for a lock: a program that does not get it says so.
//
// The rule of the data directory:
//  - QTR0005.LCK guards QTR0005.DAT: a collection holds it from opening the event file
//    for appending until it is closed; a rewrite of the event file holds it from reading
//    the file until the new one has been renamed into place. Readers need no lock (records
//    are appended whole and a rewrite replaces the file at once).
//  - QTRCOM.LCK guards the serial port (or the simulated units of the directory) for as
//    long as a program has it open.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock without waiting. `what` names the thing guarded for the message
    // ("Soubor událostí QTR0005.DAT"); a refusal reads
    // what + " právě používá jiný program (" + holder + ")." and leaves nothing held.
    FileResult tryLock(const std::filesystem::path& lockFile, std::string_view what);
    void unlock();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The lock file of a data file: the same name with the extension .LCK.
std::filesystem::path lockFileFor(const std::filesystem::path& dataFile);

// The lock file of the serial port (and of the simulated units) of a data directory.
inline constexpr const char* kPortLockFile = "QTRCOM.LCK";

} // namespace qtr
