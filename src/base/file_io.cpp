#include "base/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
// A chain of links longer than this is taken for a loop, as the system does.
constexpr int kMaxLinkHops = 40;

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
    int release() { return std::exchange(fd_, -1); }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0;
    }

private:
    int fd_;
};

FileResult failWith(std::string_view what, const fs::path& path, int err) {
    return FileResult::failure(std::string(what) + " " + fileName(path) + ": " +
                               czechErrnoText(err));
}

std::string_view kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "složka";
    }
    if (S_ISFIFO(mode)) {
        return "roura (FIFO)";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "zařízení";
    }
    if (S_ISSOCK(mode)) {
        return "soket";
    }
    return "zvláštní soubor";
}

FileResult notRegular(const fs::path& path, mode_t mode) {
    return FileResult::failure("Soubor " + fileName(path) + " není obyčejný soubor (je to " +
                               std::string(kindOf(mode)) + "), program ho nepoužije.");
}

fs::path temporaryNameFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    // Built piece by piece: g++ 12 warns falsely (-Wrestrict) on "." + std::string.
    std::string name(1, '.');
    name += fileName(target);
    name += kTemporaryMark;
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

long crashTestStep() {
    static const long step = [] {
        const char* v = std::getenv("QTR_CRASH_TEST_STEP");
        return v == nullptr ? 0L : std::strtol(v, nullptr, 10);
    }();
    return step;
}

bool within(const fs::path& inner, const fs::path& outer) {
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first ==
           outer.end();
}

// Follows a chain of symbolic links by hand: a link whose target does not exist yet
// still leads somewhere (the file a save creates).
FileResult followLinks(const fs::path& path, fs::path& end) {
    fs::path current = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno == ENOENT) {
                break;
            }
            return failWith("Soubor nelze zapsat:", path, errno);
        }
        if (!S_ISLNK(st.st_mode)) {
            break;
        }
        if (hops == kMaxLinkHops) {
            return failWith("Soubor nelze zapsat:", path, ELOOP);
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            return failWith("Soubor nelze zapsat:", path, ec.value());
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    end = current;
    return FileResult::success();
}

// The mode and, where the process may set it, the owner and group of a file being
// replaced, for the file that replaces it.
void giveModeAndOwner(int fd, const struct stat& old, FileAccess access) {
    // Owner first: a change of owner may clear mode bits.
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    mode_t mode = old.st_mode & 0777;
    if (access == FileAccess::OwnerOnly) {
        mode &= 0700;
    }
    ::fchmod(fd, mode);
}

// Renames `from` over `to` and fsyncs the folder: 0, or the errno of the rename.
int renameSynced(const fs::path& from, const fs::path& to) {
    fileStep("před přejmenováním", to);
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    fileStep("po přejmenování", to);
    syncDirectory(to.parent_path());
    return 0;
}

// Replaces `path` with what `content` writes into a fresh descriptor: the one way
// every whole file of the program is written.
FileResult replaceFile(const fs::path& path, FileAccess access,
                       const std::function<int(int fd)>& content) {
    fs::path target;
    if (auto r = resolveWriteTarget(path, target); !r) {
        return r;
    }
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed) {
        // What cannot be read now was not read before either: keep it.
        Fd probe(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (probe.get() < 0) {
            const int err = errno;
            return FileResult::failure("Soubor " + fileName(path) + " nelze přečíst (" +
                                       czechErrnoText(err) +
                                       "), proto ho program nepřepíše: jeho obsah by se ztratil.");
        }
    }
    const fs::path tmp = temporaryNameFor(target);
    const mode_t createMode = existed || access == FileAccess::OwnerOnly ? 0600 : 0666;
    Fd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode));
    if (fd.get() < 0) {
        return failWith("Soubor nelze zapsat:", path, errno);
    }
    fileStep("vytvořen dočasný soubor", target);
    int err = content(fd.get());
    if (err == 0 && ::fsync(fd.get()) != 0) {
        err = errno;
    }
    if (err == 0) {
        fileStep("dočasný soubor na disku", target);
        if (existed) {
            giveModeAndOwner(fd.get(), old, access);
        }
    }
    if (!fd.close() && err == 0) {
        err = errno;
    }
    if (err == 0) {
        err = renameSynced(tmp, target);
    }
    if (err != 0) {
        ::unlink(tmp.c_str());
        return failWith("Chyba při zápisu souboru", path, err);
    }
    return FileResult::success();
}

