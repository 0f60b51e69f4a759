// Full configuration, data collection and time setting against simulated units.

#include "base/file_lock.h"
#include "unitproc/data_collection.h"
#include "unitproc/full_configuration.h"
#include "unitproc/procedure_fixture.h"
#include "unitproc/time_setting.h"

namespace qtr {
namespace {

using test::joined;

class FullConfiguration : public test::ProcedureFixture {
protected:
    FullConfigurationResult run(const std::vector<RightRecord>& rights) {
        CollectionStore events(dir / kEventFile);
        return UplneNastaveni(line, db, rights, clock, events, log);
    }
    static RightRecord right(const char* key, std::uint8_t unit) {
        RightRecord r;
        r.keyNumber = KeyNumber::parse(key);
        r.fromTime = makeHourMinute(7, 30);
        r.toTime = makeHourMinute(16, 0);
        r.dayMask = 0x7C;
        r.unitAddress = unit;
        r.objectMask = 0x03;
        return r;
    }
};

TEST_F(FullConfiguration, EveryStepInItsOrderMasksByTypeAndASilentUnit) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addUnit(0x02, kUnitAttendance, "Docházka");
    addUnit(0x04, kUnitBarrier, "Závora");
    addUnit(0x05, kUnitAccess, "Ticho", false);
    addHolder("Jan", "0100000000000A",
              ""); // no permission group: the attendance unit still knows him
    const FullConfigurationResult r = run({right("0100000000000A", 0x01)});
    const std::string silent = "  - 05 - Žádná odpověď";
    EXPECT_EQ(joined(log.lines), "KONFIGURACE 01 Vchod \n"
                                 "NULOVÁNÍ 01 Vchod \n"
                                 "KONFIGURACE 02 Docházka \n"
                                 "NULOVÁNÍ 02 Docházka \n"
                                 "KONFIGURACE 04 Závora \n"
                                 "NULOVÁNÍ 04 Závora \n"
                                 "KONFIGURACE 05 Ticho" +
                                     silent +
                                     "\n"
                                     "NULOVÁNÍ 05 Ticho" +
                                     silent +
                                     "\n"
                                     "OPRÁVNĚNÍ 0100000000000A 07:30 16:00 7C 01 03\n"
                                     "DOCHÁZKOVÉ JEDNOTKY Jan 0100000000000A 00:00 23:59 7F 02 00\n"
                                     "UZAMČENÍ 01 Vchod \n"
                                     "NASTAVENÍ ČASU 09.12.2026 08:00 01 Vchod \n"
                                     "MASKA POPLACHU 01 Vchod \n"
                                     "UZAMČENÍ 02 Docházka \n"
                                     "NASTAVENÍ ČASU 09.12.2026 08:00 02 Docházka \n"
                                     "MASKA POPLACHU 02 Docházka \n"
                                     "MASKA RELÉ 02 Docházka \n"
                                     "UZAMČENÍ 04 Závora \n"
                                     "NASTAVENÍ ČASU 09.12.2026 08:00 04 Závora \n"
                                     "UZAMČENÍ 05 Ticho" +
                                     silent +
                                     "\n"
                                     "NASTAVENÍ ČASU 09.12.2026 08:00 05 Ticho" +
                                     silent +
                                     "\n"
                                     "MASKA POPLACHU 05 Ticho" +
                                     silent + "\n");
    EXPECT_TRUE(r.errorFlag);
    EXPECT_FALSE(r.aborted);
    EXPECT_STREQ(fullConfigurationMessage(r.errorFlag), "POZOR!\r\nChyby při nastavení jednotek");
    // What the units hold now.
    for (std::uint8_t a : {0x01, 0x02, 0x04}) {
        EXPECT_EQ(simBus.unit(a)->state(), sim::kStateLocked) << int(a);
    }
    EXPECT_EQ(simBus.unit(0x01)->rights().count(), 1u);
    EXPECT_EQ(simBus.unit(0x02)->rights().count(), 1u);
    EXPECT_EQ(simBus.unit(0x02)->relayMask(), 0x01);
    EXPECT_EQ(simBus.unit(0x01)->alarmMask(), 0x3F);
    EXPECT_EQ(simBus.unit(0x04)->alarmMask(), 0xFF); // never sent
    EXPECT_EQ(log.progressMaximum, 1);
    EXPECT_EQ(log.progress, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / kEventFile)); // no unit held events
}

