#include "comm/unit_requests.h"
#include "comm/unit_transaction.h"
#include "support/hex_dump.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>

namespace qtr {
namespace {

using test::fromHex;

const ControlUnitTable kNoUnits;

// A transport whose peer is a script: each request gets the next scripted reply,
// delivered on the first wait (or never, to try interrupts). Records what went out.
class ScriptedTransaction final : public UnitTransaction {
public:
    struct Reply {
        std::optional<std::vector<std::uint8_t>> block; // none: time-out
    };
    std::deque<Reply> replies;
    std::vector<std::vector<std::uint8_t>> requests;
    int acknowledges = 0;
    int cancels = 0;
    bool portOpen = true;
    bool answerNever = false;
    std::function<void()> onWait; // what the window does during a wait

    using UnitTransaction::SerialPrijemDat;

protected:
    bool sendRequest(std::span<const std::uint8_t> packet, std::uint16_t answerLength,
                     std::string& failure) override {
        if (!portOpen) {
            failure = "Sériový port není otevřen!";
            return false;
        }
        requests.emplace_back(packet.begin(), packet.end());
        expected_ = answerLength;
        return true;
    }
    void cancelRequest() override { ++cancels; }
    void waitForEvents() override {
        if (onWait) {
            onWait();
        }
        if (answerNever || replies.empty()) {
            return;
        }
        const Reply r = replies.front();
        replies.pop_front();
        bool ack = false;
        if (r.block) {
            const auto& b = *r.block;
            ack =
                SerialPrijemDat(b.data(), b.size(), transportStatus(expected_, b.data(), b.size()));
        } else {
            ack = SerialPrijemDat(nullptr, 0, kResComNoAnswer);
        }
        acknowledges += ack ? 1 : 0;
    }
    void processPendingMessages() override {}

private:
    std::uint16_t expected_ = 0;
};

std::vector<std::uint8_t> framed(std::vector<std::uint8_t> data) {
    data.push_back(byteSum(data));
    return data;
}

std::vector<std::uint8_t> eventReply(std::uint8_t address, std::uint8_t keyByte) {
    std::vector<std::uint8_t> d(18, 0);
    d[0] = address;
    if (keyByte != 0) {
        d[4] = keyByte;
        d[10] = 0x07;
        d[15] = 0x10;
    }
    return framed(d);
}

ControlUnitRecord unitAt(std::uint8_t address) {
    ControlUnitRecord u;
    u.address = address;
    u.alarmMask = 0x3F;
    return u;
}

TEST(UnitTransaction, OneByteCommandsSendTheirRequestAndJudgeTheReply) {
    ScriptedTransaction bus;
    bus.replies = {{std::vector<std::uint8_t>{0xAA}}, {std::vector<std::uint8_t>{0x90}}};
    EXPECT_TRUE(bus.NulovatJednotku(unitAt(0x0A)));
    EXPECT_EQ(bus.errorText, "");
    EXPECT_FALSE(bus.UzamknoutJednotku(unitAt(0x0A)));
    EXPECT_EQ(bus.errorText, "0A chyba: uzamčeno");
    ASSERT_EQ(bus.requests.size(), 2u);
    EXPECT_BYTES(fromHex("0A 03 85 92"), bus.requests[0]);
    EXPECT_BYTES(fromHex("0A 03 86 93"), bus.requests[1]);
    EXPECT_EQ(bus.acknowledges, 0); // one-byte replies are never acknowledged
}

TEST(UnitTransaction, EveryCommandMethodBuildsItsRequest) {
    ScriptedTransaction bus;
    for (int i = 0; i < 7; ++i) {
        bus.replies.push_back({std::vector<std::uint8_t>{0xAA}});
    }
    const auto u = unitAt(0x01);
    EXPECT_TRUE(bus.KonfigurovatJednotku(u));
    EXPECT_TRUE(bus.NastavitCasJednotky(u, encodeDate(2001, 12, 31) + encodeTime(23, 59, 58)));
    EXPECT_TRUE(bus.NastavTamperMask(u));
    EXPECT_TRUE(bus.NastavReleMask(u));
    RightRecord r;
    r.unitAddress = 0x02;
    EXPECT_TRUE(bus.DuplicitniOpravneni(r));
    ASSERT_EQ(bus.requests.size(), 5u);
    EXPECT_EQ(bus.requests[0].size(), 20u);
    EXPECT_EQ(bus.requests[0][2], 0x80);
    EXPECT_BYTES(fromHex("01 0A 83 58 59 23 31 12 01 01 A7"), bus.requests[1]);
    EXPECT_BYTES(fromHex("01 04 8C 3F D0"), bus.requests[2]);
    EXPECT_EQ(bus.requests[3][2], 0x8B);
    EXPECT_EQ(bus.requests[4][0], 0x02);
    EXPECT_EQ(bus.requests[4][2], 0x81);
}

TEST(UnitTransaction, TimeOutText) {
    ScriptedTransaction bus;
    bus.replies = {{std::nullopt}};
    EXPECT_FALSE(bus.CteniStavuJednotky(0x0A));
    EXPECT_EQ(bus.errorText, "0A - Žádná odpověď");
}

TEST(UnitTransaction, UnknownCommandSendsNothingAndKeepsTheText) {
    ScriptedTransaction bus;
    bus.errorText = "předchozí";
    bus.txPacket[2] = 0x42;
    EXPECT_FALSE(bus.SerialOdeslat());
    EXPECT_EQ(bus.errorText, "předchozí");
    EXPECT_TRUE(bus.requests.empty());
}

TEST(UnitTransaction, ClosedPortFailsAtOnce) {
    ScriptedTransaction bus;
    bus.portOpen = false;
    EXPECT_FALSE(bus.CteniStavuJednotky(0x0A));
    EXPECT_EQ(bus.errorText, "0A - Sériový port není otevřen!");
    EXPECT_FALSE(bus.transactionRunning());
}

TEST(UnitTransaction, InterruptEndsTheWaitAndForgetsTheRequest) {
    ScriptedTransaction bus;
    bus.answerNever = true;
    int waits = 0;
    bus.onWait = [&] {
        if (++waits == 3) {
            bus.aborted = true; // the "Přerušit" button
        }
    };
    EXPECT_FALSE(bus.CteniStavuJednotky(0x0A));
    EXPECT_EQ(bus.errorText, "... přerušeno!");
    EXPECT_EQ(bus.cancels, 1);
    EXPECT_FALSE(bus.transactionRunning());

    // A late answer to the interrupted request is not taken.
    const std::uint8_t late = 0xAA;
    EXPECT_FALSE(bus.SerialPrijemDat(&late, 1, 0xAA));

    // The next transaction starts afresh.
    bus.answerNever = false;
    bus.onWait = {};
    bus.replies = {{std::vector<std::uint8_t>{0xAA}}};
    EXPECT_TRUE(bus.NulovatJednotku(unitAt(0x0A)));
    EXPECT_FALSE(bus.aborted);
}

TEST(UnitTransaction, SecondTransactionWhileOneWaitsIsRefused) {
    ScriptedTransaction bus;
    bus.replies = {{std::vector<std::uint8_t>{0xAA}}};
    bool inner = true;
    bus.onWait = [&] {
        bus.onWait = {};
        inner = bus.NulovatJednotku(unitAt(0x0B)); // e.g. a second button pressed
        EXPECT_EQ(bus.errorText, "0B - Předchozí přenos ještě neskončil!");
        EXPECT_EQ(bus.txPacket[0], 0x0A); // the running request stays as it was
        bus.txPacket[2] = 0x86;
        EXPECT_FALSE(bus.SerialOdeslat());
    };
    EXPECT_TRUE(bus.UzamknoutJednotku(unitAt(0x0A)));
    EXPECT_FALSE(inner);
    EXPECT_EQ(bus.requests.size(), 1u);
}

TEST(UnitTransaction, EventIsStoredBeforeTheAcknowledge) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x0A, 0x42)}};
    std::vector<std::uint8_t> stored;
    int acknowledgesWhenStored = -1;
    const bool ok = bus.CteniUdalosti(0x0A, [&](const AnswerAreas& a, std::string&) {
        acknowledgesWhenStored = bus.acknowledges;
        stored.assign(a.eventAnswer.begin(), a.eventAnswer.begin() + 18);
        return a.eventCount == 1;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(acknowledgesWhenStored, 0);
    EXPECT_EQ(bus.acknowledges, 1);
    EXPECT_EQ(stored[4], 0x42);
}

TEST(UnitTransaction, NoTransactionStartsInsideTheHook) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x0A, 0x42)}, {std::vector<std::uint8_t>{0xAA}}};
    bool nested = true;
    EXPECT_TRUE(bus.CteniUdalosti(0x0A, [&](const AnswerAreas&, std::string&) {
        nested = bus.NulovatJednotku(unitAt(0x0A));
        return true;
    }));
    EXPECT_FALSE(nested);
    EXPECT_EQ(bus.errorText, "");
    EXPECT_EQ(bus.requests.size(), 1u);
}

