#pragma once

#include "base/file_lock.h"
#include "comm/comm_parameters.h"
#include "comm/port_names.h"
#include "comm/serial/kom232.h"
#include "comm/serial/kom485.h"
#include "comm/unit_transaction.h"

#include <QByteArray>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The communication module: the parameters of QTR0000.DAT, the two serial components
// (only the one of the chosen mode is opened) and the unit transactions over them.
// Needs a running Qt application object on its thread; waits in its event loop.
class TKOMMOD final : public UnitTransaction {
public:
    // Reads QTR0000.DAT of `dir` over the defaults (loadError() tells when it could not).
    TKOMMOD(std::filesystem::path dir, PortNames portNames);
    // Rewrites QTR0000.DAT with the current parameters.
    ~TKOMMOD() override;

    CommParameters commParameters;
    std::uint8_t readerAddress = 0; // the reader unit for key reading; not stored

    TKOM232 KOM232;
    TKOM485 KOM485;

    // RS232 mode waits this long for a complete answer (RS485: KOM485.WaitTimeout).
    int rs232AnswerTimeout = 2000;

    std::string commDescription() const { return qtr::commDescription(commParameters); }
    const std::string& loadError() const { return loadError_; }

    // Copies the parameters into the component of the chosen mode.
    void UseComPar();
    // Opens the component of the chosen mode; RS485 raises EChybaCOM. RS232 raises it
    // too when the port cannot be opened, so that no mode fails silently. The port's lock
    // of the data directory (QTRCOM.LCK) is held while it is open: a port another program
    // holds is refused with a Czech text naming that program.
    void SerialOpen();
    void SerialClose();
    bool serialIsOpen() const;

    // Writes QTR0000.DAT now.
    FileResult saveParameters() const;

    // "COM1".."COM4" that can be opened at the moment (the port of the program itself
    // must be closed before).
    std::vector<std::string> availablePorts() const;

protected:
    bool sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                     std::string& failure) override;
    void cancelRequest() override;
    void waitForEvents() override;
    void processPendingMessages() override;

private:
    bool KOM485ReceiveData(const std::uint8_t* block, std::size_t count);
    void KOM232DataPrijata(const std::uint8_t* data, std::size_t size);
    void rs232Deliver(bool timedOut);

    std::filesystem::path dir_;
    PortNames portNames_;
    std::string loadError_;
    FileLock portLock_;
    QTimer rs232Timer_;
    QByteArray rs232Answer_;
    std::uint16_t rs232Expected_ = 0;
    bool rs232Waiting_ = false;
};

} // namespace qtr
