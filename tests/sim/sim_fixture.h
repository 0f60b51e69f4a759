#pragma once

#include "base/clock.h"
#include "comm/right_record.h"
#include "comm/unit_status_view.h"
#include "db/control_unit_record.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"

#include <gtest/gtest.h>
#include <span>

namespace qtr::sim::test {

// A bus on a hand-set clock with the real transaction layer on top of it.
class SimFixture : public ::testing::Test {
protected:
    // Wednesday 9 December 2026, 08:00:00.
    static DateTime start() { return encodeDate(2026, 12, 9) + encodeTime(8, 0, 0); }

    ManualClock clock{start()};
    SimBus bus{clock};
    SimulatedTransaction line{bus};

    static ControlUnitRecord unitRecord(std::uint8_t address, std::uint8_t type) {
        ControlUnitRecord u;
        u.address = address;
        u.unitType = type;
        u.alarmMask = 0xFF;
        u.parameters[0] = type == kUnitAttendance ? 0x12 : 0x51;
        return u;
    }

    SimUnit& addUnit(std::uint8_t address, std::uint8_t model = kModelVkr8,
                     std::uint8_t mode = kModeAccess, std::uint8_t memoryCode = 3) {
        SimUnit* u = bus.addUnit({address, model, mode, memoryCode, "test"});
        EXPECT_NE(u, nullptr);
        return *u;
    }

    static RightRecord right(std::uint8_t address, const char* key, HourMinute from, HourMinute to,
                             std::uint8_t dayMask = 0x7F, std::uint8_t objectMask = 0) {
        RightRecord r;
        r.keyNumber = KeyNumber::parse(key);
        r.fromTime = from;
        r.toTime = to;
        r.dayMask = dayMask;
        r.unitAddress = address;
        r.objectMask = objectMask;
        return r;
    }

    // Configure, reset, the rights, lock and clock, as the full configuration does,
    // each step expected to succeed.
    void configure(const ControlUnitRecord& u, std::span<const RightRecord> rights) {
        ASSERT_TRUE(line.KonfigurovatJednotku(u)) << line.errorText;
        ASSERT_TRUE(line.NulovatJednotku(u)) << line.errorText;
        for (const auto& r : rights) {
            ASSERT_TRUE(line.DuplicitniOpravneni(r)) << line.errorText;
        }
        ASSERT_TRUE(line.UzamknoutJednotku(u)) << line.errorText;
        ASSERT_TRUE(line.NastavitCasJednotky(u, clock.now())) << line.errorText;
        ASSERT_TRUE(line.NastavTamperMask(u)) << line.errorText;
    }

    UnitStatusView status(std::uint8_t address) {
        EXPECT_TRUE(line.CteniStavuJednotky(address)) << line.errorText;
        return decodeUnitStatus(line.unitStatus);
    }

    std::uint32_t statusU24At(std::size_t offset) const {
        return statusU24(line.unitStatus, offset);
    }
};

} // namespace qtr::sim::test
