#include "comm/serial/kom232.h"

#include "comm/serial/port_close.h"

#include <array>

namespace qtr {

TKOM232::TKOM232() {
    rxTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&rxTimer_, &QTimer::timeout, [this] { poll(); });
}

TKOM232::~TKOM232() {
    close();
}

int TKOM232::baudValue(Baud b) {
    static constexpr std::array<int, 13> kRates = {110,   300,   600,   1200,  2400,  4800,  9600,
                                                   14400, 19200, 38400, 56000, 57600, 115200};
    return kRates[static_cast<std::size_t>(b)];
}

void TKOM232::setCisloCom(int port) {
    if (!isOpen()) {
        cisloCom_ = port;
    }
}

void TKOM232::setPametRx(std::uint16_t bytes) {
    if (!isOpen()) {
        pametRx_ = bytes;
    }
}

void TKOM232::setPametTx(std::uint16_t bytes) {
    if (!isOpen()) {
        pametTx_ = bytes;
    }
}

void TKOM232::setRychlost(Baud b) {
    rychlost_ = b;
    applyLineSettings();
}
void TKOM232::setDataBity(DataBits d) {
    dataBity_ = d;
    applyLineSettings();
}
void TKOM232::setStopBity(StopBits s) {
    stopBity_ = s;
    applyLineSettings();
}
void TKOM232::setParita(Parity p) {
    parita_ = p;
    applyLineSettings();
}
void TKOM232::setRizeniSP(Handshake h) {
    rizeni_ = h;
    applyLineSettings();
}
void TKOM232::setXonXoffSP(XonXoff x) {
    xonXoff_ = x;
    applyLineSettings();
}

void TKOM232::setPeriodaRxScan(std::uint16_t ms) {
    if (ms == periodaRxScan_) {
        return;
    }
    periodaRxScan_ = ms;
    if (isOpen()) {
        rxTimer_.start(periodaRxScan_);
    }
}

void TKOM232::applyLineSettings() {
    if (!isOpen()) {
        return;
    }
    static constexpr std::array kData = {QSerialPort::Data5, QSerialPort::Data6, QSerialPort::Data7,
                                         QSerialPort::Data8};
    static constexpr std::array kStop = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                         QSerialPort::TwoStop};
    static constexpr std::array kParity = {QSerialPort::NoParity, QSerialPort::OddParity,
                                           QSerialPort::EvenParity, QSerialPort::MarkParity,
                                           QSerialPort::SpaceParity};
    port_.setBaudRate(baudValue(rychlost_));
    port_.setDataBits(kData[static_cast<std::size_t>(dataBity_)]);
    port_.setStopBits(kStop[static_cast<std::size_t>(stopBity_)]);
    port_.setParity(kParity[static_cast<std::size_t>(parita_)]);
    port_.setFlowControl(rizeni_ == hhRTSCTS     ? QSerialPort::HardwareControl
                         : xonXoff_ == shXONXOFF ? QSerialPort::SoftwareControl
                                                 : QSerialPort::NoFlowControl);
    port_.clear(QSerialPort::AllDirections);
    port_.setReadBufferSize(pametRx_);
}

bool TKOM232::open() {
    if (isOpen()) {
        return true;
    }
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    applyLineSettings();
    port_.setDataTerminalReady(DTRpriOpen);
    rxTimer_.start(periodaRxScan_);
    return true;
}

void TKOM232::close() {
    if (!isOpen()) {
        return;
    }
    rxTimer_.stop();
    closeAfterOutputDrained(port_);
}

int TKOM232::write(const std::uint8_t* buffer, int count) {
    if (!isOpen() || count < 1) {
        return 0;
    }
    const auto written = port_.write(reinterpret_cast<const char*>(buffer), count);
    if (written < 0) {
        return 0;
    }
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(TxTimeout)) {
            return -static_cast<int>(written - port_.bytesToWrite());
        }
    }
    return static_cast<int>(written);
}

void TKOM232::purge(bool receive, bool transmit) {
    if (!isOpen()) {
        return;
    }
    if (receive) {
        port_.clear(QSerialPort::Input);
        port_.readAll();
    }
    if (transmit) {
        port_.clear(QSerialPort::Output);
    }
}

int TKOM232::freeTxRoom() const {
    return pametTx_ - static_cast<int>(port_.bytesToWrite());
}

void TKOM232::poll() {
    if (!isOpen()) {
        return;
    }
    const QByteArray got = port_.read(pametRx_);
    if (!got.isEmpty() && DataPrijata) {
        DataPrijata(reinterpret_cast<const std::uint8_t*>(got.constData()),
                    static_cast<std::size_t>(got.size()));
    }
}

} // namespace qtr
