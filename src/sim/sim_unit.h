#pragma once

#include "base/date_time.h"
#include "base/key_number.h"
#include "sim/event_memory.h"
#include "sim/rights_store.h"
#include "sim/unit_clock.h"
#include "sim/unit_faults.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qtr::sim {

// Model bytes a unit reports in its status answer.
inline constexpr std::uint8_t kModelVkr8 = 0x01;   // access or attendance unit, by its mode
inline constexpr std::uint8_t kModelVkrExp = 0x02; // door expander
inline constexpr std::uint8_t kModelVkrZav = 0x03; // barrier unit
inline constexpr std::uint8_t kModelReader = 0xF1; // key reader at the PC

// Low nibble of the mode byte of a VKR-8.
inline constexpr std::uint8_t kModeAccess = 0x01;
inline constexpr std::uint8_t kModeAttendance = 0x02;

// Memory size code for a unit without memory.
inline constexpr std::uint8_t kNoMemory = 0xFF;

// The states a unit reports.
enum UnitState : std::uint8_t {
    kStateNotConfigured = 0x00,
    kStateReset = 0x01,
    kStateLocked = 0x02,
    kStateConfigured = 0xAA,
};

// One-byte replies of a unit.
enum UnitReply : std::uint8_t {
    kReplyAccepted = 0xAA,
    kReplyChecksum = 0xB0,
    kReplyContext = 0x0B,
    kReplyUnknownCommand = 0x80,
    kReplyLocked = 0x90,
    kReplyEventsPending = 0x70,
    kReplyImpossible = 0xA0,
    kReplyInadmissible = 0xC0,
};

struct UnitSetup {
    std::uint8_t address = 0;
    std::uint8_t model = kModelVkr8;
    std::uint8_t mode = kModeAccess;
    std::uint8_t memoryCode = 3; // (code + 1) * 32 kB
    std::string name;
};

// One burst of answer bytes, sent after a pause.
struct AnswerPiece {
    int delayMs = 0;
    std::vector<std::uint8_t> bytes;
};

struct UnitAnswer {
    std::vector<AnswerPiece> pieces; // none: the unit keeps silent
    bool dataAnswer = false;         // a data packet went out: the PC may acknowledge it
    bool awaitsAcknowledge = false;  // events (or a key) were handed out with it
};

// What a key presentation came to.
struct Presentation {
    bool inService = false; // a unit that is not locked does not work
    bool validReader = false;
    bool permitted = false;
    bool recorded = false; // false also when the event memory is full
    bool doorOpened = false;
    std::uint8_t eventCode = 0;
};

// Everything a unit keeps, for saving a bus between runs. The clock is kept as
// the difference between the unit's time and the bus time.
struct UnitSnapshot {
    UnitSetup setup;
    std::uint8_t mode = 0;
    std::uint8_t state = 0;
    std::array<std::uint8_t, 16> parameters{};
    std::uint8_t alarmMask = 0xFF;
    std::uint8_t relayMask = 0;
    std::uint8_t inputs = 0;
    DateTime clockOffset = 0;
    double clockDrift = 0; // seconds per hour
    std::vector<UnitRight> rights;
    std::vector<StoredEvent> events;
    bool overflow = false;
    StoredEvent readerEvent; // key all zero: no key waits
    int latencyMs = 10;
};

// One simulated control unit.
//
// States: a unit starts "není konfigurována" (0). Configuration (0x80) brings it
// to "konfigurována" (0xAA) from any state; reset (0x85) from 0xAA or 1 clears its
// rights and makes it "vynulována" (1); rights (0x81) are taken only then; lock
// (0x86) puts it into service as "uzamčena" (2). A locked unit refuses reset,
// rights and lock with 0x90; configuration is the way out of the lock and is
// refused with 0x70 while events wait for collection, so none is ever lost.
// Reset and lock before configuration, and rights outside "vynulována" (but
// locked), are refused with 0x0B. Clock and masks are taken in every state.
// Only a locked unit judges keys and records events; only a locked unit hands
// events out (0x8E in another state answers one empty item).
class SimUnit {
public:
    SimUnit(const UnitSetup& setup, DateTime busNow);

