#include "base/hex_text.h"
#include "cli/bus_access.h"
#include "cli/commands.h"
#include "cli/table_file.h"
#include "comm/unit_status_view.h"
#include "db/data_files.h"
#include "db/tables.h"

#include <optional>
#include <ostream>

namespace qtr::cli {
namespace {

// The address argument: exactly two hex digits.
std::optional<std::uint8_t> unitAddress(const CliContext& ctx, std::string_view command) {
    if (ctx.args.size() != 1 || ctx.args[0].size() != 2 || !isHexText(ctx.args[0])) {
        *ctx.err << command << " očekává adresu jednotky: dvě šestnáctkové číslice (např. 0A)\n";
        return std::nullopt;
    }
    return parseHexByte(ctx.args[0]);
}

} // namespace

int runUnitStatus(CliContext& ctx) {
    const auto address = unitAddress(ctx, "status");
    if (!address) {
        return kExitUsage;
    }
    return withBus(ctx, [&](UnitTransaction& bus) {
        if (!bus.CteniStavuJednotky(*address)) {
            *ctx.err << bus.errorText << "\n";
            return kExitFailure;
        }
        const UnitStatusView v = decodeUnitStatus(bus.unitStatus);
        std::ostream& out = *ctx.out;
        out << "Adresa: " << v.address << "\n"
            << "Typ jednotky: " << v.unitType << "\n"
            << "Stav jednotky: " << v.unitState << "\n"
            << "Režim: " << v.mode << "\n"
            << "Paměť: " << v.memory << "\n"
            << "Alarm: " << v.alarm << "\n"
            << "Relé: " << v.relay << "\n"
            << "Čas jednotky: " << v.unitClock << "\n";
        if (!v.pendingEvents.empty()) {
            out << v.pendingEvents << "\n";
        }
        out << v.rightsCount << "\n";
        for (const auto& line : v.lines) {
            out << line << "\n";
        }
        if (v.eventMemoryOverflow) {
            out << kEventMemoryOverflowText << "\n";
        }
        return kExitOk;
    });
}

int runReadKey(CliContext& ctx) {
    const auto address = unitAddress(ctx, "read-key");
    if (!address) {
        return kExitUsage;
    }
    // A unit of the unit table would hand its next event to the key reading.
    ControlUnitTable units;
    if (!loadTableIfPresent(ctx, units, kUnitsFile)) {
        return kExitFailure;
    }
    return withBus(ctx, [&](UnitTransaction& bus) {
        KeyNumber key;
        if (!bus.GetKonvertor(*address, key, units)) {
            *ctx.err << bus.errorText << "\n";
            return kExitFailure;
        }
        *ctx.out << key.text() << "\n";
        return kExitOk;
    });
}

} // namespace qtr::cli
