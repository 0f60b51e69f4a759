#pragma once

#include "base/file_result.h"
#include "base/quicksort.h"
#include "base/win1250.h"
#include "db/record_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// Whether Append moves the current position to the new record.
enum class AppendMoves { No, Yes };

// A configuration table: fixed capacity, records numbered from 1, a count, a
// current position and one current record, the working copy editors change and
// then store back (copy-in, edit, copy-back). Operations on positions outside
// 1..count fail and change nothing.
template <typename Record, std::size_t Capacity, AppendMoves Moves = AppendMoves::No>
class ConfigTable {
public:
    using RecordType = Record;
    static constexpr std::size_t kCapacity = Capacity;

    ConfigTable() { records_.reserve(Capacity); }

    int count() const { return static_cast<int>(records_.size()); }
    bool isFull() const { return records_.size() >= Capacity; }
    int position() const { return pos_; }

    Record& current() { return current_; }
    const Record& current() const { return current_; }

    // Record i (1-based) for reading; i must be in 1..count.
    const Record& at(int i) const { return records_[static_cast<std::size_t>(i - 1)]; }
    const std::vector<Record>& records() const { return records_; }

    bool first() { return count() > 0 && select(1); }
    bool last() { return count() > 0 && select(count()); }
    bool next() { return count() > 0 && pos_ < count() && select(pos_ + 1); }
    bool previous() { return count() > 0 && pos_ >= 2 && select(pos_ - 1); }

    bool get(int i) {
        if (!inRange(i)) {
            return false;
        }
        current_ = at(i);
        return true;
    }
    bool select(int i) {
        if (!get(i)) {
            return false;
        }
        pos_ = i;
        return true;
    }
    bool put(int i) {
        if (!inRange(i)) {
            return false;
        }
        records_[static_cast<std::size_t>(i - 1)] = current_;
        return true;
    }
    bool storeCurrent() { return put(pos_); }

    bool append() {
        if (isFull()) {
            return false;
        }
        records_.push_back(current_);
        if constexpr (Moves == AppendMoves::Yes) {
            pos_ = count();
        }
        return true;
    }

    // The current record is cleared first. Deleting the last record makes the new
    // last one current; otherwise the records after it move down and the one now
    // at the current position becomes the current record.
    bool deleteRecord(int i) {
        current_ = Record{};
        if (!inRange(i)) {
            return false;
        }
        if (i == count()) {
            records_.pop_back();
            pos_ = count();
            if (pos_ > 0) {
                current_ = at(pos_);
            }
        } else {
            records_.erase(records_.begin() + (i - 1));
            get(pos_);
        }
        return true;
    }

    void clear() {
        records_.clear();
        current_ = Record{};
        pos_ = 0;
    }
    void clearCurrent() { current_ = Record{}; }
    // An editor's "přerušit": the record at the current position again, or an
    // all-zero current record when there is none.
    void reloadCurrent() {
        if (!get(pos_)) {
            clearCurrent();
        }
    }

    // The table is emptied and filled from the file; the current position stays. A
    // file that could be neither read nor copied is remembered: save() refuses to
    // replace it until a copy of it can be kept.
    FileResult load(const std::filesystem::path& file) {
        records_.clear();
        const auto take = [this](std::span<const std::uint8_t> b) {
            current_ = Record::fromBytes(b);
            append();
        };
        RecordFileRead read = readRecordFile(file, Record::kSize, Capacity, take);
        if (read.mustNotReplace) {
            unsafeToReplace_ = file.lexically_normal();
        } else if (unsafeToReplace_ == file.lexically_normal()) {
            unsafeToReplace_.clear();
        }
        return std::move(read.result);
    }

    FileResult save(const std::filesystem::path& file) const {
        if (!unsafeToReplace_.empty() && unsafeToReplace_ == file.lexically_normal()) {
            if (auto kept = keepUnreadFile(file); !kept) {
                return kept;
            }
            unsafeToReplace_.clear();
        }
        std::vector<std::uint8_t> bytes(records_.size() * Record::kSize);
        for (std::size_t i = 0; i < records_.size(); ++i) {
            records_[i].toBytes(std::span(bytes).subspan(i * Record::kSize, Record::kSize));
        }
        return writeRecordFile(file, bytes);
    }

protected:
    bool inRange(int i) const { return i >= 1 && i <= count(); }

    // Position of the first record for which pred holds, or 0.
    template <typename Pred> int findFirst(Pred pred) const {
        for (int i = 1; i <= count(); ++i) {
            if (pred(at(i))) {
                return i;
            }
        }
        return 0;
    }

    // The middle-pivot quicksort over records 1..count by `less`.
    template <typename Less> void sortBy(Less less) {
        struct Ops {
            std::vector<Record>& r;
            Less less;
            Record pivot{};
            void takePivot(long p) { pivot = r[static_cast<std::size_t>(p)]; }
            bool beforePivot(long i) { return less(r[static_cast<std::size_t>(i)], pivot); }
            bool pivotBefore(long j) { return less(pivot, r[static_cast<std::size_t>(j)]); }
            void exchange(long i, long j) {
                std::swap(r[static_cast<std::size_t>(i)], r[static_cast<std::size_t>(j)]);
            }
        } ops{records_, less};
        if (records_.size() >= 2) {
            middlePivotQuicksort(ops, 0, static_cast<long>(records_.size()) - 1);
        }
    }

    template <typename NameOf> void fillNames(std::vector<std::string>& list, NameOf nameOf) const {
        list.clear();
        for (const auto& r : records_) {
            list.push_back(nameOf(r).text());
        }
    }

    std::vector<Record> records_;
    int pos_ = 0;
    Record current_{};
    // The file the last load could neither read nor copy; empty when there is none.
    mutable std::filesystem::path unsafeToReplace_;
};

// A table whose records are known by a name field: the exact, case-sensitive
// lookup by the whole name (as stored, in Windows-1250) and the list of names.
template <typename Record, std::size_t Capacity, auto NameField,
          AppendMoves Moves = AppendMoves::No>
class NamedConfigTable : public ConfigTable<Record, Capacity, Moves> {
public:
    // Position of the first record with exactly this name, or 0.
    int findByName(std::string_view name) const {
        const std::string bytes = utf8ToWin1250(name);
        return this->findFirst([&](const Record& r) { return (r.*NameField).win1250() == bytes; });
    }

    // Whether a record other than the one at `ownPosition` (0 for a new record) is
    // found under the name: the check that keeps names unique in the editors.
    bool nameTakenByAnother(std::string_view name, int ownPosition) const {
        const int found = findByName(name);
        return found != 0 && found != ownPosition;
    }

    // Clears the list and adds every record's name in position order.
    void fillNameList(std::vector<std::string>& list) const {
        list.clear();
        for (const auto& r : this->records_) {
            list.push_back((r.*NameField).text());
        }
    }
};

} // namespace qtr
