#pragma once

#include "base/clock.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"
#include "unitproc/communication_control.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace qtr {

struct ConfigurationDatabase;

// The key the operator presents at the simulated reader, chosen from a list.
class DemoKeyChooser final : public KeyReadDialogs {
public:
    DemoKeyChooser(sim::SimBus& bus, const Clock& clock, const CommSettings& settings)
        : bus_(bus), clock_(clock), settings_(settings) {}

    // The keys offered: the text and what it is.
    std::vector<std::pair<KeyNumber, std::string>> keys;

    void askForKey() override;
    void showReadFailure(const std::string& errorText) override;

private:
    sim::SimBus& bus_;
    const Clock& clock_;
    const CommSettings& settings_;
};

// Demo mode's communication module: the units of the unit file as simulated
// units in-process, a key reader at the reader address, no serial port.
class DemoControl final : public CommunicationControl {
public:
    DemoControl(std::filesystem::path dir, const Clock& clock);

    // Puts the units of the table on the bus, brings them into service and lets
    // a few persons pass, so that the units have something to report.
    void populate(const ConfigurationDatabase& db, const KeyNumber& masterKey);

    CommSettings settings() const override { return settings_; }
    void setSettings(const CommSettings& s) override { settings_ = s; }
    std::string saveSettings() override;
    std::string commDescription() const override;
    void useComPar() override {}
    std::string serialOpen() override { return {}; }
    void serialClose() override {}
    std::vector<std::string> availablePorts() override;
    UnitTransaction& bus() override { return transaction_; }
    KeyReadDialogs& keyReadDialogs() override { return chooser_; }

    sim::SimBus& simulatedBus() { return bus_; }

private:
    std::filesystem::path dir_;
    const Clock& clock_;
    CommSettings settings_;
    sim::SimBus bus_;
    sim::SimulatedTransaction transaction_;
    DemoKeyChooser chooser_;
};

} // namespace qtr
