#pragma once

// One realistic installation for the event benchmarks: 32 units of all four
// types, 1000 key holders and a full event file of 65535 events over a year.

#include "db/configuration_database.h"
#include "events/event_record.h"

#include <filesystem>
#include <vector>

namespace qtr::bench {

struct EventBenchData {
    ConfigurationDatabase db;
    std::vector<EventRecord> events; // in collection order
    std::filesystem::path dir;       // holds QTR0005.DAT with these events
    std::filesystem::path eventFile;

    EventBenchData();
    ~EventBenchData();
    EventBenchData(const EventBenchData&) = delete;
    EventBenchData& operator=(const EventBenchData&) = delete;
};

// Made once per process.
const EventBenchData& benchData();

} // namespace qtr::bench
