#include "db/tables.h"

#include "base/hex_text.h"
#include "base/win1250.h"

namespace qtr {
namespace {

// Names are compared as stored: the exact Windows-1250 bytes of the whole text.
template <std::size_t N> bool sameName(const ShortString<N>& s, std::string_view utf8) {
    return s.win1250() == utf8ToWin1250(utf8);
}

} // namespace

// --- control units ---

int ControlUnitTable::findByAddress(std::uint8_t address) const {
    return findFirst([address](const ControlUnitRecord& u) { return u.address == address; });
}

bool ControlUnitTable::selectByAddress(std::uint8_t address) {
    return select(findByAddress(address));
}

int ControlUnitTable::countByType(std::uint8_t unitType) const {
    int n = 0;
    for (const auto& u : records_) {
        n += u.unitType == unitType ? 1 : 0;
    }
    return n;
}

void ControlUnitTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const ControlUnitRecord& u) -> const auto& { return u.unitName; });
}

void ControlUnitTable::fillAddressList(std::vector<std::string>& list) const {
    list.clear();
    for (const auto& u : records_) {
        list.push_back(hexByteText(u.address) + " " + u.unitName.text());
    }
}

// --- zones ---

int ZoneTable::findByName(std::string_view name) const {
    return findFirst([&](const ZoneRecord& z) { return sameName(z.zoneName, name); });
}

void ZoneTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const ZoneRecord& z) -> const auto& { return z.zoneName; });
}

void ZoneTable::ensureMainZone() {
    if (count() == 0) {
        current_ = ZoneRecord::named(kMainZoneName);
        append();
    }
}

// --- key holders ---

int KeyHolderTable::findByKey(const KeyNumber& key) const {
    return findFirst([&](const KeyHolderRecord& k) { return k.keyNumber == key; });
}

bool KeyHolderTable::selectByKey(const KeyNumber& key) {
    return get(findByKey(key));
}

std::string KeyHolderTable::nameOfKey(const KeyNumber& key) const {
    const int i = findByKey(key);
    return i == 0 ? "?" : at(i).holderName.text();
}

int KeyHolderTable::findByName(std::string_view name) const {
    return findFirst([&](const KeyHolderRecord& k) { return sameName(k.holderName, name); });
}

bool KeyHolderTable::selectByName(std::string_view name) {
    return select(findByName(name));
}

void KeyHolderTable::selectByNamePrefix(std::string_view text) {
    std::string prefix = utf8ToWin1250(text);
    if (prefix.empty()) {
        return;
    }
    while (!prefix.empty()) {
        const int i = findFirst(
            [&](const KeyHolderRecord& k) { return k.holderName.win1250().starts_with(prefix); });
        if (i != 0) {
            current_ = at(i);
            return;
        }
        prefix.pop_back();
    }
    get(1);
}

void KeyHolderTable::sort(KeyHolderOrder order) {
    if (order == KeyHolderOrder::ByKey) {
        sortBy([](const KeyHolderRecord& a, const KeyHolderRecord& b) {
            return a.keyNumber < b.keyNumber;
        });
    } else {
        sortBy([](const KeyHolderRecord& a, const KeyHolderRecord& b) {
            return compareWin1250(a.holderName.win1250(), b.holderName.win1250()) < 0;
        });
    }
}

void KeyHolderTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const KeyHolderRecord& k) -> const auto& { return k.holderName; });
}

// --- organisational groups ---

int GroupTable::findByName(std::string_view name) const {
    return findFirst([&](const GroupRecord& g) { return sameName(g.groupName, name); });
}

void GroupTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const GroupRecord& g) -> const auto& { return g.groupName; });
}

// --- access schedules ---

int AccessScheduleTable::findByName(std::string_view name) const {
    return findFirst([&](const AccessScheduleRecord& a) { return sameName(a.scheduleName, name); });
}

bool AccessScheduleTable::selectByName(std::string_view name) {
    return select(findByName(name));
}

void AccessScheduleTable::sortByName() {
    sortBy([](const AccessScheduleRecord& a, const AccessScheduleRecord& b) {
        return compareWin1250(a.scheduleName.win1250(), b.scheduleName.win1250()) < 0;
    });
}

void AccessScheduleTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const AccessScheduleRecord& a) -> const auto& { return a.scheduleName; });
}

// --- permission groups ---

int PermissionGroupTable::findByName(std::string_view name) const {
    return findFirst([&](const PermissionGroupRecord& p) { return sameName(p.name, name); });
}

void PermissionGroupTable::fillNameList(std::vector<std::string>& list) const {
    fillNames(
        list, [](const PermissionGroupRecord& p) -> const auto& { return p.name; });
}

int PermissionGroupTable::findEntryByUnit(std::uint8_t address) const {
    const int n = std::min<int>(current_.entryCount, PermissionGroupRecord::kEntries);
    for (int k = 1; k <= n; ++k) {
        if (current_.entries[static_cast<std::size_t>(k - 1)].unitAddress == address) {
            return k;
        }
    }
    return 0;
}

bool PermissionGroupTable::deleteEntry(int k) {
    const int n = std::min<int>(current_.entryCount, PermissionGroupRecord::kEntries);
    if (n == 0 || k < 1 || k > n) {
        return false;
    }
    for (int i = k; i < n; ++i) {
        current_.entries[static_cast<std::size_t>(i - 1)] =
            current_.entries[static_cast<std::size_t>(i)];
    }
    current_.entryCount = static_cast<std::uint8_t>(n - 1);
    return true;
}

} // namespace qtr
