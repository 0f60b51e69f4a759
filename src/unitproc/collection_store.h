#pragma once

#include "base/file_result.h"
#include "comm/unit_transaction.h"
#include "events/event_file.h"
#include "events/event_record.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qtr {

// The event file as data collection writes it: every event of an answer reaches the disk
// before the unit is told to release it, and an event that comes again because its
// acknowledge never reached the unit (lost on the line, or the program was killed between
// storing and acknowledging) is acknowledged but not stored a second time.
//
// A resend is recognised as the same 19 bytes as the event last stored from the same unit,
// in this run or, after a restart, the last one of that unit in the file. (Two genuine
// events alike in every byte would have to come from the same key at the same reader
// within the two seconds the unit's time stamp resolves.)
//
//     CollectionStore store(dir / kEventFile);
//     if (FileResult r = store.open(); !r) report(r.error());   // held by another program
//     bus.CteniUdalosti(address, store.hook());                 // stored before the 0xAA
//     for (const auto& item : store.lastItems()) log(item);
class CollectionStore {
public:
    explicit CollectionStore(std::filesystem::path eventFile) : file_(std::move(eventFile)) {}

    // Opens (creating) the event file and takes its lock for as long as it is open.
    FileResult open();
    FileResult close();
    bool isOpen() const { return appender_.isOpen(); }
    // Czech note when opening had to cut a torn record off the file's end; else empty.
    const std::string& repairNote() const { return appender_.repairNote(); }

    struct Item {
        EventRecord record;
        bool resent = false; // already stored: acknowledged, not stored again
    };

    // Stores the items of an intact event answer; false (with the reason) when one could
    // not be stored, so that the unit keeps it.
    bool store(const AnswerAreas& answer, std::string& refusal);
    // store() as the hook the transaction calls before it acknowledges.
    BeforeAcknowledge hook() {
        return [this](const AnswerAreas& a, std::string& refusal) { return store(a, refusal); };
    }

    // The items of the last answer stored; cleared before each request by clearLastItems().
    const std::vector<Item>& lastItems() const { return lastItems_; }
    void clearLastItems() { lastItems_.clear(); }

    std::uint64_t storedCount() const { return stored_; }
    std::uint64_t resentCount() const { return resent_; }

    // Called after each event has reached the disk, before anything is acknowledged.
    std::function<void(const EventRecord&)> onStored;

private:
    // The last record of `address` in the file, read backwards from its end.
    std::optional<EventRecord> lastInFile(std::uint8_t address) const;

    std::filesystem::path file_;
    EventFileAppender appender_;
    std::map<std::uint8_t, std::optional<EventRecord>> lastStored_;
    std::vector<Item> lastItems_;
    std::uint64_t stored_ = 0;
    std::uint64_t resent_ = 0;
};

} // namespace qtr
