#include "db/tables.h"

#include "base/hex_text.h"
#include "base/win1250.h"

namespace qtr {
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

void ControlUnitTable::fillAddressList(std::vector<std::string>& list) const {
    list.clear();
    for (const auto& u : records_) {
        list.push_back(hexByteText(u.address) + " " + u.unitName.text());
    }
}

// --- zones ---

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

// --- organisational groups ---

// --- access schedules ---

bool AccessScheduleTable::selectByName(std::string_view name) {
    return select(findByName(name));
}

void AccessScheduleTable::sortByName() {
    sortBy([](const AccessScheduleRecord& a, const AccessScheduleRecord& b) {
        return compareWin1250(a.scheduleName.win1250(), b.scheduleName.win1250()) < 0;
    });
}

// --- permission groups ---

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
