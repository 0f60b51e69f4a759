#pragma once

#include <string>

namespace qtr::sim {

// The simulator's end of the line: the master side of a pseudo-terminal (the
// program opens the slave path), or a real serial device. Raw, 8 data bits, no
// parity; the descriptor is non-blocking.
class Line {
public:
    Line() = default;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    ~Line();

    // The slave path is what the program is given as --com2.
    bool openPseudoTerminal(std::string& error);
    bool openDevice(const std::string& path, int baud, std::string& error);

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Everything that can be read now (empty when nothing is waiting).
    bool readAvailable(std::string& bytes);
    bool writeAll(const unsigned char* data, std::size_t n);

private:
    int fd_ = -1;
    int slaveFd_ = -1; // kept open so the master survives the program closing the port
    std::string path_;
};

} // namespace qtr::sim
