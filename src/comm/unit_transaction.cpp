#include "comm/unit_transaction.h"

#include "base/hex_text.h"
#include "comm/unit_requests.h"

namespace qtr {

std::string keyReadingRefusal(const ControlUnitTable& units, std::uint8_t address) {
    const int i = units.findByAddress(address);
    if (i == 0) {
        return {};
    }
    const std::string a = hexByteText(address);
    const std::string name = units.at(i).unitName.text();
    return a + " - Na adrese " + a + " je řídící jednotka" +
           (name.empty() ? std::string() : " „" + name + "“") +
           ": čtení klíče by z ní odebralo událost, která ještě není uložena.";
}

bool UnitTransaction::refuseWhileRunning(std::uint8_t address) {
    if (!waiting_) {
        return false;
    }
    // A second transaction would overwrite the request and the flags of the first.
    errorText = hexByteText(address) + " - Předchozí přenos ještě neskončil!";
    return true;
}

bool UnitTransaction::SerialOdeslat(const BeforeAcknowledge& beforeAcknowledge) {
    const std::uint8_t command = txPacket[2];
    if (commandIndex(command) == 0) {
        return false;
    }
    if (refuseWhileRunning(txPacket[0])) {
        return false;
    }
    answered_ = false;
    aborted = false;
    errorText.clear();
    beforeAcknowledge_ = beforeAcknowledge ? &beforeAcknowledge : nullptr;
    waiting_ = true;
    std::string failure;
    if (!sendRequest(requestBytes(txPacket), answerLength(command), failure)) {
        waiting_ = false;
        beforeAcknowledge_ = nullptr;
        errorText = hexByteText(txPacket[0]) + " - " + failure;
        return false;
    }
    // An answer that is complete wins over an interrupt that came in the same round:
    // it has been judged (and acknowledged) already.
    while (!answered_) {
        waitForEvents();
        if (!answered_ && aborted) {
            cancelRequest();
            waiting_ = false;
            errorText = "... přerušeno!";
            break;
        }
    }
    beforeAcknowledge_ = nullptr;
    return answered_ && errorText.empty();
}

bool UnitTransaction::SerialPrijemDat(const std::uint8_t* block, std::size_t count,
                                      std::uint8_t resCom) {
    if (!waiting_ || answered_) {
        return false;
    }
    answered_ = true;
    errorText = judgeAnswer(txPacket, block, count, resCom, *this);
    bool acknowledge = block != nullptr && errorText.empty() && answerLength(txPacket[2]) >= 2 &&
                       resCom == kResComAccepted;
    // The transaction counts as running until the hook is done: nothing may start
    // another one before this answer has been acknowledged.
    if (acknowledge && beforeAcknowledge_ != nullptr) {
        std::string refusal;
        const bool taken = (*beforeAcknowledge_)(*this, refusal);
        // A refused nested attempt inside the hook must not change this verdict.
        errorText = taken ? std::string() : hexByteText(txPacket[0]) + " - " + refusal;
        acknowledge = taken;
    }
    waiting_ = false;
    return acknowledge;
}

bool UnitTransaction::KonfigurovatJednotku(const ControlUnitRecord& unit) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildConfigureRequest(txPacket, unit);
    return SerialOdeslat();
}

bool UnitTransaction::NulovatJednotku(const ControlUnitRecord& unit) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildResetRequest(txPacket, unit.address);
    return SerialOdeslat();
}

bool UnitTransaction::UzamknoutJednotku(const ControlUnitRecord& unit) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildLockRequest(txPacket, unit.address);
    return SerialOdeslat();
}

bool UnitTransaction::NastavitCasJednotky(const ControlUnitRecord& unit, DateTime now) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildClockRequest(txPacket, unit.address, now);
    return SerialOdeslat();
}

bool UnitTransaction::NastavReleMask(const ControlUnitRecord& unit) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildRelayMaskRequest(txPacket, unit);
    return SerialOdeslat();
}

bool UnitTransaction::NastavTamperMask(const ControlUnitRecord& unit) {
    if (refuseWhileRunning(unit.address)) {
        return false;
    }
    buildAlarmMaskRequest(txPacket, unit);
    return SerialOdeslat();
}

bool UnitTransaction::DuplicitniOpravneni(const RightRecord& right) {
    if (refuseWhileRunning(right.unitAddress)) {
        return false;
    }
    buildRightRequest(txPacket, right);
    return SerialOdeslat();
}

bool UnitTransaction::CteniStavuJednotky(std::uint8_t address) {
    if (refuseWhileRunning(address)) {
        return false;
    }
    buildStatusRequest(txPacket, address);
    return SerialOdeslat();
}

bool UnitTransaction::CteniUdalosti(std::uint8_t address,
                                    const BeforeAcknowledge& beforeAcknowledge) {
    if (refuseWhileRunning(address)) {
        return false;
    }
    buildReadEventRequest(txPacket, address);
    return SerialOdeslat(beforeAcknowledge);
}

bool UnitTransaction::CteniKlice(std::uint8_t address, KeyNumber& key, KeyReadDialogs& dialogs,
                                 const ControlUnitTable& units) {
    if (const std::string refusal = keyReadingRefusal(units, address); !refusal.empty()) {
        // Key reading always goes to the reader address of the communication parameters.
        errorText = refusal + " Adresu čtecí jednotky změňte v nabídce Program – Komunikace.";
        dialogs.showReadFailure(errorText);
        return false;
    }
    if (refuseWhileRunning(address)) {
        dialogs.showReadFailure(errorText);
        return false;
    }
    dialogs.askForKey();
    buildReadEventRequest(txPacket, address);
    if (!SerialOdeslat()) {
        dialogs.showReadFailure(errorText);
        return false;
    }
    if (eventCount != 1) {
        return false;
    }
    key = KeyNumber::fromBytes(std::span(eventAnswer).subspan(kFirstEventItemOffset, 7));
    return true;
}

bool UnitTransaction::GetKonvertor(std::uint8_t address, KeyNumber& key,
                                   const ControlUnitTable& units) {
    if (const std::string refusal = keyReadingRefusal(units, address); !refusal.empty()) {
        errorText = refusal + " Zvolte adresu čtecí jednotky (standardně 00).";
        return false;
    }
    if (refuseWhileRunning(address)) {
        return false;
    }
    buildReadEventRequest(txPacket, address);
    if (!SerialOdeslat()) {
        return false;
    }
    key = KeyNumber::fromBytes(std::span(eventAnswer).subspan(kFirstEventItemOffset, 7));
    return true;
}

} // namespace qtr