    std::uint8_t address() const { return setup_.address; }
    std::uint8_t model() const { return setup_.model; }
    std::uint8_t mode() const { return mode_; }
    const std::string& name() const { return setup_.name; }
    std::uint8_t state() const { return state_; }
    std::uint8_t alarmMask() const { return alarmMask_; }
    std::uint8_t relayMask() const { return relayMask_; }
    const std::array<std::uint8_t, 16>& parameters() const { return parameters_; }
    const RightsStore& rights() const { return rights_; }
    const EventMemory& events() const { return events_; }
    const UnitClock& clock() const { return clock_; }
    // The clock as its owner may upset it: moved by some seconds, told to drift, or reset
    // to 1 January 2000 as after a power cut.
    UnitClock& clock() { return clock_; }
    bool isReader() const { return setup_.model == kModelReader; }
    bool isAttendance() const;
    // Readers 0..readerCount-1 take keys (a barrier unit has four).
    int readerCount() const;

    // The unit's answer to a request addressed to it (all L + 1 bytes).
    UnitAnswer answer(std::span<const std::uint8_t> request, DateTime busNow);
    // The acknowledge byte followed this unit's data answer: release what it handed out.
    void acknowledge();
    // Anything else followed it: what was handed out stays waiting.
    void forgetDelivery() { delivered_ = 0; }

    // The 30 bytes of the status answer, without the checksum.
    std::array<std::uint8_t, 30> statusBytes(DateTime busNow) const;
    std::uint32_t rightsPointer() const;

    // Things that happen at the unit.
    Presentation presentKey(int reader, const KeyNumber& key, DateTime busNow);
    // False when the input does not exist; an unwatched input (alarm mask bit
    // clear) or a unit out of service changes state without an event.
    bool changeInput(int input, bool active, DateTime busNow, bool* recorded = nullptr);
    bool inputActive(int input) const { return (inputs_ >> input & 1) != 0; }
    // The key waiting at a reader unit (all zero when none).
    const KeyNumber& waitingKey() const { return readerKey_; }

    UnitSnapshot snapshot(DateTime busNow) const;
    // A unit as saved; rights or events beyond its memory are dropped.
    static SimUnit fromSnapshot(const UnitSnapshot& s, DateTime busNow);

    // Faults: `count` answers (or acknowledges) misbehave, 0 = until cleared.
    void setFault(UnitFault fault, int count = 0);
    UnitFault fault() const { return fault_; }
    int latencyMs() const { return latencyMs_; }
    void setLatencyMs(int ms) { latencyMs_ = ms; }

private:
    std::vector<std::uint8_t> reply(std::uint8_t code) const { return {code}; }
    std::vector<std::uint8_t> command(std::span<const std::uint8_t> request, DateTime busNow,
                                      bool& dataAnswer);
    std::vector<std::uint8_t> readNextEvent(DateTime busNow);
    std::vector<std::uint8_t> readEventBlock();
    std::vector<std::uint8_t> dataPacket(std::vector<std::uint8_t> data) const;
    UnitAnswer shape(std::vector<std::uint8_t> bytes, bool dataAnswer);
    bool faultActive(UnitFault f) const { return fault_ == f; }
    void useFault();
    ObjectRule objectRule() const;
    int objectOfReader(int reader) const;
    bool record(const StoredEvent& e);

    UnitSetup setup_;
    std::uint8_t mode_;
    std::uint8_t state_ = kStateNotConfigured;
    std::array<std::uint8_t, 16> parameters_{};
    std::uint8_t alarmMask_ = 0xFF;
    std::uint8_t relayMask_ = 0;
    std::uint8_t inputs_ = 0;
    UnitClock clock_;
    RightsStore rights_;
    EventMemory events_;
    KeyNumber readerKey_;
    StoredEvent readerEvent_;
    std::size_t delivered_ = 0; // events (or the reader's key) handed out, not yet acknowledged
    UnitFault fault_ = UnitFault::None;
    int faultCount_ = 0;
    int latencyMs_ = 10;
};

} // namespace qtr::sim
