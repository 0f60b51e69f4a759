#include "sim/unit_faults.h"

#include <array>
#include <utility>

namespace qtr::sim {
namespace {

constexpr std::array<std::pair<UnitFault, std::string_view>, 9> kWords = {{
    {UnitFault::None, "zadna"},
    {UnitFault::NoAnswer, "neodpovida"},
    {UnitFault::WrongChecksum, "soucet"},
    {UnitFault::ForeignAddress, "adresa"},
    {UnitFault::SplitAnswer, "rozdelena"},
    {UnitFault::Garbage, "smeti"},
    {UnitFault::OversizedAnswer, "dlouha"},
    {UnitFault::LateAnswer, "pozde"},
    {UnitFault::IgnoreAcknowledge, "potvrzeni"},
}};

} // namespace

std::string_view faultWord(UnitFault fault) {
    for (const auto& [f, w] : kWords) {
        if (f == fault) {
            return w;
        }
    }
    return "?";
}

std::optional<UnitFault> faultFromWord(std::string_view word) {
    for (const auto& [f, w] : kWords) {
        if (w == word) {
            return f;
        }
    }
    return std::nullopt;
}

} // namespace qtr::sim
