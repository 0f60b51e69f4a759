#pragma once

#include "cli/cli_context.h"
#include "comm/unit_transaction.h"

#include <functional>

namespace qtr::cli {

// Runs `job` on the communication module of the data directory with its port open, or
// with --sim on the simulated units of the data directory (which remember what happened
// for the next run). Reports in Czech why the bus could not be reached (among others:
// another program holds the port) and returns 1 then.
int withBus(CliContext& ctx, const std::function<int(UnitTransaction&)>& job);

} // namespace qtr::cli
