#include "app/account_file.h"
#include "app/demo_bus.h"
#include "app/demo_installation.h"
#include "base/clock.h"
#include "db/configuration_database.h"
#include "db/installation_keys.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "unitproc/fake_bus.h"
#include "unitproc/forms/converter_test_window.h"
#include "unitproc/forms/status_reading_form.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace qtr {
namespace {

struct DemoModeTest : ::testing::Test {
    test::TempDir dir;
    SeededRandomSource random{5};
    ManualClock clock{encodeDate(2024, 3, 4) + encodeTime(9, 0, 0)};
    ConfigurationDatabase db;
    InstallationKeys keys;

    void SetUp() override {
        ASSERT_TRUE(isEmptyDirectory(dir.path()));
        ASSERT_TRUE(createDemoInstallation(dir.path(), random).empty());
        ASSERT_TRUE(initialiseConfiguration(db, dir.path()).empty());
        ASSERT_TRUE(loadConfiguration(db, dir.path()).empty());
        ASSERT_TRUE(loadInstallationKeys(dir.path(), keys).ok());
    }
};

TEST_F(DemoModeTest, TheSampleInstallationHoldsWhatTheReadmeSays) {
    EXPECT_FALSE(isEmptyDirectory(dir.path()));
    EXPECT_EQ(db.units.count(), 7);
    for (std::uint8_t type = 1; type <= 4; ++type) {
        EXPECT_GE(db.units.countByType(type), 1) << int(type);
    }
    EXPECT_EQ(db.keyHolders.count(), 20);
    EXPECT_EQ(db.groups.count(), 5);
    EXPECT_EQ(db.schedules.count(), 3);
    EXPECT_EQ(db.permissionGroups.count(), 5);
    EXPECT_EQ(db.zones.count(), 1);
    EXPECT_EQ(keys.masterKey, KeyNumber::parse(kDemoMasterKeyText));
    EXPECT_TRUE(keys.serviceKeys.empty());
    UserAccounts accounts;
    ASSERT_TRUE(
        loadAccountFile(dir / kAccountFile, scramblingKeyOf(*keys.masterKey), random, accounts)
            .ok());
    EXPECT_EQ(accounts.count, 1);
    EXPECT_EQ(accounts.find(kDemoUserName, kDemoPassword), 1);
    // Every permission entry names a unit and a schedule of the installation.
    for (int g = 1; g <= db.permissionGroups.count(); ++g) {
        const auto& group = db.permissionGroups.at(g);
        for (std::size_t e = 0; e < group.entryCount; ++e) {
            EXPECT_GT(db.units.findByAddress(group.entries[e].unitAddress), 0);
            EXPECT_GT(db.schedules.findByName(group.entries[e].scheduleName.text()), 0);
        }
    }
    // A second start leaves a directory that holds anything as it is.
    EXPECT_FALSE(isEmptyDirectory(dir.path()));
}

TEST_F(DemoModeTest, StatusOfASimulatedUnitInService) {
    test::UiResponder ui;
    DemoControl demo(dir.path(), clock);
    demo.populate(db, *keys.masterKey);
    TGETSTAV form(demo, db.units);
    QString type, state, pending;
    ui.expectDialog("TSTAVJ", [&](QDialog& d) {
        type = d.findChild<QLabel*>("edTyp")->text();
        state = d.findChild<QLabel*>("edStav")->text();
        pending = d.findChild<QLabel*>("laUdalosti")->text();
    });
    form.setAddress(0x10);
    EXPECT_EQ(type, "VKR-8 docházková");
    EXPECT_EQ(state, "uzamčena");
    EXPECT_EQ(pending, "Počet nezpracovaných událostí: 3");
}

TEST_F(DemoModeTest, ConverterTestAgainstTheSimulatedReader) {
    test::UiResponder ui;
    DemoControl demo(dir.path(), clock);
    demo.populate(db, *keys.masterKey);
    TTESTK test(demo, db.units, dir.path());
    test.Timer1Timer();
    ASSERT_EQ(test.list()->count(), 1);
    EXPECT_EQ(test.list()->item(0)->text(), "00000000000000");
    // A pen at the reader: the key comes once, then the reader has nothing again.
    demo.simulatedBus().unit(kDemoReaderAddress)->presentKey(0, *keys.masterKey, clock.now());
    test.Timer1Timer();
    test.Timer1Timer();
    EXPECT_EQ(test.list()->item(1)->text(), "01000000DE0001");
    EXPECT_EQ(test.list()->item(2)->text(), "00000000000000");

    // Pointed at the locked unit 01 the test would take its events: it is refused and stops.
    const sim::SimUnit& vchod = *demo.simulatedBus().unit(0x01);
    ASSERT_EQ(vchod.events().pending(), 3u);
    test.findChild<QSpinBox*>("udAdresa")->setValue(0x01);
    test.btStartClick();
    test.Timer1Timer();
    EXPECT_TRUE(test.list()->item(3)->text().startsWith(
        "01 - Na adrese 01 je řídící jednotka „Hlavní vchod“"));
    EXPECT_FALSE(test.running());
    EXPECT_EQ(vchod.events().pending(), 3u);
}

TEST_F(DemoModeTest, KeyReadingAtTheAddressOfAUnitIsRefusedAndTheUnitKeepsItsEvents) {
    test::UiResponder ui;
    DemoControl demo(dir.path(), clock);
    demo.populate(db, *keys.masterKey);
    ui.expectMessage("Adresu čtecí jednotky změňte v nabídce Program – Komunikace.");
    KeyNumber key;
    EXPECT_FALSE(demo.bus().CteniKlice(0x01, key, demo.keyReadDialogs(), db.units));
    EXPECT_EQ(ui.shown().back().caption, "čtení klíče");
    EXPECT_EQ(demo.simulatedBus().unit(0x01)->events().pending(), 3u);
}

TEST_F(DemoModeTest, TheKeyChosenAtTheSimulatedReaderIsRead) {
    test::UiResponder ui;
    DemoControl demo(dir.path(), clock);
    demo.populate(db, *keys.masterKey);
    ui.expectDialog("DemoKeyChooser", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "ČTENÍ KLÍČE");
        auto* list = d.findChild<QListWidget*>("lbKlice");
        EXPECT_EQ(list->count(), 21);
        EXPECT_TRUE(list->item(0)->text().startsWith("01000000DE0001"));
        list->setCurrentRow(3);
        d.findChild<QPushButton*>("btPrilozit")->click();
    });
    KeyNumber key;
    ASSERT_TRUE(demo.bus().CteniKlice(kDemoReaderAddress, key, demo.keyReadDialogs(), db.units));
    EXPECT_EQ(key, db.keyHolders.at(3).keyNumber);
}

} // namespace
} // namespace qtr
