#include "base/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qtr {
namespace fs = std::filesystem;

namespace {

std::string fileName(const fs::path& p) {
    return p.filename().string();
}

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

FileResult failWith(std::string_view what, const fs::path& path, int err) {
    return FileResult::failure(std::string(what) + " " + fileName(path) + ": " +
                               czechErrnoText(err));
}

fs::path temporaryNameFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    // Built piece by piece: g++ 12 warns falsely (-Wrestrict) on "." + std::string.
    std::string name(1, '.');
    name += fileName(target);
    name += ".tmp-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

void syncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool sameContent(const fs::path& a, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> other;
    return readWholeFile(a, other).ok() && other == bytes;
}

} // namespace

std::string czechErrnoText(int err) {
    switch (err) {
    case ENOENT:
        return "soubor nebo složka neexistuje";
    case EACCES:
    case EPERM:
        return "přístup odepřen";
    case ENOSPC:
        return "na disku není volné místo";
    case EDQUOT:
        return "vyčerpána disková kvóta";
    case EROFS:
        return "disk je jen pro čtení";
    case EISDIR:
        return "je to složka, ne soubor";
    case ENOTDIR:
        return "cesta neprochází složkou";
    case EIO:
        return "chyba vstupu/výstupu disku";
    case EFBIG:
        return "soubor je příliš velký";
    case EMFILE:
    case ENFILE:
        return "příliš mnoho otevřených souborů";
    case EBUSY:
        return "soubor je používán";
    default:
        return "systémová chyba " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

FileResult readWholeFile(const fs::path& path, std::vector<std::uint8_t>& out) {
    out.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return failWith("Soubor nelze otevřít:", path, errno);
    }
    std::uint8_t buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failWith("Chyba při čtení souboru", path, errno);
        }
        if (n == 0) {
            break;
        }
        out.insert(out.end(), buf, buf + n);
    }
    return FileResult::success();
}

FileResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                               FileAccess access) {
    const fs::path tmp = temporaryNameFor(path);
    const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;
    Fd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_TRUNC | O_CLOEXEC, mode));
    if (fd.get() < 0) {
        return failWith("Soubor nelze zapsat:", path, errno);
    }
    if (access == FileAccess::OwnerOnly) {
        ::fchmod(fd.get(), 0600);
    }
    int err = 0;
    if (!writeAll(fd.get(), bytes.data(), bytes.size()) || ::fsync(fd.get()) != 0) {
        err = errno;
    }
    if (!fd.close() && err == 0) {
        err = errno;
    }
    if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(tmp.c_str());
        return failWith("Chyba při zápisu souboru", path, err);
    }
    syncDirectory(path.parent_path());
    return FileResult::success();
}

FileResult writeFileAtomically(const fs::path& path, std::string_view bytes, FileAccess access) {
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), access);
}

FileResult keepBackupCopy(const fs::path& path, fs::path& kept) {
    std::vector<std::uint8_t> original;
    if (auto r = readWholeFile(path, original); !r) {
        return r;
    }
    for (int n = 0;; ++n) {
        fs::path candidate = path;
        candidate += n == 0 ? ".bak" : ".bak." + std::to_string(n);
        std::error_code ec;
        if (fs::exists(candidate, ec)) {
            if (sameContent(candidate, original)) {
                kept = candidate;
                return FileResult::success();
            }
            continue;
        }
        kept = candidate;
        return writeFileAtomically(candidate, original);
    }
}

FileResult appendAndSync(const fs::path& path, std::span<const std::uint8_t> bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return failWith("Soubor nelze otevřít pro zápis:", path, errno);
    }
    if (!writeAll(fd.get(), bytes.data(), bytes.size()) || ::fdatasync(fd.get()) != 0) {
        return failWith("Chyba při zápisu souboru", path, errno);
    }
    if (!fd.close()) {
        return failWith("Chyba při zápisu souboru", path, errno);
    }
    return FileResult::success();
}

} // namespace qtr
