#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace qtr {

// The plain RS-232 line: configurable line format, blocking writes, reception polled
// every PeriodaRxScan ms and handed on as it came (no framing, no time-out of its own).
class TKOM232 {
public:
    enum CisloComValue { pnCOM1, pnCOM2, pnCOM3, pnCOM4 };
    enum Baud {
        br110,
        br300,
        br600,
        br1200,
        br2400,
        br4800,
        br9600,
        br14400,
        br19200,
        br38400,
        br56000,
        br57600,
        br115200
    };
    enum DataBits { db5BITS, db6BITS, db7BITS, db8BITS };
    enum StopBits { sb1BITS, sb1HALFBITS, sb2BITS };
    enum Parity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
    enum Handshake { hhNONE, hhRTSCTS };
    enum XonXoff { shNONE, shXONXOFF };

    using DataReceived = std::function<void(const std::uint8_t* data, std::size_t size)>;

    TKOM232();
    ~TKOM232();
    TKOM232(const TKOM232&) = delete;
    TKOM232& operator=(const TKOM232&) = delete;

    // Changeable only while closed.
    void setCisloCom(int port);
    int cisloCom() const { return cisloCom_; }
    void setDeviceName(const QString& device) { device_ = device; }
    void setPametRx(std::uint16_t bytes);
    void setPametTx(std::uint16_t bytes);
    std::uint16_t pametRx() const { return pametRx_; }
    std::uint16_t pametTx() const { return pametTx_; }

    // Line settings: applied at once while open.
    void setRychlost(Baud b);
    void setDataBity(DataBits d);
    void setStopBity(StopBits s);
    void setParita(Parity p);
    void setRizeniSP(Handshake h);
    void setXonXoffSP(XonXoff x);
    Baud rychlost() const { return rychlost_; }
    Parity parita() const { return parita_; }
    bool DTRpriOpen = true;

    // Changing it while open restarts the polling with the new period.
    void setPeriodaRxScan(std::uint16_t ms);
    std::uint16_t TxTimeout = 4000; // ms a write may wait for the line

    DataReceived DataPrijata;

    // A failed open leaves the component closed (no exception).
    bool open();
    void close();
    bool isOpen() const { return port_.isOpen(); }

    // Bytes written; 0 when closed or count < 1; the total written, negated, when the
    // line did not take them within TxTimeout.
    int write(const std::uint8_t* buffer, int count);
    void purge(bool receive, bool transmit);
    int freeTxRoom() const;

    static int baudValue(Baud b);

private:
    void applyLineSettings();
    void poll();

    QSerialPort port_;
    QString device_;
    QTimer rxTimer_;
    int cisloCom_ = pnCOM2;
    Baud rychlost_ = br9600;
    DataBits dataBity_ = db8BITS;
    StopBits stopBity_ = sb1BITS;
    Parity parita_ = ptNONE;
    Handshake rizeni_ = hhNONE;
    XonXoff xonXoff_ = shNONE;
    std::uint16_t pametRx_ = 2048;
    std::uint16_t pametTx_ = 2048;
    std::uint16_t periodaRxScan_ = 50;
};

} // namespace qtr
