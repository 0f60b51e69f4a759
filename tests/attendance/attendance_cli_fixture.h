#pragma once

// qtr-cli's attendance commands on a data directory with a terminal at address 02
// and the key holder Jan Novák.

#include "attendance/attendance_files.h"
#include "attendance/card_register.h"
#include "cli/cli_run.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr {

constexpr const char* kJan = "0100000012345A";
constexpr const char* kEva = "0200000012345B";

using test::CliRun;

class AttendanceCli : public ::testing::Test {
protected:
    void SetUp() override {
        ControlUnitRecord terminal;
        terminal.address = 0x02;
        terminal.unitType = kUnitAttendance;
        terminal.usage = 1;
        ConfigurationDatabase db;
        db.units.current() = terminal;
        ASSERT_TRUE(db.units.append());
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber = KeyNumber::parse(kJan);
        db.keyHolders.current().holderName.setText("Jan Novák");
        ASSERT_TRUE(db.keyHolders.append());
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber = KeyNumber::parse(kEva);
        db.keyHolders.current().holderName.setText("Eva Malá");
        ASSERT_TRUE(db.keyHolders.append());
        ASSERT_TRUE(saveConfiguration(db, dir.path()).empty());
    }

    // Bookings of Jan at unit 02: "dd hh:nn" in May 2024 and the reader.
    // With `append` the bookings follow those already in the file.
    void book(const std::vector<std::pair<std::string, int>>& bookings, const char* key = kJan,
              bool append = false) {
        std::vector<std::uint8_t> file;
        if (append) {
            file = test::readBytes(dir / kEventFile);
        }
        for (const auto& [when, reader] : bookings) {
            EventRecord e;
            e.unitAddress = 0x02;
            e.keyNumber = KeyNumber::parse(key);
            e.timestamp = encodeDate(2024, 5, std::stoi(when.substr(0, 2))) +
                          encodeTime(std::stoi(when.substr(3, 2)), std::stoi(when.substr(6, 2)), 0);
            e.eventCode = static_cast<std::uint8_t>(reader);
            file.resize(file.size() + EventRecord::kSize);
            e.toBytes(std::span(file).last(EventRecord::kSize));
        }
        test::writeBytes(dir / kEventFile, file);
    }

    CliRun run(std::vector<std::string> args) {
        return test::runQtrCli(dir.path(), std::move(args));
    }

    CliRun build(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"attendance", "build",      "--key", kJan,
                                         "--from",     "01.05.2024", "--to",  "03.05.2024"};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }
    CliRun evaluate(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"attendance", "evaluate",   "--key", kJan,
                                         "--from",     "01.05.2024", "--to",  "03.05.2024"};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }

    AttendanceCard storedCard() {
        CardRegister reg;
        EXPECT_TRUE(reg.open(dir / kCardRegisterFile));
        EXPECT_TRUE(reg.find(KeyNumber::parse(kJan)));
        return reg.found();
    }

    test::TempDir dir;
};

} // namespace qtr