TEST_F(FullConfiguration, ALockedUnitsWaitingEventsAreCollectedBeforeItIsConfigured) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addHolder("Jan", "0100000000000A", "");
    lockWithEvents(1, 2);
    // As it is, the unit refuses to be configured.
    ASSERT_FALSE(line.KonfigurovatJednotku(db.units.at(1)));
    EXPECT_EQ(line.errorText, "01 chyba: neprázdný seznam událostí");

    const FullConfigurationResult r = run({});
    ASSERT_GE(log.lines.size(), 4u);
    EXPECT_EQ(joined({log.lines.begin(), log.lines.begin() + 5}), "SBĚR UDÁLOSTÍ 01 Vchod (2)\n"
                                                                  "01 *\n"
                                                                  "01 *\n"
                                                                  "KONFIGURACE 01 Vchod \n"
                                                                  "NULOVÁNÍ 01 Vchod \n");
    EXPECT_FALSE(r.errorFlag) << joined(log.lines);
    const auto stored = storedEvents();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].unitAddress, 0x01);
    EXPECT_LT(stored[0].timestamp, stored[1].timestamp);
    EXPECT_EQ(simBus.unit(0x01)->events().pending(), 0u);
}

TEST_F(FullConfiguration, InterruptInTheRightsPhaseEndsAfterThatTransaction) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addHolder("Jan", "0100000000000A", "");
    int rightsSent = 0;
    line.onPendingMessages = [&] {
        if (line.transactionRunning() && line.lastExchange().request[2] == 0x81 &&
            ++rightsSent == 2) {
            line.aborted = true;
        }
    };
    const FullConfigurationResult r =
        run({right("01000000000001", 1), right("01000000000002", 1), right("01000000000003", 1)});
    EXPECT_TRUE(r.aborted);
    EXPECT_TRUE(r.errorFlag);
    EXPECT_EQ(joined(log.lines),
              "KONFIGURACE 01 Vchod \n"
              "NULOVÁNÍ 01 Vchod \n"
              "OPRÁVNĚNÍ 01000000000001 07:30 16:00 7C 01 03\n"
              "OPRÁVNĚNÍ 01000000000002 07:30 16:00 7C 01 03 - ... přerušeno!\n");
    EXPECT_EQ(simBus.unit(0x01)->state(), sim::kStateReset); // never locked
}

class Collection : public test::ProcedureFixture {
protected:
    CollectionResult run(CollectionOptions options = {}) {
        CollectionStore store(dir / kEventFile);
        return SberDatVsechny(line, db.units, store, log, options);
    }
};

TEST_F(Collection, ALockedUnitsEventsOneLineEachThenTheNextUnit) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addUnit(0x02, kUnitAccess, "Sklad");
    lockWithEvents(1, 3);
    lockWithEvents(2, 0);
    const auto held = simBus.unit(0x01)->events().events();
    const CollectionResult r = run();
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n01 *\n01 *\n01 *\n"
                                 "Test stavu: Sklad\n\nHotovo! \n");
    EXPECT_FALSE(r.errorFlag);
    EXPECT_EQ(r.unitsRead, 2);
    EXPECT_EQ(r.eventsStored, 3u);
    const auto stored = storedEvents();
    ASSERT_EQ(stored.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        std::vector<std::uint8_t> answer(18, 0);
        answer[0] = 0x01;
        const auto item = held[i].itemBytes();
        std::copy(item.begin(), item.end(), answer.begin() + 4);
        EXPECT_EQ(stored[i], buildEventRecord(answer, 1)) << i;
    }
    EXPECT_EQ(simBus.unit(0x01)->events().pending(), 0u);
}