// Reads until `size` bytes are in or the file ends: the count read, or -1 with errno.
ssize_t readUpTo(int fd, std::uint8_t* buf, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buf + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

int copyContent(int from, int to, const fs::path& file) {
    if (::lseek(from, 0, SEEK_SET) != 0) {
        return errno;
    }
    std::uint8_t buf[65536];
    for (;;) {
        const ssize_t n = readUpTo(from, buf, sizeof buf);
        if (n <= 0) {
            return n == 0 ? 0 : errno;
        }
        if (const int err = writeAllBytes(to, std::span(buf, static_cast<std::size_t>(n)), file);
            err != 0) {
            return err;
        }
    }
}

// Compares a file with the content behind a descriptor, piece by piece.
bool sameContent(const fs::path& file, int fd, std::uint64_t size) {
    int other = -1;
    std::uint64_t otherSize = 0;
    if (!openRegularFileForReading(file, other, otherSize)) {
        return false;
    }
    Fd guard(other);
    if (otherSize != size || ::lseek(fd, 0, SEEK_SET) != 0) {
        return false;
    }
    std::uint8_t a[65536];
    std::uint8_t b[65536];
    for (;;) {
        const ssize_t n = readUpTo(fd, a, sizeof a);
        if (n < 0 || readUpTo(other, b, sizeof b) != n ||
            std::memcmp(a, b, static_cast<std::size_t>(n)) != 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
    }
}

// ".NAME.tmp-PID-N": the process id, or nothing for another name.
std::optional<pid_t> temporaryOwner(std::string_view name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (!name.starts_with('.') || mark == std::string_view::npos || mark < 2) {
        return std::nullopt;
    }
    const std::string_view rest = name.substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    const auto digits = [](std::string_view s) {
        return !s.empty() && s.size() <= 10 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) ||
        !digits(rest.substr(dash + 1))) {
        return std::nullopt;
    }
    const long pid = std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
    if (pid <= 0 || pid > 0x7FFFFFFF) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid);
}

} // namespace

void syncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

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
    case ELOOP:
        return "symbolické odkazy tvoří smyčku";
    case ENXIO:
        return "na druhé straně nikdo není";
    default:
        return "systémová chyba " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

bool isPresent(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return true;
    }
    return errno != ENOENT && ::lstat(path.c_str(), &st) == 0;
}

