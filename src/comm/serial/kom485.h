#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace qtr {

// The RS-485 line through the converter: the address byte of each request goes with
// parity MARK, everything else with SPACE; an answer ends after 50 ms of silence; no
// answer within WaitTimeout delivers (null, 0) with ResCom 1. Runs on the thread that
// owns it, driven by its event loop; it never blocks longer than one request's
// parity switching (a few milliseconds).
class TKOM485 {
public:
    enum Baud { br2400, br9600 };

    // Receives each answer (block, count), or (nullptr, 0) at time-out. Returns whether
    // the receiver took the answer; only a taken, intact data answer is acknowledged.
    using ReceiveData = std::function<bool(const std::uint8_t* block, std::size_t count)>;

    // One write on the wire and the parity it went with (for the log of tests).
    struct WireWrite {
        std::chrono::steady_clock::time_point paritySet; // when the parity took effect
        std::chrono::steady_clock::time_point at;        // when the bytes were handed over
        std::chrono::steady_clock::time_point drained;   // when they had left the port
        QSerialPort::Parity parity;
        QByteArray bytes;
    };

    TKOM485();
    ~TKOM485();
    TKOM485(const TKOM485&) = delete;
    TKOM485& operator=(const TKOM485&) = delete;

    // Published properties.
    int CisloCom = 1; // COM1..COM4 as 0..3; the device comes from setDeviceName
    Baud Rychlost = br9600;
    int WaitTimeout = 4000; // ms
    ReceiveData OnReceiveData;
    std::function<void()> OnRequestHangup;
    std::uint8_t ResCom = 0;

    // The device behind CisloCom (/dev/ttyS1, a USB converter, a pseudo-terminal).
    void setDeviceName(const QString& device) { device_ = device; }
    const QString& deviceName() const { return device_; }

    // Raises EChybaCOM.
    void open();
    void close();
    bool isOpen() const { return port_.isOpen(); }

    // Hands one request to the line. False when the port is closed, a request is still
    // outstanding, or the line refused the parity (lastError() says which).
    bool send(const std::uint8_t* buffer, std::size_t count, std::uint16_t expectedLength);
    // Forgets the outstanding request: no time-out, and its late answer is not taken.
    void cancel();
    bool busy() const { return transactionBusy_; }
    const std::string& lastError() const { return lastError_; }

    // Called with every write; tests record the byte timeline with it.
    std::function<void(const WireWrite&)> wireObserver;

    // The silence that ends an answer.
    static constexpr std::chrono::milliseconds kSilence{50};
    static constexpr std::chrono::milliseconds kGapBeforeAddress{1};
    static constexpr std::chrono::milliseconds kGapAfterAddress{5};
    // Bytes kept of one block; more is certainly not an answer and is counted only.
    static constexpr std::size_t kBlockKeep = 4096;

private:
    bool setParity(QSerialPort::Parity parity);
    bool writeNow(const QByteArray& bytes, QSerialPort::Parity parity, bool drain = false);
    void onReadyRead();
    void onSilenceTimer();
    void onAnswerTimer();
    void deliver();
    void hangUp(const std::string& why);

    QSerialPort port_;
    QString device_;
    QTimer answerTimer_;
    QTimer silenceTimer_;
    QElapsedTimer sinceLastByte_;
    QByteArray block_;
    std::size_t blockCount_ = 0;
    std::uint16_t expectedLength_ = 0;
    bool waitingForAnswer_ = false;
    bool transactionBusy_ = false;
    bool pseudoTerminal_ = false;
    std::chrono::steady_clock::time_point paritySetAt_{};
    std::string lastError_;
};

} // namespace qtr
