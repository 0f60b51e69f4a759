#pragma once

#include <chrono>

namespace qtr::line {

enum class ParityBit { None, Mark, Space, Other };

// The parity the line discipline of the terminal has in force.
ParityBit parityInForce(int fd);

// The terminal is a pseudo-terminal: it carries no parity and clears the flag.
bool isPseudoTerminal(int fd);

// Clears the mark/space parity flag a killed program may have left on a pseudo-terminal,
// where Qt could not set SPACE parity again over it.
void clearStickParity(int fd);
// The descriptor is a terminal (a serial device or a pseudo-terminal).
bool isTerminal(int fd);

// Waits until everything written has left the port. False when the system refused.
bool drainOutput(int fd);

// Sleeps at least the given time (never shorter, also across interrupted sleeps).
void sleepAtLeast(std::chrono::microseconds duration);

} // namespace qtr::line
