#include "cli/commands.h"

#include <array>

namespace qtr::cli {

std::span<const CliCommand> allCommands() {
    static const std::array kCommands = {
        CliCommand{"init", "init                 vytvoří chybějící konfigurační soubory a uloží je",
                   runInit},
    };
    return kCommands;
}

} // namespace qtr::cli
