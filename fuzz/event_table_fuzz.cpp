// The event file as the viewers load it: any bytes are loaded into the event
// table, filtered, sorted and listed with the decoder over a small installation
// (a unit of every type, a zone, a holder). Time stamps may be any double.
// Input: [sort kind] [filter] [8 bytes: a date-time bound] [file bytes...].
#include "db/configuration_database.h"
#include "events/event_decoder.h"
#include "events/event_listing.h"
#include "events/event_table.h"
#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using qtr::fuzz::check;
namespace fs = std::filesystem;

const fs::path& eventFile() {
    static const fs::path file = [] {
        const fs::path d =
            fs::temp_directory_path() / ("qtr-fuzz-events-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d / "QTR0005.DAT";
    }();
    return file;
}

const qtr::ConfigurationDatabase& installation() {
    static const qtr::ConfigurationDatabase db = [] {
        qtr::ConfigurationDatabase d;
        d.zones.ensureMainZone();
        for (std::uint8_t type = 1; type <= 5; ++type) {
            qtr::ControlUnitRecord& u = d.units.current();
            u = {};
            u.address = type;
            u.unitType = type;
            u.usage = 0x0F;
            u.relayMask = type == 2 ? 0x01 : 0;
            u.unitName.setText(type == 5 ? "" : "Jednotka");
            for (auto& name : u.readerNames) {
                name.setText("Čtečka");
            }
            u.inputNames[0].setText("Vstup");
            for (auto& text : u.resultTexts) {
                text.setText("povoleno");
            }
            u.objects[0].zoneName.setText(type == 3 ? "JINÁ ZÓNA" : qtr::kMainZoneName);
            d.units.append();
        }
        d.keyHolders.newRecord();
        d.keyHolders.current().keyNumber = qtr::KeyNumber::parse("0100000012345A");
        d.keyHolders.append();
        return d;
    }();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const std::uint8_t sortKind = in.byte() % 7;
    const std::uint8_t filter = in.byte();
    const double bound = in.f64();
    const auto bytes = in.all();
    {
        std::ofstream out(eventFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    qtr::EventTable table;
    const qtr::EventLoadResult loaded = table.load(eventFile());
    check(loaded.file.ok());
    check(loaded.recordsInFile == bytes.size() / qtr::EventRecord::kSize);
    check(loaded.partialBytes == bytes.size() % qtr::EventRecord::kSize);
    check(table.count() == static_cast<int>(loaded.recordsInFile));

    const qtr::ConfigurationDatabase& db = installation();
    switch (filter % 6) {
    case 0:
        break;
    case 1:
        table.keepUnit(filter);
        break;
    case 2:
        table.keepKey(table.count() > 0 ? table.at(1).keyNumber : qtr::KeyNumber{});
        break;
    case 3:
        table.keepPeriod(bound, bound + filter);
        break;
    case 4:
        table.keepFrom(bound);
        break;
    default:
        table.keepAttendance(db.units);
        break;
    }
    table.sort(static_cast<qtr::SortKind>(sortKind));
    if (sortKind == 1) {
        for (int i = 2; i <= table.count(); ++i) {
            check(table.at(i - 1).unitAddress <= table.at(i).unitAddress);
        }
    }
    const qtr::EventDecoder decoder(db);
    const auto lines = qtr::eventListingLines(table, decoder);
    check(lines.size() == static_cast<std::size_t>(table.count()) + 3);
    for (int i = 1; i <= table.count(); ++i) {
        check(decoder.describe(table.at(i)) ==
              qtr::BulkEventDecoder(decoder).describe(table.at(i)));
        if (i > 3) {
            break; // the single decoder is slow; the bulk one did the listing
        }
    }
    return 0;
}
