#pragma once

#include "events/event_table.h"

#include <string>
#include <string_view>

namespace qtr {

// What the operator should know after an event file was read into a table: that
// reading failed, that only the first 65535 events were taken, or that the file
// ends with a partial record that was left out. Empty when the whole file is in
// the table. `fileName` is the name the operator knows the file by.
std::string eventLoadNote(const EventLoadResult& loaded, int count, std::string_view fileName);

} // namespace qtr
