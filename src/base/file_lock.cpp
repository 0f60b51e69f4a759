#include "base/file_lock.h"

#include "base/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace qtr {
namespace {

// Who holds the lock, as written into the lock file: "qtr-cli, proces 4711".
std::string selfDescription() {
    return std::string(program_invocation_short_name) + ", proces " + std::to_string(::getpid());
}

std::string readHolder(int fd) {
    char buf[128] = {};
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    std::string s = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
        s.pop_back();
    }
    return s.empty() ? std::string("neznámý program") : s;
}

} // namespace

FileResult FileLock::tryLock(const std::filesystem::path& lockFile, std::string_view what) {
    if (fd_ >= 0) {
        return FileResult::success();
    }
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return FileResult::failure(std::string(what) + ": zámek " + lockFile.filename().string() +
                                   " nelze otevřít: " + czechErrnoText(errno));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        std::string text =
            err == EWOULDBLOCK
                ? std::string(what) + " právě používá jiný program (" + readHolder(fd) + ")."
                : std::string(what) + ": zámek " + lockFile.filename().string() +
                      " nelze získat: " + czechErrnoText(err);
        ::close(fd);
        return FileResult::failure(std::move(text));
    }
    const std::string holder = selfDescription() + "\n";
    if (::ftruncate(fd, 0) == 0) {
        (void)!::pwrite(fd, holder.data(), holder.size(), 0);
    }
    fd_ = fd;
    return FileResult::success();
}

void FileLock::unlock() {
    if (fd_ < 0) {
        return;
    }
    // Closing the descriptor releases the flock; the file stays for the next holder.
    ::close(fd_);
    fd_ = -1;
}

std::filesystem::path lockFileFor(const std::filesystem::path& dataFile) {
    std::filesystem::path p = dataFile;
    p.replace_extension(".LCK");
    return p;
}

} // namespace qtr
