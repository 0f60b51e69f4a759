#pragma once

#include "base/key_number.h"

#include <functional>
#include <optional>

namespace qtr::setup {

// Reads the key presented at the installation's reader. The program fills it
// with the communication module's key reading; tests with scripted keys.
// Nothing when no key was read (a failed read is silent).
using KeyReader = std::function<std::optional<KeyNumber>()>;

// What the key holder register needs to read keys: the reader and the
// installation's master key, which may never be given to a person.
struct KeyReading {
    KeyReader readKey;
    std::optional<KeyNumber> masterKey;
};

} // namespace qtr::setup
