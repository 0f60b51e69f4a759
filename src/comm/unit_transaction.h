#pragma once

// UnitTransaction: one request to one unit and its answer, the only way the unit
// procedures (full configuration, data collection, time setting, status, key reading)
// talk to the bus. The procedures are written once against this class; TKOMMOD runs it
// over the serial port, the simulated bus runs it in-process.
//
// Using it (a procedure):
//     buildStatusRequest(bus.txPacket, address);        // or any builder of unit_requests.h
//     if (!bus.SerialOdeslat()) log(bus.errorText);     // false: errorText says why
//     else use(bus.unitStatus);                         // the answer areas of AnswerAreas
// or simply bus.NulovatJednotku(unit), bus.CteniKlice(...), ... which do both steps.
// `aborted` may be set while SerialOdeslat waits (an interrupt button, run by
// processPendingMessages); the wait then ends with "... přerušeno!".
// letPendingMessagesRun() lets a long procedure keep its window responsive between steps.
//
// Storing before the acknowledge: SerialOdeslat(beforeAcknowledge) calls the hook with
// the judged answer when an intact data answer has passed every check, and only before
// the acknowledge byte 0xAA goes out. The hook stores what it needs (data collection
// appends the events and flushes them) and returns true; returning false (with a text in
// `refusal`) sends no acknowledge, so the unit keeps its event, and the transaction
// fails with that text. The hook is never called for a failed answer or a one-byte reply.
//
// Implementing it (a transport):
//  - sendRequest(packet, answerLength, failure): put the request on the line (or into the
//    model) and start waiting; return false with a text (without the address) when it
//    cannot be sent, e.g. the port is not open or a request is still outstanding.
//  - When the answer is complete, or the answer time-out has passed, call
//    SerialPrijemDat(block, count, resCom) on the thread that runs SerialOdeslat
//    (block null at time-out, resCom then 0x01). It returns true exactly when the
//    acknowledge byte is to be sent now; the transport sends it then and not otherwise.
//    transportStatus() gives resCom for a received block. An implementation that answers
//    at once may call it from inside sendRequest.
//  - waitForEvents(): sleep until something happens (an answer, a timer, a window event)
//    and run it; never spin. processPendingMessages(): run what is pending, no waiting.
//  - cancelRequest(): forget the outstanding request after an interrupt; a late answer to
//    it must not be taken for the answer of the next request.

#include "base/date_time.h"
#include "base/key_number.h"
#include "comm/answer_verdict.h"
#include "comm/packet.h"
#include "comm/right_record.h"
#include "db/control_unit_record.h"
#include "db/tables.h"

#include <functional>
#include <span>
#include <string>

namespace qtr {

// What key reading shows the operator; the window layer answers it with message boxes,
// tests answer it themselves.
class KeyReadDialogs {
public:
    virtual ~KeyReadDialogs() = default;
    // "Vložte identifikační klíč!" with the caption "ČTENÍ KLÍČE", OK only.
    virtual void askForKey() = 0;
    // The failure text with the caption "čtení klíče".
    virtual void showReadFailure(const std::string& errorText) = 0;
};

// Why no key may be read at `address`, empty when it may. Key reading sends read-next-event
// and acknowledges the answer: at the address of a unit of the unit table that would
// release the unit's next event without storing it.
std::string keyReadingRefusal(const ControlUnitTable& units, std::uint8_t address);

// Called with a judged, intact data answer before the unit is acknowledged.
using BeforeAcknowledge = std::function<bool(const AnswerAreas& answer, std::string& refusal)>;

class UnitTransaction : public AnswerAreas {
public:
    UnitTransaction() = default;
    virtual ~UnitTransaction() = default;
    UnitTransaction(const UnitTransaction&) = delete;
    UnitTransaction& operator=(const UnitTransaction&) = delete;

    // The request; the builders of unit_requests.h fill it.
    TxPacket txPacket{};
    // Why the last transaction failed; empty after success.
    std::string errorText;
    // Set while a transaction waits to end it; cleared when the next one starts.
    bool aborted = false;

    // Sends txPacket and waits for the answer, keeping the window responsive. True only
    // when the answer passed every check. A command not in the table sends nothing and
    // returns false with errorText as it was.
    bool SerialOdeslat(const BeforeAcknowledge& beforeAcknowledge = {});

    // Lets the pending window messages run once, without waiting.
    void letPendingMessagesRun() { processPendingMessages(); }

    // True while SerialOdeslat waits for an answer.
    bool transactionRunning() const { return waiting_; }

    // The unit commands. Each builds its request and returns the verdict.
    bool KonfigurovatJednotku(const ControlUnitRecord& unit);
    bool NulovatJednotku(const ControlUnitRecord& unit);
    bool UzamknoutJednotku(const ControlUnitRecord& unit);
    // The unit's clock to `now`, the PC's present local time.
    bool NastavitCasJednotky(const ControlUnitRecord& unit, DateTime now);
    bool NastavReleMask(const ControlUnitRecord& unit);
    bool NastavTamperMask(const ControlUnitRecord& unit);
    bool DuplicitniOpravneni(const RightRecord& right);
    // 0x8A; the answer lands in unitStatus.
    bool CteniStavuJednotky(std::uint8_t address);
    // 0x8E; the answer lands in eventAnswer and eventCount. The hook sees it before the
    // unit is acknowledged (data collection stores the event there).
    bool CteniUdalosti(std::uint8_t address, const BeforeAcknowledge& beforeAcknowledge = {});
    // Asks for a key, reads it through the reader unit at `address`; on a failed
    // transaction shows errorText. True only when a key came. An address of a unit of
    // `units` is refused (keyReadingRefusal) before anything is sent.
    bool CteniKlice(std::uint8_t address, KeyNumber& key, KeyReadDialogs& dialogs,
                    const ControlUnitTable& units);
    // The same read without dialogs (converter test): true on any good answer, the key
    // all zero when the reader had none. Refuses the address of a unit of `units`.
    bool GetKonvertor(std::uint8_t address, KeyNumber& key, const ControlUnitTable& units);

protected:
    // The receiving side: judges one delivery for the running transaction. Returns true
    // when the acknowledge byte is to be sent now. A delivery while no transaction waits
    // is dropped (false).
    bool SerialPrijemDat(const std::uint8_t* block, std::size_t count, std::uint8_t resCom);

    virtual bool sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                             std::string& failure) = 0;
    virtual void cancelRequest() = 0;
    virtual void waitForEvents() = 0;
    virtual void processPendingMessages() = 0;

private:
    // True (with errorText set) while another transaction waits: nothing may touch
    // txPacket then.
    bool refuseWhileRunning(std::uint8_t address);

    bool waiting_ = false;
    bool answered_ = false;
    const BeforeAcknowledge* beforeAcknowledge_ = nullptr;
};

} // namespace qtr
