#include "comm/serial/kom485.h"

#include "comm/answer_verdict.h"
#include "comm/packet.h"
#include "comm/serial/com_error.h"
#include "comm/serial/line_control.h"
#include "comm/serial/port_close.h"

#include <algorithm>

namespace qtr {

TKOM485::TKOM485() {
    answerTimer_.setSingleShot(true);
    answerTimer_.setTimerType(Qt::PreciseTimer);
    silenceTimer_.setSingleShot(true);
    silenceTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&answerTimer_, &QTimer::timeout, [this] { onAnswerTimer(); });
    QObject::connect(&silenceTimer_, &QTimer::timeout, [this] { onSilenceTimer(); });
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { onReadyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError) {
            hangUp("Sériový port přestal odpovídat (" + port_.errorString().toStdString() + ")");
        }
    });
}

TKOM485::~TKOM485() {
    close();
}

void TKOM485::open() {
    if (port_.isOpen()) {
        throw EChybaCOM(kComAlreadyOpenText);
    }
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite)) {
        throw EChybaCOM(kComOpenFailedText,
                        device_.toStdString() + ": " + port_.errorString().toStdString());
    }
    const int fd = static_cast<int>(port_.handle());
    if (!line::isTerminal(fd)) {
        port_.close();
        throw EChybaCOM(kComNotSerialText, device_.toStdString());
    }
    pseudoTerminal_ = line::isPseudoTerminal(fd);
    if (pseudoTerminal_) {
        line::clearStickParity(fd);
    }
    const bool ok = port_.setBaudRate(Rychlost == br2400 ? 2400 : 9600) &&
                    port_.setDataBits(QSerialPort::Data8) &&
                    port_.setStopBits(QSerialPort::OneStop) &&
                    port_.setFlowControl(QSerialPort::NoFlowControl) &&
                    port_.setParity(QSerialPort::SpaceParity);
    if (!ok) {
        const std::string why = port_.errorString().toStdString();
        port_.close();
        throw EChybaCOM(kComOpenFailedText, device_.toStdString() + ": " + why);
    }
    port_.clear(QSerialPort::AllDirections);
    // A pseudo-terminal has no modem lines; failing to set them there is no fault.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(true);
    lastError_.clear();
}

void TKOM485::close() {
    answerTimer_.stop();
    silenceTimer_.stop();
    waitingForAnswer_ = false;
    transactionBusy_ = false;
    block_.clear();
    blockCount_ = 0;
    closeAfterOutputDrained(port_);
}

bool TKOM485::setParity(QSerialPort::Parity parity) {
    if (!port_.setParity(parity)) {
        lastError_ = "Sériový port nepřijal paritu " +
                     std::string(parity == QSerialPort::MarkParity ? "MARK" : "SPACE") + " (" +
                     port_.errorString().toStdString() + ")";
        return false;
    }
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(true);
    paritySetAt_ = std::chrono::steady_clock::now();
    if (pseudoTerminal_) {
        return true; // carries no parity; the flag reads back cleared
    }
    const auto wanted =
        parity == QSerialPort::MarkParity ? line::ParityBit::Mark : line::ParityBit::Space;
    if (line::parityInForce(static_cast<int>(port_.handle())) != wanted) {
        lastError_ = "Převodník nepodporuje paritu " +
                     std::string(parity == QSerialPort::MarkParity ? "MARK" : "SPACE") +
                     ": adresa jednotky nemůže být odeslána";
        return false;
    }
    return true;
}

bool TKOM485::writeNow(const QByteArray& bytes, QSerialPort::Parity parity, bool drain) {
    if (port_.write(bytes) != bytes.size()) {
        lastError_ = "Zápis na sériový port selhal (" + port_.errorString().toStdString() + ")";
        return false;
    }
    port_.flush();
    const auto handedOver = std::chrono::steady_clock::now();
    if (drain) {
        // Switching parity takes effect at once: the byte must have left the port first.
        while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
        }
        line::drainOutput(static_cast<int>(port_.handle()));
    }
    if (wireObserver) {
        wireObserver({paritySetAt_, handedOver, std::chrono::steady_clock::now(), parity, bytes});
    }
    return true;
}