TEST_F(Collection, AnEmptyUnitTableLeavesTheEventFileUntouched) {
    const CollectionResult r = run();
    EXPECT_FALSE(r.ran);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / kEventFile));
}

TEST_F(Collection, AUnitNotConfiguredIsTriedAgainUntilInterrupted) {
    addUnit(0x01, kUnitAccess, "Vchod");
    int statusReads = 0;
    CollectionOptions options;
    options.interrupted = [&] { return statusReads >= 3; };
    line.onPendingMessages = [&] {
        if (line.transactionRunning() && line.lastExchange().request[2] == 0x8A) {
            ++statusReads;
        }
    };
    const CollectionResult r = run(options);
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                                 "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                                 "Test stavu: Vchod\nChybný stav: není konfigurována\n");
    EXPECT_TRUE(r.errorFlag);
    EXPECT_TRUE(r.interrupted);
}

TEST_F(Collection, InterruptDuringAnEventRequestStillStoresItsEvent) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addUnit(0x02, kUnitAccess, "Sklad");
    lockWithEvents(1, 3);
    bool pressed = false;
    CollectionOptions options;
    options.interrupted = [&] { return pressed; };
    line.onPendingMessages = [&] {
        if (line.transactionRunning() && line.lastExchange().request[2] == 0x8E) {
            pressed = true;
        }
    };
    const CollectionResult r = run(options);
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n01 *\n\nPřerušeno! \n");
    EXPECT_EQ(storedEvents().size(), 1u);
    EXPECT_EQ(simBus.unit(0x01)->events().pending(), 2u);
    EXPECT_TRUE(r.interrupted);
    EXPECT_FALSE(r.errorFlag);
}

TEST_F(Collection, AUnitFailingEveryTryIsGivenUpAndTheRunGoesOn) {
    addUnit(0x05, kUnitAccess, "Ticho", false);
    addUnit(0x01, kUnitAccess, "Vchod");
    lockWithEvents(2, 1);
    CollectionOptions options;
    options.maxTries = 3;
    const CollectionResult r = run(options);
    EXPECT_EQ(joined(log.lines), "Test stavu: Ticho\n05 - Žádná odpověď\n"
                                 "Test stavu: Ticho\n05 - Žádná odpověď\n"
                                 "Test stavu: Ticho\n05 - Žádná odpověď\n"
                                 "Jednotka 05 Ticho vynechána po 3 neúspěšných pokusech\n"
                                 "Test stavu: Vchod\n01 *\n\nHotovo! \n");
    EXPECT_EQ(collectionSummary(r),
              "Přečteno jednotek: 1, uloženo událostí: 1, vynecháno jednotek: 1");
    EXPECT_TRUE(r.errorFlag);

    // A unit whose event answers keep failing is given up the same way.
    log.lines.clear();
    simBus.unit(0x01)->presentKey(0, KeyNumber::parse("01000000001001"), clock.now());
    simBus.unit(0x01)->setFault(sim::UnitFault::WrongChecksum);
    db.units.deleteRecord(1);
    const CollectionResult again = run(options);
    EXPECT_EQ(again.unitsGivenUp, 1);
    EXPECT_EQ(joined({log.lines.end() - 3, log.lines.end()}),
              "Jednotka 01 Vchod vynechána po 3 neúspěšných pokusech\n\nHotovo! \n");
    EXPECT_EQ(storedEvents().size(), 1u);
}

