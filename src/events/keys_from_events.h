#pragma once

#include <cstdint>
#include <span>

namespace qtr {

class KeyHolderTable;

// What adding the keys of events to the key holder register did.
struct KeysFromEvents {
    int added = 0;
    int notAdded = 0; // unknown keys left out because the register was full
};

// Every key of the events (raw 19-byte records, in their order) that is not zero
// and that no holder has yet becomes a new holder named "#" + its key text, until
// the register is full. The current record of the table stays as it was; the new
// holders reach the key holder file with its next save.
KeysFromEvents addKeysFromEvents(KeyHolderTable& holders, std::span<const std::uint8_t> records);

} // namespace qtr
