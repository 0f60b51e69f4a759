#include "bench_event_data.h"

#include "base/file_io.h"
#include "events/event_file.h"
#include "events/event_table.h"

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>

namespace qtr::bench {

EventBenchData::EventBenchData() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qtr-bench-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    dir = tmpl;
    eventFile = dir / kEventFile;

    std::mt19937 rng(2024);
    db.zones.ensureMainZone();
    for (int i = 0; i < 32; ++i) {
        ControlUnitRecord& u = db.units.current();
        u = ControlUnitRecord{};
        u.address = static_cast<std::uint8_t>(i + 1);
        u.unitType = static_cast<std::uint8_t>(i % 4 + 1);
        u.usage = u.unitType == kUnitAttendance ? 1 : 0x05;
        u.relayMask = i % 8 == 1 ? 0x3F : 0;
        u.unitName.setText("Jednotka " + std::to_string(i + 1));
        const char* results[] = {"povoleno", "neoprávněný", "neotevřeno", "nezavřeno"};
        for (std::size_t k = 0; k < 4; ++k) {
            u.resultTexts[k].setText(results[k]);
        }
        for (std::size_t k = 0; k < 8; ++k) {
            u.readerNames[k].setText("Dveře " + std::to_string(k / 2) +
                                     (k % 2 == 0 ? " / příchod" : " / odchod"));
            u.inputNames[k].setText("Dveře " + std::to_string(k));
            u.objects[k].zoneName.setText("HLAVNÍ ZÓNA");
        }
        db.units.append();
    }
    std::vector<KeyNumber> keys;
    for (int i = 0; i < 1000; ++i) {
        db.keyHolders.newRecord();
        auto& h = db.keyHolders.current();
        for (auto& b : h.keyNumber.bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        h.holderName.setText("Nositel č. " + std::to_string(i + 1));
        keys.push_back(h.keyNumber);
        db.keyHolders.append();
    }

    const DateTime start = encodeDate(2024, 1, 1);
    events.resize(EventTable::kCapacity);
    for (auto& e : events) {
        e.unitAddress = static_cast<std::uint8_t>(rng() % 32 + 1);
        // Whole even seconds over the year, as units deliver them.
        e.timestamp = start + static_cast<double>(rng() % (366 * 43200)) * 2.0 / 86400.0;
        const unsigned kind = rng() % 10;
        const auto result = static_cast<std::uint8_t>((rng() % 8 == 0 ? rng() % 4 : 0) << 4);
        if (kind == 0) { // input event
            e.keyNumber = KeyNumber{};
            e.eventCode = static_cast<std::uint8_t>(8 + rng() % 8) | (rng() % 2 == 0 ? 0 : 0x30);
        } else {
            if (kind == 1) { // a key nobody holds
                for (auto& b : e.keyNumber.bytes) {
                    b = static_cast<std::uint8_t>(rng());
                }
            } else {
                e.keyNumber = keys[rng() % keys.size()];
            }
            e.eventCode = static_cast<std::uint8_t>(rng() % 8) | result;
        }
    }
    std::vector<std::uint8_t> bytes(events.size() * EventRecord::kSize);
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].toBytes(std::span(bytes).subspan(i * EventRecord::kSize, EventRecord::kSize));
    }
    if (!writeFileAtomically(eventFile, bytes)) {
        throw std::runtime_error("cannot write the event file");
    }
}

EventBenchData::~EventBenchData() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

const EventBenchData& benchData() {
    static const EventBenchData data;
    return data;
}

} // namespace qtr::bench