bool TKOM485::send(const std::uint8_t* buffer, std::size_t count, std::uint16_t expectedLength) {
    if (!port_.isOpen()) {
        lastError_ = "Sériový port není otevřen!";
        return false;
    }
    if (transactionBusy_) {
        lastError_ = "Předchozí přenos ještě neskončil!";
        return false;
    }
    if (count == 0) {
        lastError_ = "Prázdný požadavek";
        return false;
    }
    // Whatever came before this request is not its answer.
    silenceTimer_.stop();
    block_.clear();
    blockCount_ = 0;
    port_.clear(QSerialPort::Input);
    port_.readAll();

    transactionBusy_ = true;
    expectedLength_ = expectedLength;
    const auto fail = [this] {
        transactionBusy_ = false;
        waitingForAnswer_ = false;
        answerTimer_.stop();
        setParity(QSerialPort::SpaceParity);
        return false;
    };

    // The address byte alone under MARK parity, with the gaps the converter needs.
    if (!setParity(QSerialPort::MarkParity)) {
        return fail();
    }
    line::sleepAtLeast(kGapBeforeAddress);
    const QByteArray address(reinterpret_cast<const char*>(buffer), 1);
    if (!writeNow(address, QSerialPort::MarkParity, true)) {
        return fail();
    }
    line::sleepAtLeast(kGapAfterAddress);
    if (!setParity(QSerialPort::SpaceParity)) {
        return fail();
    }
    answerTimer_.start(WaitTimeout);
    waitingForAnswer_ = true;
    if (count > 1) {
        const QByteArray rest(reinterpret_cast<const char*>(buffer + 1),
                              static_cast<qsizetype>(count - 1));
        if (!writeNow(rest, QSerialPort::SpaceParity)) {
            return fail();
        }
    }
    return true;
}

void TKOM485::cancel() {
    answerTimer_.stop();
    waitingForAnswer_ = false;
    transactionBusy_ = false;
}

void TKOM485::onReadyRead() {
    const QByteArray got = port_.readAll();
    if (got.isEmpty()) {
        return;
    }
    const auto room = static_cast<qsizetype>(kBlockKeep) - block_.size();
    block_.append(got.first(std::min(room, got.size())));
    blockCount_ += static_cast<std::size_t>(got.size());
    sinceLastByte_.start();
    if (!silenceTimer_.isActive()) {
        silenceTimer_.start(kSilence);
    }
}

void TKOM485::onSilenceTimer() {
    // The timer may fire a little early; the answer ends only after full silence.
    const auto quiet = std::chrono::nanoseconds(sinceLastByte_.nsecsElapsed());
    if (quiet < kSilence) {
        silenceTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(kSilence - quiet));
        return;
    }
    deliver();
}

void TKOM485::onAnswerTimer() {
    if (!waitingForAnswer_) {
        return;
    }
    waitingForAnswer_ = false;
    ResCom = kResComNoAnswer;
    if (OnReceiveData) {
        OnReceiveData(nullptr, 0);
    }
    transactionBusy_ = false;
}

// `count` may exceed the bytes kept only far beyond the largest answer (kBlockKeep);
// the verdict refuses such a block by its count alone.
void TKOM485::deliver() {
    const QByteArray block = std::move(block_);
    const std::size_t count = std::max<std::size_t>(blockCount_, block.size());
    block_.clear();
    blockCount_ = 0;
    if (block.isEmpty()) {
        return;
    }
    waitingForAnswer_ = false;
    answerTimer_.stop();
    const auto* data = reinterpret_cast<const std::uint8_t*>(block.constData());
    ResCom = transportStatus(expectedLength_, data, static_cast<std::size_t>(block.size()));
    const bool taken = OnReceiveData ? OnReceiveData(data, count) : true;
    if (expectedLength_ >= 2 && ResCom == kResComAccepted && taken) {
        writeNow(QByteArray(1, static_cast<char>(kAcknowledgeByte)), QSerialPort::SpaceParity);
    }
    transactionBusy_ = false;
}

void TKOM485::hangUp(const std::string& why) {
    lastError_ = why;
    // A waiting transaction ends now instead of by its time-out.
    silenceTimer_.stop();
    block_.clear();
    blockCount_ = 0;
    onAnswerTimer();
    transactionBusy_ = false;
    if (OnRequestHangup) {
        OnRequestHangup();
    }
}

} // namespace qtr
