#include "events/event_file.h"

#include "base/file_io.h"

#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace qtr {
namespace fs = std::filesystem;

namespace {

FileResult failWith(std::string_view what, const fs::path& path, int err) {
    return FileResult::failure(std::string(what) + " " + path.filename().string() + ": " +
                               czechErrnoText(err));
}

} // namespace

std::uint64_t countStoredEvents(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size) / EventRecord::kSize;
}

EventFileAppender::~EventFileAppender() {
    (void)close();
}

FileResult EventFileAppender::open(const fs::path& file) {
    if (auto r = close(); !r) {
        return r;
    }
    cutOffBytes_ = 0;
    repairNote_.clear();
    int fd = -1;
    if (auto r = openForAppending(file, fd, "Soubor událostí nelze otevřít:"); !r) {
        return r;
    }
    // Nothing is looked at or cut before the file is this program's alone.
    if (FileResult locked =
            lock_.tryLock(lockFileFor(file), "Soubor událostí " + file.filename().string());
        !locked) {
        ::close(fd);
        return locked;
    }
    // A rewrite may have put a new file in place between the open and the lock: what
    // went into the old one then would be lost. Under the lock the name stays put.
    struct stat st {};
    struct stat atName {};
    if (::fstat(fd, &st) == 0 && ::stat(file.c_str(), &atName) == 0 &&
        (st.st_ino != atName.st_ino || st.st_dev != atName.st_dev)) {
        ::close(fd);
        if (auto r = openForAppending(file, fd, "Soubor událostí nelze otevřít:"); !r) {
            lock_.unlock();
            return r;
        }
    }
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        lock_.unlock();
        return failWith("Soubor událostí nelze otevřít:", file, err);
    }
    auto size = static_cast<std::uint64_t>(st.st_size);
    const std::size_t tail = size % EventRecord::kSize;
    if (tail != 0) {
        // Keep the file as it was before cutting, in case it was not torn but foreign.
        const std::string backupNote = keepBackupCopyNote(file);
        if (::ftruncate(fd, static_cast<off_t>(size - tail)) != 0 || ::fsync(fd) != 0) {
            const int err = errno;
            ::close(fd);
            lock_.unlock();
            return failWith("Neúplný poslední záznam nelze odříznout ze souboru", file, err);
        }
        size -= tail;
        cutOffBytes_ = tail;
        repairNote_ = "Soubor " + file.filename().string() + " končil neúplným záznamem (" +
                      std::to_string(tail) + " B), který byl odříznut. " + backupNote;
    }
    fd_ = fd;
    path_ = file;
    size_ = size;
    return FileResult::success();
}

FileResult EventFileAppender::append(const EventRecord& event) {
    if (fd_ < 0) {
        return FileResult::failure("Soubor událostí není otevřen.");
    }
    // Where this record starts, read afresh: another program may have appended meanwhile,
    // and a failed write must be cut back to exactly here.
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return failWith("Chyba při zápisu události do souboru", path_, errno);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    std::array<std::uint8_t, EventRecord::kSize> bytes{};
    event.toBytes(bytes);
    int err = writeAllBytes(fd_, bytes, path_);
    if (err == 0 && ::fdatasync(fd_) != 0) {
        err = errno;
    }
    if (err != 0) {
        // Never leave a part of this record for the next one to be read shifted.
        if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) {
            ::fdatasync(fd_);
        }
        return failWith("Chyba při zápisu události do souboru", path_, err);
    }
    fileStep("událost na disku", path_);
    size_ += EventRecord::kSize;
    return FileResult::success();
}

FileResult EventFileAppender::appendItem(std::span<const std::uint8_t> answer, int itemIndex,
                                         EventRecord* stored) {
    const EventRecord event = buildEventRecord(answer, itemIndex);
    if (stored != nullptr) {
        *stored = event;
    }
    return append(event);
}

FileResult EventFileAppender::close() {
    if (fd_ < 0) {
        return FileResult::success();
    }
    const int fd = fd_;
    fd_ = -1;
    const int closed = ::close(fd);
    lock_.unlock();
    if (closed != 0) {
        return failWith("Chyba při zavírání souboru", path_, errno);
    }
    return FileResult::success();
}

} // namespace qtr