FileResult openRegularFileForReading(const fs::path& path, int& fd, std::uint64_t& size) {
    struct stat st {};
    // Looked at before opening: opening a device or a FIFO may block or act.
    if (::stat(path.c_str(), &st) != 0) {
        return failWith("Soubor nelze otevřít:", path, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return notRegular(path, st.st_mode);
    }
    Fd opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (opened.get() < 0) {
        return failWith("Soubor nelze otevřít:", path, errno);
    }
    // And again on what was opened: the name may have been swapped meanwhile.
    if (::fstat(opened.get(), &st) != 0) {
        return failWith("Soubor nelze otevřít:", path, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return notRegular(path, st.st_mode);
    }
    size = static_cast<std::uint64_t>(st.st_size);
    fd = opened.release();
    return FileResult::success();
}

FileResult readFilePrefix(const fs::path& path, std::uint64_t limit, std::vector<std::uint8_t>& out,
                          std::uint64_t& fileSize) {
    out.clear();
    int raw = -1;
    if (auto r = openRegularFileForReading(path, raw, fileSize); !r) {
        return r;
    }
    Fd fd(raw);
    out.resize(static_cast<std::size_t>(std::min(limit, fileSize)));
    // Fewer bytes than the size said: the file shrank a moment ago.
    const ssize_t done = readUpTo(fd.get(), out.data(), out.size());
    if (done < 0) {
        const int err = errno;
        out.clear();
        return failWith("Chyba při čtení souboru", path, err);
    }
    out.resize(static_cast<std::size_t>(done));
    return FileResult::success();
}

FileResult readWholeFile(const fs::path& path, std::vector<std::uint8_t>& out,
                         std::uint64_t limit) {
    std::uint64_t size = 0;
    if (auto r = readFilePrefix(path, limit, out, size); !r) {
        return r;
    }
    if (size > limit) {
        out.clear();
        return FileResult::failure("Soubor " + fileName(path) + " je příliš velký (" +
                                   std::to_string(size) + " B, nejvýše " + std::to_string(limit) +
                                   " B), program ho nenačte.");
    }
    return FileResult::success();
}

FileResult resolveWriteTarget(const fs::path& path, fs::path& target) {
    fs::path end;
    if (auto r = followLinks(path, end); !r) {
        return r;
    }
    if (end != path) {
        std::error_code ec1;
        std::error_code ec2;
        const fs::path home = fs::weakly_canonical(fs::absolute(path, ec1).parent_path(), ec1);
        const fs::path there = fs::weakly_canonical(fs::absolute(end, ec2).parent_path(), ec2);
        if (ec1 || ec2 || !within(there, home)) {
            return FileResult::failure("Soubor " + fileName(path) +
                                       " je symbolický odkaz mimo svou složku (na " + end.string() +
                                       "), program tam nezapisuje.");
        }
    }
    struct stat st {};
    if (::stat(end.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return notRegular(path, st.st_mode);
    }
    target = end;
    return FileResult::success();
}

FileResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                               FileAccess access) {
    return replaceFile(path, access, [&](int fd) { return writeAllBytes(fd, bytes, path); });
}

FileResult writeFileAtomically(const fs::path& path, std::string_view bytes, FileAccess access) {
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), access);
}

FileResult keepBackupCopy(const fs::path& path, fs::path& kept) {
    int raw = -1;
    std::uint64_t size = 0;
    if (auto r = openRegularFileForReading(path, raw, size); !r) {
        return r;
    }
    Fd original(raw);
    struct stat st {};
    const bool ownerOnly = ::fstat(original.get(), &st) == 0 && (st.st_mode & 077) == 0;
    for (int n = 0;; ++n) {
        fs::path candidate = path;
        candidate += n == 0 ? ".bak" : ".bak." + std::to_string(n);
        struct stat other {};
        if (::lstat(candidate.c_str(), &other) == 0) {
            if (sameContent(candidate, original.get(), size)) {
                kept = candidate;
                return FileResult::success();
            }
            continue;
        }
        kept = candidate;
        return replaceFile(candidate, ownerOnly ? FileAccess::OwnerOnly : FileAccess::Shared,
                           [&](int fd) { return copyContent(original.get(), fd, candidate); });
    }
}

std::string keepBackupCopyNote(const fs::path& path) {
    fs::path kept;
    if (auto r = keepBackupCopy(path, kept); !r) {
        return "Zálohu původního souboru se nepodařilo vytvořit (" + r.error() + ").";
    }
    return "Původní soubor je uschován jako " + kept.filename().string() + ".";
}

