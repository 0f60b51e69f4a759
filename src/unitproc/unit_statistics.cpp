#include "unitproc/unit_statistics.h"

#include <set>

namespace qtr {

StatisticsGrid ShowStatistics(const ConfigurationDatabase& db) {
    std::set<std::string> groupsUsed;
    std::set<std::string> permissionsUsed;
    int withGroup = 0;
    int withPermission = 0;
    for (const KeyHolderRecord& k : db.keyHolders.records()) {
        if (!k.groupName.empty()) {
            ++withGroup;
            groupsUsed.insert(std::string(k.groupName.win1250()));
        }
        if (!k.permissionGroupName.empty()) {
            ++withPermission;
            permissionsUsed.insert(std::string(k.permissionGroupName.win1250()));
        }
    }
    const int holders = db.keyHolders.count();
    const auto n = [](auto v) { return std::to_string(v); };
    StatisticsGrid g;
    g[0] = {"", "Počet", "", "Využívá", "Neurčeno"};
    g[1] = {"Klíče ", n(holders), "Užito", "[klíčů]", "[klíčů]"};
    g[2] = {"Skupina", n(db.groups.count()), n(groupsUsed.size()), n(withGroup),
            n(holders - withGroup)};
    g[3] = {"Rozpisy", "-", "-", "-", "-"};
    g[4] = {"Oprávnění", n(db.permissionGroups.count()), n(permissionsUsed.size()),
            n(withPermission), n(holders - withPermission)};
    return g;
}

} // namespace qtr
