#pragma once

#include "base/clock.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"
#include "support/temp_dir.h"
#include "unitproc/procedure_sink.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr::test {

// The unit procedures against simulated units in-process, on a hand-set clock, with a
// data directory and the configuration tables.
class ProcedureFixture : public ::testing::Test {
protected:
    // Wednesday 9 December 2026, 08:00:00.
    static DateTime start() { return encodeDate(2026, 12, 9) + encodeTime(8, 0, 0); }

    ManualClock clock{start()};
    sim::SimBus simBus{clock};
    sim::SimulatedTransaction line{simBus};
    TempDir dir;
    ConfigurationDatabase db;
    LogLines log;

    // A unit in the unit table and, unless `onBus` is false, on the bus.
    sim::SimUnit* addUnit(std::uint8_t address, std::uint8_t type, const std::string& name,
                          bool onBus = true) {
        ControlUnitRecord& u = db.units.current();
        u = ControlUnitRecord{};
        u.address = address;
        u.unitType = type;
        u.alarmMask = 0x3F;
        u.relayMask = 0x01;
        u.parameters[0] = type == kUnitAttendance ? 0x12 : 0x51;
        u.unitName.setText(name);
        EXPECT_TRUE(db.units.append());
        if (!onBus) {
            return nullptr;
        }
        const std::uint8_t model = type == kUnitBarrier ? sim::kModelVkrZav
                                   : type == kUnitDoor  ? sim::kModelVkrExp
                                                        : sim::kModelVkr8;
        const std::uint8_t mode = type == kUnitAttendance ? sim::kModeAttendance : sim::kModeAccess;
        return simBus.addUnit({address, model, mode, 3, name});
    }

    void addHolder(const std::string& name, const char* key, const std::string& permissionGroup,
                   const std::string& group = "") {
        KeyHolderRecord& k = db.keyHolders.current();
        k = KeyHolderRecord::newRecord();
        k.keyNumber = KeyNumber::parse(key);
        k.holderName.setText(name);
        k.permissionGroupName.setText(permissionGroup);
        k.groupName.setText(group);
        EXPECT_TRUE(db.keyHolders.append());
    }

    // Puts a unit of the table into service and lets `events` keys be presented there,
    // two seconds apart.
    void lockWithEvents(int tablePosition, int events) {
        const ControlUnitRecord& u = db.units.at(tablePosition);
        ASSERT_TRUE(line.KonfigurovatJednotku(u)) << line.errorText;
        ASSERT_TRUE(line.NulovatJednotku(u)) << line.errorText;
        ASSERT_TRUE(line.UzamknoutJednotku(u)) << line.errorText;
        ASSERT_TRUE(line.NastavitCasJednotky(u, clock.now())) << line.errorText;
        for (int i = 0; i < events; ++i) {
            clock.advanceSeconds(2);
            const KeyNumber key = KeyNumber::parse("01000000001001");
            ASSERT_TRUE(simBus.unit(u.address)->presentKey(0, key, clock.now()).recorded);
        }
    }

    std::vector<EventRecord> storedEvents() const {
        const auto bytes = readBytes(dir / kEventFile);
        std::vector<EventRecord> out;
        for (std::size_t off = 0; off + EventRecord::kSize <= bytes.size();
             off += EventRecord::kSize) {
            out.push_back(
                EventRecord::fromBytes(std::span(bytes).subspan(off, EventRecord::kSize)));
        }
        return out;
    }
};

// The lines as one text, one line each, for readable failures.
inline std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) {
        s += l + "\n";
    }
    return s;
}

} // namespace qtr::test