FileResult openForAppending(const fs::path& path, int& fd, std::string_view failure) {
    fs::path target;
    if (auto r = resolveWriteTarget(path, target); !r) {
        return r;
    }
    struct stat before {};
    const bool existed = ::stat(target.c_str(), &before) == 0;
    // O_NONBLOCK: a FIFO put in place meanwhile fails at once instead of waiting for a reader.
    Fd opened(::open(target.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0666));
    if (opened.get() < 0) {
        return failWith(failure, path, errno);
    }
    struct stat st {};
    if (::fstat(opened.get(), &st) != 0) {
        return failWith(failure, path, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return notRegular(path, st.st_mode);
    }
    if (!existed) {
        syncDirectory(target.parent_path());
    }
    const int flags = ::fcntl(opened.get(), F_GETFL);
    ::fcntl(opened.get(), F_SETFL, flags & ~O_NONBLOCK);
    fd = opened.release();
    return FileResult::success();
}

FileResult appendAndSync(const fs::path& path, std::span<const std::uint8_t> bytes) {
    int raw = -1;
    if (auto r = openForAppending(path, raw); !r) {
        return r;
    }
    Fd fd(raw);
    if (const int err = writeAllBytes(fd.get(), bytes, path); err != 0) {
        return failWith("Chyba při zápisu souboru", path, err);
    }
    if (::fdatasync(fd.get()) != 0) {
        return failWith("Chyba při zápisu souboru", path, errno);
    }
    fileStep("připojeno a na disku", path);
    if (!fd.close()) {
        return failWith("Chyba při zápisu souboru", path, errno);
    }
    return FileResult::success();
}

int writeAllBytes(int fd, std::span<const std::uint8_t> bytes, const fs::path& file) {
    // In a crash test every write is cut in two, so that a kill can fall between them.
    const bool halves = crashTestStep() > 0;
    while (!bytes.empty()) {
        const std::size_t chunk = halves && bytes.size() > 1 ? bytes.size() / 2 : bytes.size();
        const ssize_t n = ::write(fd, bytes.data(), chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
        fileStep("zapsána část", file);
    }
    return 0;
}

void keepModeAndOwner(const fs::path& of, const fs::path& onto, FileAccess access) {
    struct stat old {};
    if (::stat(of.c_str(), &old) != 0) {
        return;
    }
    Fd fd(::open(onto.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() >= 0) {
        giveModeAndOwner(fd.get(), old, access);
    }
}

FileResult renameDurably(const fs::path& from, const fs::path& to) {
    if (const int err = renameSynced(from, to); err != 0) {
        return failWith("Soubor nelze přejmenovat:", from, err);
    }
    return FileResult::success();
}

FileResult removeFileDurably(const fs::path& file) {
    fileStep("před odstraněním", file);
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        return failWith("Soubor nelze odstranit:", file, errno);
    }
    syncDirectory(file.parent_path());
    return FileResult::success();
}

std::vector<std::string> removeStaleTemporaryFiles(const fs::path& dir, std::string_view onlyFor) {
    std::vector<std::string> removed;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto owner = temporaryOwner(name);
        if (!owner || (!onlyFor.empty() && !name.starts_with("." + std::string(onlyFor) +
                                                             std::string(kTemporaryMark)))) {
            continue;
        }
        // A process that still runs may be writing it right now (qtr and a qtr-cli job
        // share the folder); kill(pid, 0) fails with ESRCH only for one that is gone.
        if (::kill(*owner, 0) == 0 || errno != ESRCH) {
            continue;
        }
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::unlink(it->path().c_str()) == 0) {
            removed.push_back(name);
        }
    }
    if (!removed.empty()) {
        syncDirectory(dir);
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}

void fileStep(std::string_view what, const fs::path& file) {
    const long stopAt = crashTestStep();
    if (stopAt <= 0) {
        return;
    }
    static std::atomic<long> steps{0};
    if (++steps == stopAt) {
        const std::string line = "QTR_CRASH_TEST_STEP " + std::to_string(stopAt) + ": " +
                                 std::string(what) + " " + fileName(file) + "\n";
        (void)!::write(STDERR_FILENO, line.data(), line.size());
        ::kill(::getpid(), SIGKILL);
    }
}

} // namespace qtr
