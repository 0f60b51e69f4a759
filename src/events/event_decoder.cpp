#include "events/event_decoder.h"

#include "base/hex_text.h"
#include "db/configuration_database.h"
#include "db/tables.h"
#include "events/attendance_selection.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace qtr {
namespace {

std::uint64_t keyValue(const KeyNumber& key) {
    std::uint64_t v = 0;
    for (std::uint8_t b : key.bytes) {
        v = v << 8 | b;
    }
    return v;
}

// The steps of DecodeEvent; the first failing check gives the message. Lookup
// answers: unit(address), zoneExists(win1250 name), holder(key) (first matches).
template <typename Lookup> DecodedEvent decodeWith(const EventRecord& e, const Lookup& lookup) {
    const auto fail = [](const char* message) { return DecodedEvent{false, message}; };
    if (e.timestamp == 0.0) {
        return fail(kNoDateMessage);
    }
    const ControlUnitRecord* unit = lookup.unit(e.unitAddress);
    if (unit == nullptr) {
        return fail(kUnknownUnitMessage);
    }
    const int s = e.sensorIndex();
    const auto& sensor = s < 8 ? unit->readerNames[static_cast<std::size_t>(s)]
                               : unit->inputNames[static_cast<std::size_t>(s - 8)];
    if (sensor.empty()) {
        return fail(kUndescribedSensorMessage);
    }
    std::string text;
    if (!unit->unitName.empty()) {
        text = unit->unitName.text() + ", ";
    }
    text += sensor.text();

    if (e.isInputEvent()) {
        if (!e.keyNumber.isZero()) {
            return fail(kStrangeEventMessage);
        }
        switch (e.resultCode()) {
        case 0:
            text += ", klidový stav";
            break;
        case 3:
            text += ", AKTIVOVÁNO";
            break;
        default:
            text += ", ?" + hexByteText(e.eventCode);
            break;
        }
        return {true, std::move(text)};
    }

    const int reader = e.sensorNumber();
    if (passageDirection(unit->unitType, reader) == PassageDirection::None) {
        return fail(kInformationEventMessage);
    }
    const std::optional<int> object = passageObject(unit->unitType, reader);
    if (!object) {
        return fail(kStrangeObjectMessage);
    }
    const auto& zoneName = unit->objects[static_cast<std::size_t>(*object)].zoneName;
    if (!zoneName.empty() && !lookup.zoneExists(zoneName.win1250())) {
        return fail(kZoneNotFoundMessage);
    }
    const auto& result = unit->resultTexts[static_cast<std::size_t>(e.resultCode())];
    if (const KeyHolderRecord* holder = lookup.holder(e.keyNumber)) {
        text += ", " + holder->holderName.text();
    } else {
        text += kUnknownKeyText + e.keyNumber.text();
    }
    text += ", " + result.text();
    return {true, std::move(text)};
}

// Straight from the tables, as they are now.
struct TableLookup {
    const EventDecoder& d;

    const ControlUnitRecord* unit(std::uint8_t address) const {
        const int i = d.units().findByAddress(address);
        return i == 0 ? nullptr : &d.units().at(i);
    }
    bool zoneExists(std::string_view win1250Name) const {
        for (int i = 1; i <= d.zones().count(); ++i) {
            if (d.zones().at(i).zoneName.win1250() == win1250Name) {
                return true;
            }
        }
        return false;
    }
    const KeyHolderRecord* holder(const KeyNumber& key) const {
        const int i = d.keyHolders().findByKey(key);
        return i == 0 ? nullptr : &d.keyHolders().at(i);
    }
};

std::string describeWith(const DecodedEvent& decoded, const EventRecord& e) {
    return decoded.ok ? decoded.text : decoded.text + eventDump(e);
}

} // namespace

PassageDirection passageDirection(std::uint8_t unitType, int reader) {
    const auto alternate = [reader] {
        return reader % 2 == 0 ? PassageDirection::Arrival : PassageDirection::Departure;
    };
    switch (unitType) {
    case kUnitAccess:
    case kUnitDoor:
        return reader >= 0 && reader <= 7 ? alternate() : PassageDirection::None;
    case kUnitAttendance:
        if (reader == 0) {
            return PassageDirection::Arrival;
        }
        return reader >= 1 && reader <= 5 ? PassageDirection::Departure : PassageDirection::None;
    case kUnitBarrier:
        return reader >= 0 && reader <= 3 ? alternate() : PassageDirection::None;
    default:
        return PassageDirection::None;
    }
}

