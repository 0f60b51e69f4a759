#pragma once

#include "comm/serial/com_error.h"
#include "comm/serial/kommod.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/key_read_dialogs.h"

namespace qtr {

// The program's communication module on a real serial port, as the windows see it.
class SerialControl final : public CommunicationControl {
public:
    SerialControl(std::filesystem::path dir, PortNames portNames)
        : kommod_(std::move(dir), std::move(portNames)) {}

    // Why QTR0000.DAT could not be read (the defaults apply then); empty when it could.
    const std::string& loadError() const { return kommod_.loadError(); }

    CommSettings settings() const override {
        return {kommod_.commParameters, kommod_.readerAddress};
    }
    void setSettings(const CommSettings& s) override {
        kommod_.commParameters = s.parameters;
        kommod_.readerAddress = s.readerAddress;
    }
    std::string saveSettings() override {
        const FileResult r = kommod_.saveParameters();
        return r ? std::string() : r.error();
    }
    std::string commDescription() const override { return kommod_.commDescription(); }
    void useComPar() override { kommod_.UseComPar(); }
    // The failure to open is the operator's to see, with the port left closed.
    std::string serialOpen() override {
        try {
            kommod_.SerialOpen();
            return {};
        } catch (const EChybaCOM& e) {
            return e.detail().empty() ? std::string(e.what())
                                      : std::string(e.what()) + " (" + e.detail() + ")";
        }
    }
    void serialClose() override { kommod_.SerialClose(); }
    std::vector<std::string> availablePorts() override { return kommod_.availablePorts(); }
    UnitTransaction& bus() override { return kommod_; }
    KeyReadDialogs& keyReadDialogs() override { return dialogs_; }

private:
    TKOMMOD kommod_;
    MessageKeyReadDialogs dialogs_;
};

} // namespace qtr
