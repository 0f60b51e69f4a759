// The program's serial module TKOMMOD on a pseudo-terminal against qtr-sim's
// bus server: what the real program sees of healthy and faulty units.

#include "comm/serial/kommod.h"
#include "comm/unit_status_view.h"
#include "sim/served_bus.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace qtr::sim::test {
namespace {

constexpr const char* kKeyA = "0100000012345A";
constexpr const char* kKeyB = "0200000000000B";
constexpr const char* kKeyC = "03000000ABCDEF";

class KommodAgainstSim : public ::testing::Test {
protected:
    KommodAgainstSim() {
        bus.addUnit({0x0A, kModelVkr8, kModeAccess, 3, "vchod"});
        bus.addUnit({0x0B, kModelVkr8, kModeAttendance, 3, "docházka"});
        bus.addUnit({0x00, kModelReader, 0, kNoMemory, "čtečka"});
        kommod.commParameters.interfaceMode = kInterfaceRs485;
        kommod.UseComPar();
        kommod.SerialOpen();
    }

    static ControlUnitRecord unitRecord(std::uint8_t address) {
        ControlUnitRecord u;
        u.address = address;
        u.unitType = kUnitAccess;
        u.alarmMask = 0xFF;
        u.parameters[0] = 0x51;
        return u;
    }
    static RightRecord right(std::uint8_t address, const char* key) {
        RightRecord r;
        r.keyNumber = KeyNumber::parse(key);
        r.toTime = makeHourMinute(23, 59);
        r.dayMask = 0x7F;
        r.unitAddress = address;
        return r;
    }

    // Configure, reset, rights, lock, clock and alarm mask, each step succeeding.
    void configureUnit(std::uint8_t address) {
        const ControlUnitRecord rec = unitRecord(address);
        ASSERT_TRUE(kommod.KonfigurovatJednotku(rec)) << kommod.errorText;
        ASSERT_TRUE(kommod.NulovatJednotku(rec)) << kommod.errorText;
        ASSERT_TRUE(kommod.DuplicitniOpravneni(right(address, kKeyA))) << kommod.errorText;
        ASSERT_TRUE(kommod.DuplicitniOpravneni(right(address, kKeyB))) << kommod.errorText;
        ASSERT_TRUE(kommod.UzamknoutJednotku(rec)) << kommod.errorText;
        ASSERT_TRUE(kommod.NastavitCasJednotky(rec, SystemClock().now())) << kommod.errorText;
        ASSERT_TRUE(kommod.NastavTamperMask(rec)) << kommod.errorText;
    }

