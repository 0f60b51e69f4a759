// The record decoders behind every table load: a file of any bytes is loaded into
// the table the first byte picks, written back and loaded again; a record read and
// written back must be byte-identical, and every table operation that looks at the
// records (names, keys, sorting) must cope with whatever they hold.
// Input: [table selector] [file bytes...].
#include "db/tables.h"
#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using qtr::fuzz::check;
namespace fs = std::filesystem;

const fs::path& scratchDir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("qtr-fuzz-records-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::vector<std::uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Loads the bytes as a file of Table, saves it and checks the round trip.
template <typename Table> Table& roundTrip(Table& table, std::span<const std::uint8_t> bytes) {
    using Record = typename Table::RecordType;
    const std::size_t records = std::min(bytes.size() / Record::kSize, Table::kCapacity);
    // Only whole records within the capacity: a faulty file is kept as NAME.bak,
    // which would pile up here; the size checks are covered by the tests.
    const auto whole = bytes.first(records * Record::kSize);
    const fs::path file = scratchDir() / "table.dat";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(whole.data()),
                  static_cast<std::streamsize>(whole.size()));
    }
    check(table.load(file).ok());
    check(static_cast<std::size_t>(table.count()) == records);
    check(table.save(file).ok());
    const std::vector<std::uint8_t> saved = fileBytes(file);
    check(saved.size() == whole.size() && std::equal(saved.begin(), saved.end(), whole.begin()));
    return table;
}

template <typename Table> void names(Table& table) {
    std::vector<std::string> list;
    table.fillNameList(list);
    check(list.size() == static_cast<std::size_t>(table.count()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int found = table.findByName(list[i]);
        // A name that is not valid UTF-8 may come back as another text.
        check(found >= 0 && found <= table.count());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const std::uint8_t selector = in.byte();
    const auto bytes = in.all();
    switch (selector % 6) {
    case 0: {
        qtr::ControlUnitTable units;
        roundTrip(units, bytes);
        names(units);
        std::vector<std::string> list;
        units.fillAddressList(list);
        for (int i = 1; i <= units.count(); ++i) {
            check(units.selectByAddress(units.at(i).address));
            check(units.countByType(units.at(i).unitType) >= 1);
        }
        break;
    }
    case 1: {
        qtr::ZoneTable zones;
        roundTrip(zones, bytes);
        zones.ensureMainZone();
        check(zones.count() >= 1);
        names(zones);
        break;
    }
    case 2: {
        qtr::KeyHolderTable holders;
        roundTrip(holders, bytes);
        names(holders);
        for (int i = 1; i <= holders.count(); ++i) {
            check(holders.findByKey(holders.at(i).keyNumber) >= 1);
            (void)holders.nameOfKey(holders.at(i).keyNumber);
            holders.selectByNamePrefix(holders.at(i).holderName.text());
        }
        holders.sort(qtr::KeyHolderOrder::ByName);
        holders.sort(qtr::KeyHolderOrder::ByKey);
        for (int i = 2; i <= holders.count(); ++i) {
            check(!(holders.at(i).keyNumber < holders.at(i - 1).keyNumber));
        }
        break;
    }
    case 3: {
        qtr::GroupTable groups;
        roundTrip(groups, bytes);
        names(groups);
        break;
    }
    case 4: {
        qtr::AccessScheduleTable schedules;
        roundTrip(schedules, bytes);
        names(schedules);
        schedules.sortByName();
        break;
    }
    default: {
        qtr::PermissionGroupTable groups;
        roundTrip(groups, bytes);
        names(groups);
        for (int i = 1; i <= groups.count(); ++i) {
            check(groups.get(i));
            for (int a = 0; a < 4; ++a) {
                const int k = groups.findEntryByUnit(static_cast<std::uint8_t>(a));
                check(k >= 0 && k <= 32);
                if (k > 0) {
                    check(groups.deleteEntry(k));
                }
            }
        }
        break;
    }
    }
    return 0;
}
