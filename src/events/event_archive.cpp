#include "events/event_archive.h"

#include "base/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qtr {
namespace fs = std::filesystem;

namespace {

// More archives than this in one day means something is wrong with the folder.
constexpr int kMostArchivesADay = 9999;

FileResult failWith(std::string_view what, const fs::path& path, int err) {
    return FileResult::failure(std::string(what) + " " + path.filename().string() + ": " +
                               czechErrnoText(err));
}

} // namespace

fs::path eventArchivePath(const fs::path& eventFile, DateTime day, int n) {
    std::string name = "UDALOSTI-" + formatDateTime("yyyy-mm-dd", day);
    if (n > 1) {
        name += "-" + std::to_string(n);
    }
    name += ".DAT";
    return eventFile.parent_path() / name;
}

fs::path nextEventArchivePath(const fs::path& eventFile, DateTime day) {
    for (int n = 1; n < kMostArchivesADay; ++n) {
        const fs::path p = eventArchivePath(eventFile, day, n);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(p, ec))) {
            return p;
        }
    }
    return eventArchivePath(eventFile, day, kMostArchivesADay);
}

FileResult writeEventArchive(const fs::path& eventFile, DateTime day,
                             std::span<const std::uint8_t> records, fs::path& written) {
    for (int n = 1; n <= kMostArchivesADay; ++n) {
        const fs::path p = eventArchivePath(eventFile, day, n);
        // O_EXCL: an archive of the same name, or anything else there, stays untouched.
        const int fd =
            ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            return failWith("Archiv událostí nelze vytvořit:", p, errno);
        }
        int err = writeAllBytes(fd, records, p);
        if (err == 0 && ::fsync(fd) != 0) {
            err = errno;
        }
        if (::close(fd) != 0 && err == 0) {
            err = errno;
        }
        if (err != 0) {
            // A half-written archive would pass for a whole one.
            ::unlink(p.c_str());
            return failWith("Chyba při zápisu archivu událostí", p, err);
        }
        syncDirectory(p.parent_path());
        written = p;
        return FileResult::success();
    }
    return FileResult::failure("Archiv událostí nelze vytvořit: ve složce je již " +
                               std::to_string(kMostArchivesADay) + " archivů tohoto dne.");
}

} // namespace qtr
