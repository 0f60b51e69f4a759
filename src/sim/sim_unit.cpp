#include "sim/sim_unit.h"

#include "base/bcd.h"
#include "comm/packet.h"

#include <algorithm>

namespace qtr::sim {
namespace {

// Where rights and events live in a unit's memory. The rights area fills the
// first half from a small header, the event area the second half.
struct MemoryLayout {
    std::uint32_t rightsBase = 0;
    std::uint32_t rightSize = 0;
    std::size_t rightsCapacity = 0;
    std::uint32_t eventBase = 0;
    std::uint32_t eventCapacity = 0;
};

MemoryLayout layoutOf(std::uint8_t model, std::uint8_t memoryCode) {
    MemoryLayout l;
    if (model == kModelVkr8) {
        l.rightsBase = 16;
        l.rightSize = 14;
    } else if (model == kModelVkrExp || model == kModelVkrZav) {
        l.rightsBase = 256;
        l.rightSize = 15;
    } else {
        return l; // a reader keeps neither rights nor events
    }
    if (memoryCode == kNoMemory) {
        l.eventBase = l.rightsBase;
        return l;
    }
    const std::uint32_t size = (static_cast<std::uint32_t>(memoryCode) + 1) * 32 * 1024;
    const std::uint32_t half = size / 2;
    l.rightsCapacity = half > l.rightsBase ? (half - l.rightsBase) / l.rightSize : 0;
    l.eventBase = half;
    l.eventCapacity = half / StoredEvent::kSize;
    return l;
}

void putU24(std::span<std::uint8_t> out, std::uint32_t v) {
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
    out[2] = static_cast<std::uint8_t>(v >> 16);
}

bool bcdTime(std::uint8_t hourBcd, std::uint8_t minuteBcd, HourMinute& out) {
    const auto digitsOk = [](std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; };
    if (!digitsOk(hourBcd) || !digitsOk(minuteBcd)) {
        return false;
    }
    const int h = fromBcd(hourBcd);
    const int m = fromBcd(minuteBcd);
    if (h > 23 || m > 59) {
        return false;
    }
    out = makeHourMinute(h, m);
    return true;
}

// Seven bytes of line noise: no address, no valid packet.
constexpr std::array<std::uint8_t, 7> kNoise = {0x3C, 0xFF, 0x00, 0x81, 0x7E, 0x12, 0xE5};

} // namespace

SimUnit::SimUnit(const UnitSetup& setup, DateTime busNow)
    : setup_(setup), mode_(setup.mode), clock_(busNow),
      rights_(layoutOf(setup.model, setup.memoryCode).rightsCapacity),
      events_(layoutOf(setup.model, setup.memoryCode).eventBase,
              layoutOf(setup.model, setup.memoryCode).eventCapacity) {}

UnitSnapshot SimUnit::snapshot(DateTime busNow) const {
    UnitSnapshot s;
    s.setup = setup_;
    s.mode = mode_;
    s.state = state_;
    s.parameters = parameters_;
    s.alarmMask = alarmMask_;
    s.relayMask = relayMask_;
    s.inputs = inputs_;
    s.clockOffset = clock_.now(busNow) - busNow;
    s.clockDrift = clock_.drift();
    s.rights = rights_.rights();
    s.events.assign(events_.events().begin(), events_.events().end());
    s.overflow = events_.overflowed();
    if (!readerKey_.isZero()) {
        s.readerEvent = readerEvent_;
    }
    s.latencyMs = latencyMs_;
    return s;
}

SimUnit SimUnit::fromSnapshot(const UnitSnapshot& s, DateTime busNow) {
    SimUnit u(s.setup, busNow);
    u.mode_ = s.mode;
    u.state_ = s.state;
    u.parameters_ = s.parameters;
    u.alarmMask_ = s.alarmMask;
    u.relayMask_ = s.relayMask;
    u.inputs_ = s.inputs;
    u.clock_.set(busNow + s.clockOffset, busNow);
    u.clock_.setDrift(s.clockDrift, busNow);
    for (const auto& r : s.rights) {
        u.rights_.add(r);
    }
    for (const auto& e : s.events) {
        u.events_.store(e);
    }
    if (s.overflow) {
        u.events_.setOverflow(true);
    }
    u.readerKey_ = s.readerEvent.key;
    u.readerEvent_ = s.readerEvent;
    u.latencyMs_ = s.latencyMs;
    return u;
}

bool SimUnit::isAttendance() const {
    return setup_.model == kModelVkr8 && (mode_ & 0x0F) == kModeAttendance;
}

int SimUnit::readerCount() const {
    if (isReader()) {
        return 1;
    }
    return setup_.model == kModelVkrZav ? 4 : 8;
}

ObjectRule SimUnit::objectRule() const {
    return setup_.model == kModelVkrExp || setup_.model == kModelVkrZav ? ObjectRule::ObjectBits
                                                                        : ObjectRule::AllObjects;
}

int SimUnit::objectOfReader(int reader) const {
    if (isAttendance()) {
        return reader <= 5 ? 0 : -1;
    }
    return reader / 2;
}

std::uint32_t SimUnit::rightsPointer() const {
    const MemoryLayout l = layoutOf(setup_.model, setup_.memoryCode);
    return l.rightsBase + l.rightSize * static_cast<std::uint32_t>(rights_.count());
}

std::array<std::uint8_t, 30> SimUnit::statusBytes(DateTime busNow) const {
    std::array<std::uint8_t, 30> s{};
    s[0] = setup_.address;
    s[1] = setup_.model;
    s[2] = state_;
    s[3] = mode_;
    s[4] = isReader() ? kNoMemory : setup_.memoryCode;
    s[5] = alarmMask_;
    s[6] = relayMask_;
    putU24(std::span(s).subspan(7, 3), events_.writePointer());
    putU24(std::span(s).subspan(10, 3), rightsPointer());
    putU24(std::span(s).subspan(16, 3), events_.readPointer());
    s[22] = events_.overflowed() ? 1 : 0;
    const auto c = clock_.clockBytes(busNow);
    std::copy(c.begin(), c.end(), s.begin() + 23);
    return s;
}

std::vector<std::uint8_t> SimUnit::dataPacket(std::vector<std::uint8_t> data) const {
    data.push_back(byteSum(data));
    return data;
}

UnitAnswer SimUnit::answer(std::span<const std::uint8_t> request, DateTime busNow) {
    delivered_ = 0;
    bool dataAnswer = false;
    std::vector<std::uint8_t> bytes = command(request, busNow, dataAnswer);
    return shape(std::move(bytes), dataAnswer);
}

std::vector<std::uint8_t> SimUnit::command(std::span<const std::uint8_t> request, DateTime busNow,
                                           bool& dataAnswer) {
    if (request.size() < 4 || request.size() != static_cast<std::size_t>(request[1]) + 1) {
        return reply(kReplyInadmissible);
    }
    const std::size_t l = request[1];
    if (byteSum(request.first(l)) != request[l]) {
        return reply(kReplyChecksum);
    }
    const std::uint8_t code = request[2];
    const std::uint8_t expectedL = requestLength(code);
    if (expectedL == 0) {
        return reply(kReplyUnknownCommand);
    }
    if (expectedL != l) {
        return reply(kReplyInadmissible);
    }
    const auto payload = request.subspan(3, l - 3);

    // What a key reader understands.
    if (isReader() && code != kCmdReadStatus && code != kCmdReadNextEvent && code != kCmdSetClock) {
        return reply(kReplyUnknownCommand);
    }

    switch (code) {
    case kCmdConfigure:
        if (events_.pending() > 0) {
            return reply(kReplyEventsPending);
        }
        std::copy(payload.begin(), payload.end(), parameters_.begin());
        mode_ = parameters_[0];
        state_ = kStateConfigured;
        return reply(kReplyAccepted);
    case kCmdReset:
        if (state_ == kStateLocked) {
            return reply(kReplyLocked);
        }
        if (state_ == kStateNotConfigured) {
            return reply(kReplyContext);
        }
        if (events_.pending() > 0) {
            return reply(kReplyEventsPending);
        }
        rights_.clear();
        state_ = kStateReset;
        return reply(kReplyAccepted);
    case kCmdStoreRight: {
        if (state_ == kStateLocked) {
            return reply(kReplyLocked);
        }
        if (state_ != kStateReset) {
            return reply(kReplyContext);
        }
        UnitRight r;
        r.objectMask = payload[0];
        r.key = KeyNumber::fromBytes(payload.subspan(1, 7));
        r.dayMask = payload[8];
        if (!bcdTime(payload[9], payload[10], r.fromTime) ||
            !bcdTime(payload[11], payload[12], r.toTime)) {
            return reply(kReplyInadmissible);
        }
        if (!rights_.add(r)) {
            return reply(kReplyImpossible);
        }
        return reply(kReplyAccepted);
    }
    case kCmdLock:
        if (state_ == kStateLocked) {
            return reply(kReplyLocked);
        }
        if (state_ != kStateReset) {
            return reply(kReplyContext);
        }
        state_ = kStateLocked;
        return reply(kReplyAccepted);
    case kCmdSetClock: {
        DateTime t = 0;
        if (!parseClockBytes(payload, t)) {
            return reply(kReplyInadmissible);
        }
        clock_.set(t, busNow);
        return reply(kReplyAccepted);
    }
    case kCmdRelayMask:
        relayMask_ = payload[0];
        return reply(kReplyAccepted);
    case kCmdAlarmMask:
        alarmMask_ = payload[0];
        return reply(kReplyAccepted);
    case kCmdReadStatus: {
        dataAnswer = true;
        const auto s = statusBytes(busNow);
        return dataPacket({s.begin(), s.end()});
    }
    case kCmdReadNextEvent:
        dataAnswer = true;
        return readNextEvent(busNow);
    case kCmdReadEventBlock:
        dataAnswer = true;
        return readEventBlock();
    default:
        // Known to the line but with no meaning in these units.
        return reply(kReplyUnknownCommand);
    }
}

std::vector<std::uint8_t> SimUnit::readNextEvent(DateTime) {
    std::vector<std::uint8_t> data(18, 0);
    data[0] = setup_.address;
    putU24(std::span(data).subspan(1, 3), events_.readPointer());
    std::optional<StoredEvent> e;
    if (isReader()) {
        if (!readerKey_.isZero()) {
            e = readerEvent_;
        }
    } else if (state_ == kStateLocked) {
        e = events_.oldest();
    }
    if (e) {
        const auto item = e->itemBytes();
        std::copy(item.begin(), item.end(), data.begin() + 4);
        delivered_ = 1;
    }
    return dataPacket(std::move(data));
}

std::vector<std::uint8_t> SimUnit::readEventBlock() {
    std::vector<std::uint8_t> data(302, 0);
    data[0] = setup_.address;
    putU24(std::span(data).subspan(1, 3), events_.readPointer());
    if (state_ == kStateLocked) {
        const auto& waiting = events_.events();
        const std::size_t n = std::min<std::size_t>(waiting.size(), 21);
        for (std::size_t i = 0; i < n; ++i) {
            const auto item = waiting[i].itemBytes();
            std::copy(item.begin(), item.end(), data.begin() + static_cast<long>(4 + 14 * i));
        }
        delivered_ = n;
    }
    return dataPacket(std::move(data));
}

UnitAnswer SimUnit::shape(std::vector<std::uint8_t> bytes, bool dataAnswer) {
    UnitAnswer a;
    a.dataAnswer = dataAnswer;
    switch (fault_) {
    case UnitFault::NoAnswer:
        useFault();
        delivered_ = 0;
        a.dataAnswer = false;
        return a;
    case UnitFault::Garbage:
        useFault();
        delivered_ = 0;
        a.dataAnswer = false;
        a.pieces.push_back({latencyMs_, {kNoise.begin(), kNoise.end()}});
        return a;
    case UnitFault::OversizedAnswer:
        useFault();
        bytes.resize(std::max(bytes.size(), kOversizedAnswerBytes), 0x55);
        break;
    case UnitFault::WrongChecksum:
        if (dataAnswer) {
            useFault();
            bytes.back() = static_cast<std::uint8_t>(bytes.back() + 1);
        }
        break;
    case UnitFault::ForeignAddress:
        if (dataAnswer) {
            useFault();
            bytes[0] = static_cast<std::uint8_t>(bytes[0] + 1);
            bytes.back() = byteSum(std::span(bytes).first(bytes.size() - 1));
        }
        break;
    case UnitFault::SplitAnswer:
        if (dataAnswer) {
            useFault();
            const auto half = static_cast<long>(bytes.size() / 2);
            a.pieces.push_back({latencyMs_, {bytes.begin(), bytes.begin() + half}});
            a.pieces.push_back({kSplitPauseMs, {bytes.begin() + half, bytes.end()}});
            a.awaitsAcknowledge = delivered_ > 0;
            return a;
        }
        break;
    case UnitFault::LateAnswer:
        useFault();
        a.pieces.push_back({kLateAnswerMs, std::move(bytes)});
        a.awaitsAcknowledge = delivered_ > 0;
        return a;
    case UnitFault::None:
    case UnitFault::IgnoreAcknowledge:
        break;
    }
    a.pieces.push_back({latencyMs_, std::move(bytes)});
    a.awaitsAcknowledge = delivered_ > 0;
    return a;
}

void SimUnit::useFault() {
    if (faultCount_ > 0 && --faultCount_ == 0) {
        fault_ = UnitFault::None;
    }
}

void SimUnit::setFault(UnitFault fault, int count) {
    fault_ = fault;
    faultCount_ = fault == UnitFault::None ? 0 : std::max(count, 0);
}

void SimUnit::acknowledge() {
    if (delivered_ == 0) {
        return;
    }
    if (fault_ == UnitFault::IgnoreAcknowledge) {
        useFault();
        delivered_ = 0;
        return;
    }
    if (isReader()) {
        readerKey_ = KeyNumber{};
    } else {
        for (std::size_t i = 0; i < delivered_; ++i) {
            events_.releaseOldest();
        }
    }
    delivered_ = 0;
}

bool SimUnit::record(const StoredEvent& e) {
    return events_.store(e);
}

Presentation SimUnit::presentKey(int reader, const KeyNumber& key, DateTime busNow) {
    Presentation p;
    const DateTime t = clock_.now(busNow);
    if (isReader()) {
        p.inService = p.validReader = p.permitted = p.recorded = true;
        readerKey_ = key;
        readerEvent_ = StoredEvent{key, packedDateTime(t), 0};
        return p;
    }
    p.validReader = reader >= 0 && reader < readerCount();
    p.inService = state_ == kStateLocked;
    if (!p.validReader || !p.inService || key.isZero()) {
        return p;
    }
    const CivilDateTime c = decodeDateTime(t);
    p.permitted = rights_.allows(key, unitDayOfWeek(t), makeHourMinute(c.hour, c.minute),
                                 objectOfReader(reader), objectRule());
    const int result = p.permitted ? 0 : 1;
    p.eventCode = static_cast<std::uint8_t>(reader | result << 4);
    p.recorded = record(StoredEvent{key, packedDateTime(t), p.eventCode});
    p.doorOpened = p.permitted && (!isAttendance() || (relayMask_ >> reader & 1) != 0);
    return p;
}

bool SimUnit::changeInput(int input, bool active, DateTime busNow, bool* recorded) {
    if (recorded) {
        *recorded = false;
    }
    if (isReader() || input < 0 || input > 7) {
        return false;
    }
    if (inputActive(input) == active) {
        return true;
    }
    inputs_ = static_cast<std::uint8_t>(active ? inputs_ | 1 << input : inputs_ & ~(1 << input));
    if (state_ == kStateLocked && (alarmMask_ >> input & 1) != 0) {
        const auto code = static_cast<std::uint8_t>((8 + input) | (active ? 0x30 : 0));
        const bool ok = record(StoredEvent{KeyNumber{}, packedDateTime(clock_.now(busNow)), code});
        if (recorded) {
            *recorded = ok;
        }
    }
    return true;
}

} // namespace qtr::sim