TEST_F(Collection, AResentEventIsAcknowledgedButNotStoredTwice) {
    addUnit(0x01, kUnitAccess, "Vchod");
    lockWithEvents(1, 3);
    // The unit misses the first acknowledge and hands the same event out again.
    simBus.unit(0x01)->setFault(sim::UnitFault::IgnoreAcknowledge, 1);
    run();
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n01 *\n01 * (opakovaně přijatá, už uložena)\n"
                                 "01 *\n01 *\n\nHotovo! \n");
    EXPECT_EQ(storedEvents().size(), 3u);

    // The program was killed after storing the next event and before acknowledging it:
    // the next run finds it at the end of the file.
    lockWithEvents(1, 0);
    simBus.unit(0x01)->presentKey(0, KeyNumber::parse("01000000001002"), clock.now());
    simBus.unit(0x01)->presentKey(0, KeyNumber::parse("01000000001003"), clock.now());
    {
        CollectionStore killed(dir / kEventFile);
        ASSERT_TRUE(killed.open().ok());
        EXPECT_FALSE(line.CteniUdalosti(0x01, [&](const AnswerAreas& a, std::string& why) {
            killed.store(a, why);
            return false; // the acknowledge never goes out
        }));
    }
    EXPECT_EQ(storedEvents().size(), 4u);
    log.lines.clear();
    const CollectionResult r = run();
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n01 * (opakovaně přijatá, už uložena)\n01 *\n"
                                 "\nHotovo! \n");
    EXPECT_EQ(r.eventsStored, 1u);
    const auto stored = storedEvents();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored[3].keyNumber.text(), "01000000001002");
    EXPECT_EQ(stored[4].keyNumber.text(), "01000000001003");
}

TEST_F(Collection, AnEventFileHeldByAnotherProgramIsReportedAndNothingIsRead) {
    addUnit(0x01, kUnitAccess, "Vchod");
    lockWithEvents(1, 1);
    FileLock other;
    ASSERT_TRUE(other.tryLock(lockFileFor(dir / kEventFile), "x").ok());
    const CollectionResult r = run();
    EXPECT_TRUE(r.fileError.starts_with(
        "Soubor událostí QTR0005.DAT právě používá jiný program (test_unitproc, proces "))
        << r.fileError;
    EXPECT_TRUE(r.errorFlag);
    EXPECT_EQ(simBus.unit(0x01)->events().pending(), 1u);
    other.unlock();
    run();
    EXPECT_EQ(storedEvents().size(), 1u);
}

class TimeSetting : public test::ProcedureFixture {};

TEST_F(TimeSetting, TheSecondUnitSilentGivesAnIncompleteSetting) {
    addUnit(0x01, kUnitAccess, "Vchod");
    addUnit(0x02, kUnitAccess, "Sklad", false);
    log.addLine(timeSettingHeader(clock.now()));
    const TimeSettingResult r = NastavCasVsechny(line, db.units, clock, log);
    EXPECT_EQ(joined(log.lines), "09.12.2026 středa 08:00\n\n"
                                 "01 Vchod - nastaveno\n"
                                 "02 Sklad - 02 - Žádná odpověď\n"
                                 "\nPozor! Neúplné nastavení!\n");
    EXPECT_FALSE(r.allUnitsSet);
    EXPECT_NEAR(simBus.unit(0x01)->clock().now(clock.now()), clock.now(), 1.0 / 86400);
}

TEST_F(TimeSetting, InterruptWhileTheFirstOfThreeIsSetEndsAfterIt) {
    for (std::uint8_t a : {0x01, 0x02, 0x03}) {
        addUnit(a, kUnitAccess, "J" + std::to_string(a));
    }
    line.onPendingMessages = [&] {
        if (line.transactionRunning()) {
            line.aborted = true;
        }
    };
    const TimeSettingResult r = NastavCasVsechny(line, db.units, clock, log);
    EXPECT_EQ(joined(log.lines), "01 J1 - ... přerušeno!\n\nPřerušeno!\n");
    EXPECT_TRUE(r.aborted);
    line.onPendingMessages = nullptr;
    log.lines.clear();
    NastavCasVsechny(line, db.units, clock, log);
    EXPECT_EQ(log.lines.back(), "Hotovo!");
}

} // namespace
} // namespace qtr
