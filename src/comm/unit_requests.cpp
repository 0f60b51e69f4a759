#include "comm/unit_requests.h"

#include "base/bcd.h"

#include <algorithm>

namespace qtr {
namespace {

void payloadOnly(TxPacket& packet, std::uint8_t address, std::uint8_t code) {
    startRequest(packet, address, code);
    completeChecksum(packet);
}

} // namespace

void buildConfigureRequest(TxPacket& packet, const ControlUnitRecord& unit) {
    startRequest(packet, unit.address, kCmdConfigure);
    std::copy(unit.parameters.begin(), unit.parameters.end(), packet.begin() + 3);
    completeChecksum(packet);
}

void buildRightRequest(TxPacket& packet, const RightRecord& right) {
    startRequest(packet, right.unitAddress, kCmdStoreRight);
    packet[3] = right.objectMask;
    std::copy(right.keyNumber.bytes.begin(), right.keyNumber.bytes.end(), packet.begin() + 4);
    packet[11] = right.dayMask;
    packet[12] = toBcd(hourOf(right.fromTime));
    packet[13] = toBcd(minuteOf(right.fromTime));
    packet[14] = toBcd(hourOf(right.toTime));
    packet[15] = toBcd(minuteOf(right.toTime));
    completeChecksum(packet);
}

void buildClockRequest(TxPacket& packet, std::uint8_t address, DateTime now) {
    const CivilDateTime c = decodeDateTime(now);
    startRequest(packet, address, kCmdSetClock);
    packet[3] = toBcd(c.second);
    packet[4] = toBcd(c.minute);
    packet[5] = toBcd(c.hour);
    packet[6] = toBcd(c.day);
    packet[7] = toBcd(c.month);
    packet[8] = static_cast<std::uint8_t>(dayOfWeek(now) - 1); // 0 = Sunday
    packet[9] = toBcd(c.year % 100);
    completeChecksum(packet);
}

void buildResetRequest(TxPacket& packet, std::uint8_t address) {
    payloadOnly(packet, address, kCmdReset);
}

void buildLockRequest(TxPacket& packet, std::uint8_t address) {
    payloadOnly(packet, address, kCmdLock);
}

void buildStatusRequest(TxPacket& packet, std::uint8_t address) {
    payloadOnly(packet, address, kCmdReadStatus);
}

void buildRelayMaskRequest(TxPacket& packet, const ControlUnitRecord& unit) {
    startRequest(packet, unit.address, kCmdRelayMask);
    packet[3] = unit.relayMask;
    completeChecksum(packet);
}

void buildAlarmMaskRequest(TxPacket& packet, const ControlUnitRecord& unit) {
    startRequest(packet, unit.address, kCmdAlarmMask);
    packet[3] = unit.alarmMask;
    completeChecksum(packet);
}

void buildReadEventRequest(TxPacket& packet, std::uint8_t address) {
    payloadOnly(packet, address, kCmdReadNextEvent);
}

} // namespace qtr
