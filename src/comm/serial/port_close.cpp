#include "comm/serial/port_close.h"

#include "comm/serial/line_control.h"

#include <QSerialPort>

namespace qtr {

void closeAfterOutputDrained(QSerialPort& port) {
    if (!port.isOpen()) {
        return;
    }
    // Qt's own buffer first, then the driver's queue. A purge of the output here would
    // also empty the peer's receive side of a pseudo-terminal.
    while (port.bytesToWrite() > 0 && port.waitForBytesWritten(1000)) {
    }
    line::drainOutput(static_cast<int>(port.handle()));
    port.clear(QSerialPort::Input);
    port.close();
}

} // namespace qtr
