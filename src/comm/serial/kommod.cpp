#include "comm/serial/kommod.h"

#include "comm/serial/com_error.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSerialPort>

namespace qtr {

TKOMMOD::TKOMMOD(std::filesystem::path dir, PortNames portNames)
    : dir_(std::move(dir)), portNames_(std::move(portNames)) {
    KOM485.WaitTimeout = 2000;
    KOM485.OnReceiveData = [this](const std::uint8_t* block, std::size_t count) {
        return KOM485ReceiveData(block, count);
    };
    KOM485.OnRequestHangup = [this] { KOM485.close(); };
    KOM232.DataPrijata = [this](const std::uint8_t* data, std::size_t size) {
        KOM232DataPrijata(data, size);
    };
    rs232Timer_.setSingleShot(true);
    rs232Timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&rs232Timer_, &QTimer::timeout, [this] { rs232Deliver(true); });
    if (const auto r = loadCommParameters(dir_, commParameters); !r) {
        loadError_ = r.error();
    }
}

TKOMMOD::~TKOMMOD() {
    SerialClose();
    (void)saveParameters(); // nobody is left to tell at program end
}

FileResult TKOMMOD::saveParameters() const {
    return saveCommParameters(dir_, commParameters);
}

void TKOMMOD::UseComPar() {
    const int port = commParameters.portIndex;
    if (commParameters.interfaceMode == kInterfaceRs485) {
        KOM485.CisloCom = port;
        KOM485.setDeviceName(QString::fromStdString(portNames_.device(port)));
        KOM485.Rychlost = commParameters.baudIndex == 0 ? TKOM485::br2400 : TKOM485::br9600;
    } else {
        KOM232.setCisloCom(port);
        KOM232.setDeviceName(QString::fromStdString(portNames_.device(port)));
        KOM232.setRychlost(commParameters.baudIndex == 0 ? TKOM232::br2400 : TKOM232::br9600);
    }
}

void TKOMMOD::SerialOpen() {
    // Another program of this data directory (qtr, a qtr-cli job) may be on the bus now.
    const std::string port = "Sériový port COM" + std::to_string(commParameters.portIndex + 1);
    if (FileResult locked = portLock_.tryLock(dir_ / kPortLockFile, port); !locked) {
        throw EChybaCOM(locked.error());
    }
    try {
        if (commParameters.interfaceMode == kInterfaceRs485) {
            KOM485.open();
        } else if (!KOM232.open()) {
            throw EChybaCOM(kComOpenFailedText, portNames_.device(commParameters.portIndex));
        }
    } catch (const EChybaCOM&) {
        if (!serialIsOpen()) {
            portLock_.unlock();
        }
        throw;
    }
}

void TKOMMOD::SerialClose() {
    KOM485.close();
    KOM232.close();
    rs232Timer_.stop();
    rs232Waiting_ = false;
    portLock_.unlock();
}

bool TKOMMOD::serialIsOpen() const {
    return commParameters.interfaceMode == kInterfaceRs485 ? KOM485.isOpen() : KOM232.isOpen();
}

std::vector<std::string> TKOMMOD::availablePorts() const {
    std::vector<std::string> names;
    for (int n = 0; n < 4; ++n) {
        QSerialPort probe(QString::fromStdString(portNames_.device(n)));
        if (probe.open(QIODevice::ReadWrite)) {
            probe.close();
            names.push_back("COM" + std::to_string(n + 1));
        }
    }
    return names;
}

bool TKOMMOD::sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                          std::string& failure) {
    if (commParameters.interfaceMode == kInterfaceRs485) {
        if (!KOM485.send(packet.data(), packet.size(), answerLength)) {
            failure = KOM485.lastError();
            return false;
        }
        return true;
    }
    if (!KOM232.isOpen()) {
        failure = "Sériový port není otevřen!";
        return false;
    }
    KOM232.purge(true, false);
    rs232Answer_.clear();
    rs232Expected_ = answerLength;
    rs232Waiting_ = true;
    rs232Timer_.start(rs232AnswerTimeout);
    const int n = static_cast<int>(packet.size());
    if (KOM232.write(packet.data(), n) != n) {
        rs232Waiting_ = false;
        rs232Timer_.stop();
        failure = "Zápis na sériový port selhal";
        return false;
    }
    return true;
}

void TKOMMOD::cancelRequest() {
    KOM485.cancel();
    rs232Timer_.stop();
    rs232Waiting_ = false;
}

void TKOMMOD::waitForEvents() {
    // Sleeps in the event loop until something happens: the answer, a timer, a click.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TKOMMOD::processPendingMessages() {
    QCoreApplication::processEvents();
}

bool TKOMMOD::KOM485ReceiveData(const std::uint8_t* block, std::size_t count) {
    return SerialPrijemDat(block, count, KOM485.ResCom);
}

void TKOMMOD::KOM232DataPrijata(const std::uint8_t* data, std::size_t size) {
    if (!rs232Waiting_) {
        return; // nobody asked: not the answer of anything
    }
    rs232Answer_.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // A direct line has no silence rule: the answer is complete when its length is there.
    const std::size_t complete = rs232Expected_ < 2 ? 1 : std::size_t{rs232Expected_} + 1;
    if (static_cast<std::size_t>(rs232Answer_.size()) >= complete) {
        rs232Deliver(false);
    }
}

void TKOMMOD::rs232Deliver(bool timedOut) {
    if (!rs232Waiting_) {
        return;
    }
    rs232Waiting_ = false;
    rs232Timer_.stop();
    const QByteArray answer = std::move(rs232Answer_);
    rs232Answer_.clear();
    if (timedOut && answer.isEmpty()) {
        SerialPrijemDat(nullptr, 0, kResComNoAnswer);
        return;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(answer.constData());
    const auto count = static_cast<std::size_t>(answer.size());
    // The one-byte reply is judged by the byte that came.
    const std::uint8_t resCom = transportStatus(rs232Expected_, data, count);
    if (SerialPrijemDat(data, count, resCom)) {
        KOM232.write(&kAcknowledgeByte, 1);
    }
}

} // namespace qtr
