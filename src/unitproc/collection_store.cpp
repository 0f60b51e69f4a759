#include "unitproc/collection_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qtr {

FileResult CollectionStore::open() {
    lastStored_.clear();
    lastItems_.clear();
    return appender_.open(file_);
}

FileResult CollectionStore::close() {
    return appender_.close();
}

std::optional<EventRecord> CollectionStore::lastInFile(std::uint8_t address) const {
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    std::optional<EventRecord> found;
    if (::fstat(fd, &st) == 0) {
        constexpr std::size_t kChunkRecords = 4096;
        std::vector<std::uint8_t> chunk(kChunkRecords * EventRecord::kSize);
        auto end = static_cast<std::uint64_t>(st.st_size) / EventRecord::kSize;
        while (end > 0 && !found) {
            const std::uint64_t begin = end > kChunkRecords ? end - kChunkRecords : 0;
            const std::size_t bytes = static_cast<std::size_t>(end - begin) * EventRecord::kSize;
            if (::pread(fd, chunk.data(), bytes, static_cast<off_t>(begin * EventRecord::kSize)) !=
                static_cast<ssize_t>(bytes)) {
                break;
            }
            for (std::uint64_t i = end - begin; i-- > 0;) {
                const auto rec =
                    std::span(chunk).subspan(i * EventRecord::kSize, EventRecord::kSize);
                if (rec[0] == address) {
                    found = EventRecord::fromBytes(rec);
                    break;
                }
            }
            end = begin;
        }
    }
    ::close(fd);
    return found;
}

bool CollectionStore::store(const AnswerAreas& answer, std::string& refusal) {
    lastItems_.clear();
    const std::uint8_t address = answer.eventAnswer[0];
    auto last = lastStored_.find(address);
    if (last == lastStored_.end() && answer.eventCount > 0) {
        last = lastStored_.emplace(address, lastInFile(address)).first;
    }
    for (int i = 1; i <= answer.eventCount; ++i) {
        const EventRecord record = buildEventRecord(answer.eventAnswer, i);
        if (last->second && *last->second == record) {
            lastItems_.push_back({record, true});
            ++resent_;
            continue;
        }
        if (FileResult r = appender_.append(record); !r) {
            refusal = r.error();
            return false;
        }
        last->second = record;
        ++stored_;
        lastItems_.push_back({record, false});
        if (onStored) {
            onStored(record);
        }
    }
    return true;
}

} // namespace qtr
