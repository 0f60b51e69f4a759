#include "cli/commands.h"

#include <array>

namespace qtr::cli {

std::span<const CliCommand> allCommands() {
    static const std::array kCommands = {
        CliCommand{"init", "init                 vytvoří chybějící konfigurační soubory a uloží je",
                   runInit},
        CliCommand{"keys",
                   "keys export SOUBOR   zapíše nositele klíčů do exportního souboru (.sdf)",
                   runKeys},
        CliCommand{"keys",
                   "keys import SOUBOR [--replace]  načte nositele klíčů ze souboru "
                   "(--replace: původní smaže)",
                   runKeys},
        CliCommand{"keys",
                   "keys list            vypíše nositele klíčů (pořadí, klíč, jméno, "
                   "skupina, oprávnění)",
                   runKeys},
    };
    return kCommands;
}

} // namespace qtr::cli