    void present(std::uint8_t address, int reader, const char* key) {
        served.withBus([&](SimBus& b) {
            b.unit(address)->presentKey(reader, KeyNumber::parse(key), b.now());
        });
    }
    void fault(std::uint8_t address, UnitFault f, int count = 0) {
        served.withBus([&](SimBus& b) { b.unit(address)->setFault(f, count); });
    }
    std::size_t pending(std::uint8_t address) {
        std::size_t n = 0;
        served.withBus([&](SimBus& b) { n = b.unit(address)->events().pending(); });
        return n;
    }
    std::string eventKey() const {
        return KeyNumber::fromBytes(std::span(kommod.eventAnswer).subspan(4, 7)).text();
    }
    // Lets a stray answer arrive and be dropped.
    static void settle(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    SystemClock clock;
    SimBus bus{clock};
    ServedBus served{bus, {}};
    qtr::test::TempDir dir;
    TKOMMOD kommod{dir.path(), resolvePortNames({"", served.path(), "", ""}, nullptr)};
};

TEST_F(KommodAgainstSim, TheFullConfigurationStepsByHandAndTheRefusalsAfterTheLock) {
    configureUnit(0x0A);
    EXPECT_FALSE(kommod.DuplicitniOpravneni(right(0x0A, kKeyC)));
    EXPECT_EQ(kommod.errorText, "0A chyba: uzamčeno");
    EXPECT_FALSE(kommod.NulovatJednotku(unitRecord(0x0B)));
    EXPECT_EQ(kommod.errorText, "0B chyba: kontext povelu");

    ASSERT_TRUE(kommod.CteniStavuJednotky(0x0A)) << kommod.errorText;
    const UnitStatusView v = decodeUnitStatus(kommod.unitStatus);
    EXPECT_EQ(v.address, "0A");
    EXPECT_EQ(v.unitType, "VKR-8 přístupová");
    EXPECT_EQ(v.unitState, "uzamčena");
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 2");
    EXPECT_EQ(v.pendingEvents, "Prázdný seznam událostí.");
}

TEST_F(KommodAgainstSim, EventsComeInOrderAndAreReleasedOnlyAfterTheAcknowledge) {
    configureUnit(0x0A);
    present(0x0A, 0, kKeyA);
    present(0x0A, 1, kKeyB);
    present(0x0A, 2, kKeyC);
    ASSERT_TRUE(kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(decodeUnitStatus(kommod.unitStatus).pendingEvents,
              "Počet nezpracovaných událostí: 3");

    // The caller cannot store the first one: no acknowledge, the unit keeps it.
    const BeforeAcknowledge refuse = [](const AnswerAreas&, std::string& why) {
        why = "nelze uložit";
        return false;
    };
    EXPECT_FALSE(kommod.CteniUdalosti(0x0A, refuse));
    EXPECT_EQ(kommod.errorText, "0A - nelze uložit");
    settle(60);
    EXPECT_EQ(pending(0x0A), 3u);

    for (const char* key : {kKeyA, kKeyB, kKeyC}) {
        ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
        ASSERT_EQ(kommod.eventCount, 1);
        EXPECT_EQ(eventKey(), key);
    }
    ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
    EXPECT_EQ(kommod.eventCount, 0);
    EXPECT_EQ(kommod.eventAnswer[15], 0); // an empty item
    settle(60);
    EXPECT_EQ(pending(0x0A), 0u);
}

TEST_F(KommodAgainstSim, ALostAcknowledgeDeliversTheSameEventAgain) {
    configureUnit(0x0A);
    present(0x0A, 0, kKeyA);
    present(0x0A, 0, kKeyB);
    fault(0x0A, UnitFault::IgnoreAcknowledge, 1);
    ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
    EXPECT_EQ(eventKey(), kKeyA);
    ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
    EXPECT_EQ(eventKey(), kKeyA);
    ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
    EXPECT_EQ(eventKey(), kKeyB);
}

TEST_F(KommodAgainstSim, EveryFaultGivesTheVerdictTheProgramShows) {
    configureUnit(0x0A);
    present(0x0A, 0, kKeyA);
    const ControlUnitRecord rec = unitRecord(0x0A);

    fault(0x0A, UnitFault::WrongChecksum, 1);
    EXPECT_FALSE(kommod.CteniUdalosti(0x0A));
    EXPECT_EQ(kommod.errorText, "0A chyba Rx-CRC");

    fault(0x0A, UnitFault::ForeignAddress, 1);
    EXPECT_FALSE(kommod.CteniUdalosti(0x0A));
    EXPECT_EQ(kommod.errorText, "0B/0A Odpovídá jiná jednotka!");

    fault(0x0A, UnitFault::Garbage, 1);
    EXPECT_FALSE(kommod.NastavTamperMask(rec));
    EXPECT_EQ(kommod.errorText, "0A ???");

    fault(0x0A, UnitFault::SplitAnswer, 1);
    EXPECT_FALSE(kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(kommod.errorText, "0A  Nesprávná délka paketu: 15");
    settle(200); // the second part arrives while nobody waits

    fault(0x0A, UnitFault::OversizedAnswer, 1);
    EXPECT_FALSE(kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(kommod.errorText, "0A -  příliš dlouhý paket!");

    fault(0x0A, UnitFault::NoAnswer, 1);
    EXPECT_FALSE(kommod.CteniStavuJednotky(0x0A));
    EXPECT_EQ(kommod.errorText, "0A - Žádná odpověď");

    fault(0x0A, UnitFault::LateAnswer, 1);
    EXPECT_FALSE(kommod.CteniUdalosti(0x0A));
    EXPECT_EQ(kommod.errorText, "0A - Žádná odpověď");
    settle(700); // the late answer comes and must not count for anything

    // Through all this the event stayed with the unit, and the unit is healthy again.
    EXPECT_EQ(pending(0x0A), 1u);
    ASSERT_TRUE(kommod.CteniUdalosti(0x0A)) << kommod.errorText;
    EXPECT_EQ(eventKey(), kKeyA);
    settle(60); // a lone acknowledge is taken once the line has been quiet for a moment
    EXPECT_EQ(pending(0x0A), 0u);
}

// The in-process line and the serial line give a slow unit the same verdict.
TEST_F(KommodAgainstSim, ASlowUnitIsJudgedAlikeInProcessAndOnTheLine) {
    ManualClock clock(SystemClock().now());
    SimBus local(clock);
    local.addUnit({0x0A, kModelVkr8, kModeAccess, 3, "vchod"});
    SimulatedTransaction inProcess(local);
    for (const int latency : {1850, 1960}) {
        served.withBus([&](SimBus& b) { b.unit(0x0A)->setLatencyMs(latency); });
        local.unit(0x0A)->setLatencyMs(latency);
        const bool onTheLine = kommod.CteniStavuJednotky(0x0A);
        EXPECT_EQ(onTheLine, latency == 1850) << latency << ": " << kommod.errorText;
        EXPECT_EQ(inProcess.CteniStavuJednotky(0x0A), onTheLine) << latency;
        EXPECT_EQ(inProcess.errorText, kommod.errorText) << latency;
        settle(100); // a late answer arrives while nobody waits
    }
}

TEST_F(KommodAgainstSim, KeyReadingThroughTheReaderUnit) {
    KeyNumber key;
    EXPECT_TRUE(kommod.GetKonvertor(0x00, key, {})) << kommod.errorText;
    EXPECT_TRUE(key.isZero());
    present(0x00, 0, kKeyC);
    EXPECT_TRUE(kommod.GetKonvertor(0x00, key, {})) << kommod.errorText;
    EXPECT_EQ(key.text(), kKeyC);
    EXPECT_TRUE(kommod.GetKonvertor(0x00, key, {})) << kommod.errorText;
    EXPECT_TRUE(key.isZero());
}

} // namespace
} // namespace qtr::sim::test
