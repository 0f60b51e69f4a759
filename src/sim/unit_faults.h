#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qtr::sim {

// Ways a unit can be told to misbehave on the bus.
enum class UnitFault : std::uint8_t {
    None,
    NoAnswer,          // keeps silent
    WrongChecksum,     // data answers carry a wrong checksum byte
    ForeignAddress,    // data answers carry another unit's address (checksum right)
    SplitAnswer,       // data answers come in two parts with a pause of 120 ms
    Garbage,           // seven bytes of noise instead of the answer
    OversizedAnswer,   // the answer followed by filler up to 600 bytes, in one burst
    LateAnswer,        // the answer comes after 2500 ms
    IgnoreAcknowledge, // the acknowledge byte is ignored: the event stays waiting
};

// The console's word for a fault ("zadna", "neodpovida", "soucet", "adresa",
// "rozdelena", "smeti", "dlouha", "pozde", "potvrzeni").
std::string_view faultWord(UnitFault fault);
std::optional<UnitFault> faultFromWord(std::string_view word);

// Timing of the misbehaving answers, in milliseconds.
inline constexpr int kSplitPauseMs = 120;
inline constexpr int kLateAnswerMs = 2500;
inline constexpr std::size_t kOversizedAnswerBytes = 600;

} // namespace qtr::sim
