#pragma once

#include "cli/cli_context.h"

#include <span>
#include <string_view>

namespace qtr::cli {

struct CliCommand {
    std::string_view name;
    std::string_view usage; // one line, shown by the usage text
    int (*run)(CliContext&);
};

// Every command of qtr-cli, in the order the usage text lists them.
std::span<const CliCommand> allCommands();

// The command implementations, one file per subsystem.
int runInit(CliContext& ctx);
int runEvents(CliContext& ctx); // events list ..., events count
// events export, import, trim, clear, merge (command_event_file.cpp)
int runEventFile(CliContext& ctx);
inline constexpr const char* kEventFileUsage =
    "Použití: events export SOUBOR.SDF | events import SOUBOR.SDF [--replace] | events trim "
    "--before dd.mm.yyyy | events clear | events merge SOUBOR.DAT";
int runKeysFromEvents(CliContext& ctx); // keys from-events (command_event_file.cpp)
int runLog(CliContext& ctx);
int runKeys(CliContext& ctx);
int runUnitStatus(CliContext& ctx);
int runReadKey(CliContext& ctx);
int runSim(CliContext& ctx);         // the console of the simulated units of --sim
int runMasterKey(CliContext& ctx);   // command_installation.cpp
int runSchedules(CliContext& ctx);   // command_access.cpp
int runPermissions(CliContext& ctx); // command_access.cpp
int runAttendance(CliContext& ctx);  // attendance build|evaluate|report|card ...
int runCodes(CliContext& ctx);       // command_attendance.cpp: the printed code list
int runDoc(CliContext& ctx);         // doc units|keys|rights [--detail]

// command_calendar.cpp: the holiday and planning calendars.
int runHolidays(CliContext& ctx);
int runCalendar(CliContext& ctx);
int runPlanning(CliContext& ctx);

// command_procedures.cpp: the jobs on the units.
int runStats(CliContext& ctx);
int runCheck(CliContext& ctx);
int runConfigure(CliContext& ctx);
int runCollect(CliContext& ctx);
int runSetTime(CliContext& ctx);
int runClocks(CliContext& ctx);

} // namespace qtr::cli
