#include "access/renamed_references.h"

#include "access/permission_entries.h"
#include "db/tables.h"

namespace qtr {
namespace {

using Name = ShortString<17>;

// Each of these renames the matching references of one record and says how many it had.
int rename(Name& field, const Name& oldName, const Name& newName) {
    if (field.win1250() != oldName.win1250()) {
        return 0;
    }
    field.setWin1250(newName.win1250());
    return 1;
}

int renameEntries(PermissionGroupRecord& group, const Name& oldName, const Name& newName) {
    int n = 0;
    for (int k = 0; k < usedEntries(group); ++k) {
        n += rename(group.entries[static_cast<std::size_t>(k)].scheduleName, oldName, newName);
    }
    return n;
}

int renameHolder(KeyHolderRecord& holder, const Name& oldName, const Name& newName) {
    return rename(holder.permissionGroupName, oldName, newName);
}

// Every stored record through the table's working copy, which is kept, then the
// working copy itself.
template <typename Table, typename Change>
int changeEveryRecord(Table& table, const Name& oldName, const Name& newName, Change change) {
    const auto working = table.current();
    int changed = 0;
    for (int i = 1; i <= table.count(); ++i) {
        table.get(i);
        if (const int n = change(table.current(), oldName, newName); n > 0) {
            table.put(i);
            changed += n;
        }
    }
    table.current() = working;
    change(table.current(), oldName, newName);
    return changed;
}

bool renamed(const Name& oldName, const Name& newName, bool oldNameRemains) {
    return !oldNameRemains && !oldName.empty() && oldName.win1250() != newName.win1250();
}

} // namespace

int carryScheduleRename(PermissionGroupTable& groups, const Name& oldName, const Name& newName,
                        bool oldNameRemains) {
    return renamed(oldName, newName, oldNameRemains)
               ? changeEveryRecord(groups, oldName, newName, renameEntries)
               : 0;
}

int carryPermissionGroupRename(KeyHolderTable& holders, const Name& oldName, const Name& newName,
                               bool oldNameRemains) {
    return renamed(oldName, newName, oldNameRemains)
               ? changeEveryRecord(holders, oldName, newName, renameHolder)
               : 0;
}

std::string scheduleRenameReport(int changed) {
    return "Nový název rozvrhu byl zapsán do položek oprávnění: " + std::to_string(changed);
}

std::string permissionGroupRenameReport(int changed) {
    return "Nový název oprávnění byl zapsán u nositelů klíčů: " + std::to_string(changed);
}

} // namespace qtr
