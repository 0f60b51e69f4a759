#pragma once

// Small builders for the event tests: units, holders and records as the tests need them.

#include "base/date_time.h"
#include "base/key_number.h"
#include "db/configuration_database.h"
#include "events/event_record.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qtr::test {

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDate(y, mo, d) + encodeTime(h, mi, s);
}

inline EventRecord event(std::uint8_t address, std::string_view key, DateTime t,
                         std::uint8_t code) {
    EventRecord e;
    e.unitAddress = address;
    e.keyNumber = KeyNumber::parse(key);
    e.timestamp = t;
    e.eventCode = code;
    return e;
}

// The events as the event file holds them: 19-byte records one after another.
inline std::vector<std::uint8_t> bytesOf(const std::vector<EventRecord>& events) {
    std::vector<std::uint8_t> out(events.size() * EventRecord::kSize);
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].toBytes(std::span(out).subspan(i * EventRecord::kSize, EventRecord::kSize));
    }
    return out;
}

// Event code of reader or input `sensor` (0-15) with result r.
constexpr std::uint8_t code(int sensor, int result) {
    return static_cast<std::uint8_t>(result << 4 | sensor);
}

// A unit with every sensor named (TM0..TM7, IN0..IN7) and the default result texts.
inline ControlUnitRecord unit(std::uint8_t address, std::uint8_t type, std::string_view name) {
    ControlUnitRecord u;
    u.address = address;
    u.unitType = type;
    u.unitName.setText(name);
    const char* results[] = {"povoleno", "neoprávněný", "neotevřeno", "nezavřeno"};
    for (std::size_t i = 0; i < 4; ++i) {
        u.resultTexts[i].setText(results[i]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        u.readerNames[i].setText("TM" + std::to_string(i));
        u.inputNames[i].setText("IN" + std::to_string(i));
    }
    return u;
}

inline void addUnit(ConfigurationDatabase& db, const ControlUnitRecord& u) {
    db.units.current() = u;
    ASSERT_TRUE(db.units.append());
}

inline void addHolder(ConfigurationDatabase& db, std::string_view key, std::string_view name) {
    db.keyHolders.newRecord();
    db.keyHolders.current().keyNumber = KeyNumber::parse(key);
    db.keyHolders.current().holderName.setText(name);
    ASSERT_TRUE(db.keyHolders.append());
}

} // namespace qtr::test
