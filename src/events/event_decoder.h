#pragma once

#include "events/event_record.h"

#include <memory>
#include <optional>
#include <string>

namespace qtr {

class ControlUnitTable;
struct ControlUnitRecord;
struct KeyHolderRecord;
class ZoneTable;
class KeyHolderTable;
struct ConfigurationDatabase;

// Messages of an event that cannot be decoded; each is followed by the event's dump.
inline constexpr const char* kNoDateMessage = "#datum události: ";
inline constexpr const char* kUnknownUnitMessage = "#adresa jednotky: ";
inline constexpr const char* kUndescribedSensorMessage = "#nepopsaný snímač: ";
inline constexpr const char* kStrangeEventMessage = "#podivná událost: ";
inline constexpr const char* kInformationEventMessage = "#inf. událost: ";
inline constexpr const char* kStrangeObjectMessage = "#podivný objekt: ";
inline constexpr const char* kZoneNotFoundMessage = "#nenalezena zóna: ";
// Part of a successful text: an event of a key no holder has.
inline constexpr const char* kUnknownKeyText = ", #neznámý klíč: ";

// Outcome of DecodeEvent: the event text, or the decode message (ok false).
struct DecodedEvent {
    bool ok = false;
    std::string text; // UTF-8: eventText when ok, decodeMessage otherwise

    friend bool operator==(const DecodedEvent&, const DecodedEvent&) = default;
};

// Direction of a passage at reader n (0-7) of a unit type.
enum class PassageDirection { None, Arrival, Departure };
PassageDirection passageDirection(std::uint8_t unitType, int reader);
// The unit object (door, barrier) reader n (0-7) belongs to, or nothing.
std::optional<int> passageObject(std::uint8_t unitType, int reader);

// DecodeEvent over the configuration tables as they are at each call; reads
// only (no table's current record or position changes). Cheap to make and
// always up to date: the one for a page of the history.
class EventDecoder {
public:
    EventDecoder(const ControlUnitTable& units, const ZoneTable& zones,
                 const KeyHolderTable& keyHolders)
        : units_(units), zones_(zones), keyHolders_(keyHolders) {}
    explicit EventDecoder(const ConfigurationDatabase& db);

    // A key event: unit name, sensor text, holder name and result text joined by
    // ", "; an input event: unit name, sensor text and state. Without a unit name
    // the name and its comma are absent.
    DecodedEvent decode(const EventRecord& event) const;

    // The text a row shows: eventText, or decodeMessage followed by the dump.
    std::string describe(const EventRecord& event) const;

    const ControlUnitTable& units() const { return units_; }
    const ZoneTable& zones() const { return zones_; }
    const KeyHolderTable& keyHolders() const { return keyHolders_; }

private:
    const ControlUnitTable& units_;
    const ZoneTable& zones_;
    const KeyHolderTable& keyHolders_;
};

// The same decoding for one pass over many events (a listing, an export): the
// key holders and units are indexed once, so that each event costs a few
// comparisons instead of a scan of the key holder table. The index is a
// snapshot: make a new one after the tables changed.
class BulkEventDecoder {
public:
    explicit BulkEventDecoder(const EventDecoder& tables);
    ~BulkEventDecoder();
    BulkEventDecoder(const BulkEventDecoder&) = delete;
    BulkEventDecoder& operator=(const BulkEventDecoder&) = delete;

    DecodedEvent decode(const EventRecord& event) const;
    std::string describe(const EventRecord& event) const;

    // The unit FindByAddress finds and the holder FindByKey finds, or nullptr.
    const ControlUnitRecord* unit(std::uint8_t address) const;
    const KeyHolderRecord* holder(const KeyNumber& key) const;

private:
    struct Index;
    std::unique_ptr<Index> index_;
};

// EventDump: address, the 8 time stamp bytes in memory order, the key text,
// event code, reserved1, reserved2; blank-separated upper-case hex.
std::string eventDump(const EventRecord& event);

} // namespace qtr
