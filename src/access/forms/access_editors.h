#pragma once

#include "base/file_result.h"

#include <filesystem>

class QWidget;

namespace qtr {
struct ConfigurationDatabase;
}

// What the main menu does for "Časy pro přístup" and "Skupiny &oprávnění": opens
// the editor modally on the in-memory tables and, when it closes, saves what it
// changed. The result is that of the saves (the first failure), for the
// application's error handler.
namespace qtr::access {

// The schedules are sorted by name and saved to QTR0007.DAT whatever the window's
// result; QTR0008.DAT too when permission entries took over a renamed schedule.
FileResult runScheduleEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                             QWidget* parent);

// The permission groups are saved to QTR0008.DAT; QTR0002.DAT too when key
// holders took over a renamed group, and QTR0007.DAT when the schedule picker
// stored or deleted a schedule, so that neither is lost at program exit.
FileResult runPermissionGroupEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                                    QWidget* parent);

} // namespace qtr::access
