#pragma once

#include "base/date_time.h"
#include "comm/packet.h"
#include "comm/right_record.h"
#include "db/control_unit_record.h"

#include <cstdint>

namespace qtr {

// Builders of every request the program sends. Each writes the whole frame, checksum
// included, into the packet; the unit record gives the address and the values.

void buildConfigureRequest(TxPacket& packet, const ControlUnitRecord& unit);  // 0x80
void buildRightRequest(TxPacket& packet, const RightRecord& right);           // 0x81
void buildClockRequest(TxPacket& packet, std::uint8_t address, DateTime now); // 0x83
void buildResetRequest(TxPacket& packet, std::uint8_t address);               // 0x85
void buildLockRequest(TxPacket& packet, std::uint8_t address);                // 0x86
void buildStatusRequest(TxPacket& packet, std::uint8_t address);              // 0x8A
void buildRelayMaskRequest(TxPacket& packet, const ControlUnitRecord& unit);  // 0x8B
void buildAlarmMaskRequest(TxPacket& packet, const ControlUnitRecord& unit);  // 0x8C
void buildReadEventRequest(TxPacket& packet, std::uint8_t address);           // 0x8E

} // namespace qtr
