#pragma once

#include "base/key_number.h"
#include "unitproc/unit_status.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qtr {

using UnitStatusBytes = std::array<std::uint8_t, kUnitStatusSize>;

// The communication settings the operator chooses in the parameters dialog.
struct CommSettings {
    int interfaceMode = 0; // 0 RS485 through the converter, 1 RS232
    int portIndex = 1;     // 0..3 = COM1..COM4
    int baudIndex = 1;     // 0 = 2400 Bd, 1 = 9600 Bd
    std::uint8_t readerAddress = 0;
    friend bool operator==(const CommSettings&, const CommSettings&) = default;
};

// What the main window and the status, parameters and test windows need of the
// communication module. The program hands them the serial module; demo mode and
// the tests hand them the simulated bus. Every transaction returns its verdict
// and leaves the Czech reason in errorText().
class CommunicationControl {
public:
    virtual ~CommunicationControl() = default;

    virtual CommSettings settings() const = 0;
    // Stores the choices (the caller then saves them and applies them).
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

    // Read-status request (0x8A) to one unit.
    virtual bool readUnitStatus(std::uint8_t address, UnitStatusBytes& status) = 0;
    // One key read (0x8E) without dialogs; seven zero bytes when the unit had nothing.
    virtual bool getKonvertor(std::uint8_t address, KeyNumber& key) = 0;
    // The operator's key read at the reader: asks for the key, reports a failure itself.
    virtual bool cteniKlice(std::uint8_t address, KeyNumber& key) = 0;

    virtual const std::string& errorText() const = 0;
    // Ends the running wait and the procedure that runs it.
    virtual void setAborted(bool aborted) = 0;
    virtual bool aborted() const = 0;
};

// "COM" + (portIndex + 1) + "/" + interfaceMode + "/" + 2400 or 9600.
std::string commDescriptionOf(const CommSettings& s);

} // namespace qtr