TEST(UnitTransaction, RefusedStoreSendsNoAcknowledgeAndFails) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x0A, 0x42)}};
    const bool ok = bus.CteniUdalosti(0x0A, [](const AnswerAreas&, std::string& refusal) {
        refusal = "Chyba zápisu do souboru událostí";
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(bus.errorText, "0A - Chyba zápisu do souboru událostí");
    EXPECT_EQ(bus.acknowledges, 0);
}

TEST(UnitTransaction, FailedAnswersNeverReachTheHookNorGetAcknowledged) {
    ScriptedTransaction bus;
    auto damaged = eventReply(0x0A, 0x42);
    damaged.back() ^= 1;
    bus.replies = {{eventReply(0x0B, 0x42)}, {damaged}};
    int calls = 0;
    const BeforeAcknowledge hook = [&](const AnswerAreas&, std::string&) {
        ++calls;
        return true;
    };
    EXPECT_FALSE(bus.CteniUdalosti(0x0A, hook));
    EXPECT_EQ(bus.errorText, "0B/0A Odpovídá jiná jednotka!");
    EXPECT_FALSE(bus.CteniUdalosti(0x0A, hook));
    EXPECT_EQ(bus.errorText, "0A chyba Rx-CRC");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(bus.acknowledges, 0);
}

TEST(UnitTransaction, StatusAnswerIsAcknowledged) {
    ScriptedTransaction bus;
    std::vector<std::uint8_t> d(30, 0);
    d[0] = 0x0A;
    d[2] = 0x02;
    bus.replies = {{framed(d)}};
    EXPECT_TRUE(bus.CteniStavuJednotky(0x0A));
    EXPECT_EQ(bus.unitStatus[2], 0x02);
    EXPECT_EQ(bus.acknowledges, 1);
}

class RecordingDialogs final : public KeyReadDialogs {
public:
    int asked = 0;
    std::vector<std::string> failures;
    void askForKey() override { ++asked; }
    void showReadFailure(const std::string& text) override { failures.push_back(text); }
};

TEST(KeyReading, CteniKliceReturnsTheKeyOfTheItem) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x00, 0x42)}};
    RecordingDialogs dialogs;
    KeyNumber key;
    EXPECT_TRUE(bus.CteniKlice(0x00, key, dialogs, kNoUnits));
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_EQ(key.bytes[0], 0x42);
    EXPECT_EQ(key.bytes[6], 0x07);
    EXPECT_BYTES(fromHex("00 03 8E 91"), bus.requests[0]);
}