std::optional<int> passageObject(std::uint8_t unitType, int reader) {
    switch (unitType) {
    case kUnitAccess:
    case kUnitDoor:
        return reader >= 0 && reader <= 7 ? std::optional(reader / 2) : std::nullopt;
    case kUnitAttendance:
        return reader >= 0 && reader <= 5 ? std::optional(0) : std::nullopt;
    case kUnitBarrier:
        return reader >= 0 && reader <= 3 ? std::optional(reader / 2) : std::nullopt;
    default:
        return std::nullopt;
    }
}

EventDecoder::EventDecoder(const ConfigurationDatabase& db)
    : EventDecoder(db.units, db.zones, db.keyHolders) {}

DecodedEvent EventDecoder::decode(const EventRecord& event) const {
    return decodeWith(event, TableLookup{*this});
}

std::string EventDecoder::describe(const EventRecord& event) const {
    return describeWith(decode(event), event);
}

// Snapshot indexes of the tables for one pass.
struct BulkEventDecoder::Index {
    UnitsByAddress units;
    std::vector<std::string> zoneNames;                     // sorted, Windows-1250
    std::vector<std::pair<std::uint64_t, int>> holderByKey; // sorted by key, then position
    const KeyHolderTable& keyHolders;

    explicit Index(const EventDecoder& d) : units(d.units()), keyHolders(d.keyHolders()) {
        for (int i = 1; i <= d.zones().count(); ++i) {
            zoneNames.emplace_back(d.zones().at(i).zoneName.win1250());
        }
        std::sort(zoneNames.begin(), zoneNames.end());
        holderByKey.reserve(static_cast<std::size_t>(keyHolders.count()));
        for (int i = 1; i <= keyHolders.count(); ++i) {
            holderByKey.emplace_back(keyValue(keyHolders.at(i).keyNumber), i);
        }
        std::sort(holderByKey.begin(), holderByKey.end());
    }

    const ControlUnitRecord* unit(std::uint8_t address) const { return units.find(address); }
    bool zoneExists(std::string_view win1250Name) const {
        return std::binary_search(zoneNames.begin(), zoneNames.end(), win1250Name);
    }
    const KeyHolderRecord* holder(const KeyNumber& key) const {
        const std::uint64_t v = keyValue(key);
        // The lowest position with this key: the holder FindByKey finds.
        const auto it = std::lower_bound(holderByKey.begin(), holderByKey.end(),
                                         std::pair<std::uint64_t, int>{v, 0});
        return it != holderByKey.end() && it->first == v ? &keyHolders.at(it->second) : nullptr;
    }
};

BulkEventDecoder::BulkEventDecoder(const EventDecoder& tables)
    : index_(std::make_unique<Index>(tables)) {}

BulkEventDecoder::~BulkEventDecoder() = default;

DecodedEvent BulkEventDecoder::decode(const EventRecord& event) const {
    return decodeWith(event, *index_);
}

std::string BulkEventDecoder::describe(const EventRecord& event) const {
    return describeWith(decode(event), event);
}

const ControlUnitRecord* BulkEventDecoder::unit(std::uint8_t address) const {
    return index_->unit(address);
}

const KeyHolderRecord* BulkEventDecoder::holder(const KeyNumber& key) const {
    return index_->holder(key);
}

std::string eventDump(const EventRecord& e) {
    std::array<std::uint8_t, EventRecord::kSize> raw{};
    e.toBytes(raw);
    std::string out = hexByteText(e.unitAddress);
    out += ' ';
    for (std::size_t i = 8; i < 16; ++i) {
        out += hexByteText(raw[i]);
    }
    out += ' ';
    out += e.keyNumber.text();
    for (const std::uint8_t b : {e.eventCode, e.reserved1, e.reserved2}) {
        out += ' ';
        out += hexByteText(b);
    }
    return out;
}

} // namespace qtr
