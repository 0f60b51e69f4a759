#pragma once

#include "comm/comm_parameters.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/key_read_dialogs.h"

#include <filesystem>
#include <map>
#include <vector>

namespace qtr::test {

// A bus whose units answer at once from a script: each address has the data
// bytes of its answer (the checksum is added), or no answer at all. It also
// plays the port side of the communication module.
class FakeBus final : public UnitTransaction, public CommunicationControl {
public:
    std::map<std::uint8_t, std::vector<std::uint8_t>> answers;
    std::vector<std::vector<std::uint8_t>> requests;
    CommSettings current;
    std::vector<std::string> ports = {"COM1", "COM2"};
    std::filesystem::path dir; // where saveSettings writes QTR0000.DAT
    std::string openFailure;
    bool open = false;
    int opens = 0;
    int closes = 0;
    int applied = 0;

    CommSettings settings() const override { return current; }
    void setSettings(const CommSettings& s) override { current = s; }
    std::string saveSettings() override {
        const FileResult r = saveCommParameters(dir, current.parameters);
        return r ? std::string() : r.error();
    }
    std::string commDescription() const override {
        return qtr::commDescription(current.parameters);
    }
    void useComPar() override { ++applied; }
    std::string serialOpen() override {
        ++opens;
        open = openFailure.empty();
        return openFailure;
    }
    void serialClose() override {
        ++closes;
        open = false;
    }
    std::vector<std::string> availablePorts() override { return ports; }
    UnitTransaction& bus() override { return *this; }
    KeyReadDialogs& keyReadDialogs() override { return dialogs; }
    MessageKeyReadDialogs dialogs;

    // A status answer of 30 bytes for `address`.
    static std::vector<std::uint8_t> statusAnswer(std::uint8_t address) {
        std::vector<std::uint8_t> s(30, 0);
        s[0] = address;
        s[1] = 1;
        s[3] = 1;
        return s;
    }
    // A key answer (0x8E): header, then an item carrying the key (or empty).
    static std::vector<std::uint8_t> keyAnswer(std::uint8_t address, const KeyNumber& key) {
        std::vector<std::uint8_t> a(18, 0);
        a[0] = address;
        key.toBytes(std::span(a).subspan(4, 7));
        return a;
    }

protected:
    bool sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                     std::string&) override {
        requests.emplace_back(packet.begin(), packet.end());
        const auto it = answers.find(packet[0]);
        if (it == answers.end()) {
            SerialPrijemDat(nullptr, 0, kResComNoAnswer);
            return true;
        }
        std::vector<std::uint8_t> block = it->second;
        block.push_back(byteSum(block));
        SerialPrijemDat(block.data(), block.size(),
                        transportStatus(answerLength, block.data(), block.size()));
        return true;
    }
    void cancelRequest() override {}
    void waitForEvents() override {}
    void processPendingMessages() override {}
};

} // namespace qtr::test