TEST(KeyReading, CteniKliceWithoutKeyIsFalseWithoutSecondMessage) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x00, 0)}};
    RecordingDialogs dialogs;
    KeyNumber key;
    key.bytes[0] = 0x99;
    EXPECT_FALSE(bus.CteniKlice(0x00, key, dialogs, kNoUnits));
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_EQ(key.bytes[0], 0x99);
}

TEST(KeyReading, CteniKliceShowsTheFailure) {
    ScriptedTransaction bus;
    bus.replies = {{std::nullopt}};
    RecordingDialogs dialogs;
    KeyNumber key;
    EXPECT_FALSE(bus.CteniKlice(0x05, key, dialogs, kNoUnits));
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_EQ(dialogs.failures[0], "05 - Žádná odpověď");
}

// Key reading acknowledges what answers: at a unit of the unit table that would release
// an event nobody stored. Such an address is refused before anything is sent.
TEST(KeyReading, TheAddressOfAUnitOfTheUnitTableIsRefused) {
    ControlUnitTable units;
    for (auto [address, name] : {std::pair{0x01, "Hlavní vchod"}, {0x02, ""}}) {
        units.current() = ControlUnitRecord{};
        units.current().address = static_cast<std::uint8_t>(address);
        units.current().unitName.setText(name);
        units.append();
    }
    const std::string vchod = "01 - Na adrese 01 je řídící jednotka „Hlavní vchod“: čtení klíče "
                              "by z ní odebralo událost, která ještě není uložena.";
    EXPECT_EQ(keyReadingRefusal(units, 0x01), vchod);
    EXPECT_EQ(keyReadingRefusal(units, 0x02),
              "02 - Na adrese 02 je řídící jednotka: čtení klíče by z ní odebralo událost, která "
              "ještě není uložena.");
    EXPECT_EQ(keyReadingRefusal(units, 0x00), "");

    ScriptedTransaction bus;
    RecordingDialogs dialogs;
    KeyNumber key;
    EXPECT_FALSE(bus.CteniKlice(0x01, key, dialogs, units));
    EXPECT_EQ(dialogs.asked, 0);
    EXPECT_EQ(dialogs.failures,
              std::vector<std::string>{
                  vchod + " Adresu čtecí jednotky změňte v nabídce Program – Komunikace."});
    EXPECT_FALSE(bus.GetKonvertor(0x01, key, units));
    EXPECT_EQ(bus.errorText, vchod + " Zvolte adresu čtecí jednotky (standardně 00).");
    EXPECT_TRUE(bus.requests.empty());

    bus.replies = {{eventReply(0x00, 0x42)}};
    EXPECT_TRUE(bus.GetKonvertor(0x00, key, units)) << bus.errorText;
    EXPECT_EQ(bus.acknowledges, 1);
}

TEST(KeyReading, GetKonvertorGivesZeroKeyForAnEmptyItem) {
    ScriptedTransaction bus;
    bus.replies = {{eventReply(0x00, 0)}, {std::nullopt}};
    KeyNumber key;
    key.bytes.fill(0x11);
    EXPECT_TRUE(bus.GetKonvertor(0x00, key, kNoUnits));
    EXPECT_TRUE(key.isZero());
    EXPECT_FALSE(bus.GetKonvertor(0x00, key, kNoUnits));
    EXPECT_EQ(bus.errorText, "00 - Žádná odpověď");
}

} // namespace
} // namespace qtr
