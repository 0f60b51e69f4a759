#pragma once

class QSerialPort;

namespace qtr {

// Closes the port without losing what was written: the bytes still queued (the last
// acknowledge above all, which releases a unit's event) leave the port first; only
// input nobody has read is thrown away. Does nothing when the port is closed.
void closeAfterOutputDrained(QSerialPort& port);

} // namespace qtr
