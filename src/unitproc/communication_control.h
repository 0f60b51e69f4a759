#pragma once

#include "comm/comm_parameters.h"
#include "comm/unit_transaction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qtr {

// What the operator chooses in the parameters dialog: the stored parameters and
// the reader's address (kept in memory only).
struct CommSettings {
    CommParameters parameters;
    std::uint8_t readerAddress = 0;
    friend bool operator==(const CommSettings&, const CommSettings&) = default;
};

// What the main window and the status, parameters and test windows need of the
// communication module: the port side here, the transactions through bus().
// The program hands them the serial module; demo mode and the tests hand them
// the simulated bus.
class CommunicationControl {
public:
    virtual ~CommunicationControl() = default;

    virtual CommSettings settings() const = 0;
    // Stores the choices; the caller then saves and applies them.
    virtual void setSettings(const CommSettings& settings) = 0;
    // Writes the parameter file; empty on success, else the Czech reason.
    virtual std::string saveSettings() = 0;
    // "COM2/0/9600"
    virtual std::string commDescription() const = 0;

    virtual void useComPar() = 0;
    // Empty on success, else the text of the failure to open.
    virtual std::string serialOpen() = 0;
    virtual void serialClose() = 0;
    // "COM1".."COM4" that can be opened now.
    virtual std::vector<std::string> availablePorts() = 0;

    // One transaction at a time with the units.
    virtual UnitTransaction& bus() = 0;
    // How reading a key at the reader speaks to the operator.
    virtual KeyReadDialogs& keyReadDialogs() = 0;
};

} // namespace qtr
