#pragma once

#include "db/configuration_database.h"

#include <array>
#include <string>

namespace qtr {

// The statistics grid of the full configuration window (sgStat): 5 columns, 5 rows, the
// first two rows fixed. [row][column].
using StatisticsGrid = std::array<std::array<std::string, 5>, 5>;

// ShowStatistics: counts of key holders, organisational groups and permission groups, and
// how the key holders use them (one pass over the key holders).
StatisticsGrid ShowStatistics(const ConfigurationDatabase& db);

} // namespace qtr
