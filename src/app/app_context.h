#pragma once

#include <filesystem>

namespace qtr {

class Clock;
class CommunicationControl;
class RandomSource;
struct AttendanceData;
struct ConfigurationDatabase;
struct HolidayCalendar;
struct InstallationKeys;

// What the program's composition root owns and lends to its main window.
struct AppContext {
    std::filesystem::path dir; // the working directory with the data files
    ConfigurationDatabase& db;
    CommunicationControl& comm;
    const Clock& clock;
    RandomSource& random;
    const InstallationKeys& keys;
    HolidayCalendar& calendar;
    AttendanceData& attendance; // loaded at the start, saved at the end by the root
};

} // namespace qtr
