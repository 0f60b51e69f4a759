#pragma once

#include "base/short_string.h"

#include <string>

namespace qtr {
class KeyHolderTable;
class PermissionGroupTable;

// Schedules and permission groups are named, not numbered, by what uses them, so
// a rename left alone would quietly strip every user of its rights. These carry
// the new name into the references that named the old one, in the stored records
// and in the table's working copy, and return how many stored references changed.
// Nothing changes when the name stays or another record still has the old name
// (`oldNameRemains`), because then the references may mean that one.

// The permission entries naming the schedule.
int carryScheduleRename(PermissionGroupTable& groups, const ShortString<17>& oldName,
                        const ShortString<17>& newName, bool oldNameRemains);

// The key holders belonging to the permission group.
int carryPermissionGroupRename(KeyHolderTable& holders, const ShortString<17>& oldName,
                               const ShortString<17>& newName, bool oldNameRemains);

// What the editor tells the operator after a rename that changed references.
std::string scheduleRenameReport(int changed);
std::string permissionGroupRenameReport(int changed);

} // namespace qtr
