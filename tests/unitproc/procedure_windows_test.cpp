// The full configuration, data collection and time setting windows over simulated units.

#include "support/ui_responder.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/data_collection_form.h"
#include "unitproc/forms/full_configuration_form.h"
#include "unitproc/forms/key_read_dialogs.h"
#include "unitproc/forms/memo_log.h"
#include "unitproc/forms/time_setting_form.h"
#include "unitproc/procedure_fixture.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace qtr {
namespace {

using test::joined;

// The windows' view of the simulated bus.
class SimControl final : public CommunicationControl {
public:
    explicit SimControl(UnitTransaction& bus) : bus_(bus) {}
    CommSettings settings() const override { return {}; }
    void setSettings(const CommSettings&) override {}
    std::string saveSettings() override { return {}; }
    std::string commDescription() const override { return "COM2/0/9600"; }
    void useComPar() override {}
    std::string serialOpen() override { return {}; }
    void serialClose() override {}
    std::vector<std::string> availablePorts() override { return {}; }
    UnitTransaction& bus() override { return bus_; }
    KeyReadDialogs& keyReadDialogs() override { return dialogs_; }

private:
    UnitTransaction& bus_;
    MessageKeyReadDialogs dialogs_;
};

// "name:shown/hidden,enabled/disabled" of each button, in the order given.
std::string buttons(const QWidget& w, std::initializer_list<const char*> names) {
    std::string s;
    for (const char* n : names) {
        const auto* b = w.findChild<QPushButton*>(n);
        s += std::string(s.empty() ? "" : " ") + n + ":" + (b->isHidden() ? "hidden" : "shown") +
             (b->isEnabled() ? "" : ",disabled");
    }
    return s;
}

class ProcedureWindows : public test::ProcedureFixture {
protected:
    ProcedureWindows() {
        addUnit(0x01, kUnitAccess, "Vchod");
        addUnit(0x02, kUnitAttendance, "Docházka");
    }
    std::string memo(const QWidget& w, const char* name) {
        return joined(memoLines(w.findChild<QPlainTextEdit*>(name)));
    }
    // Runs `f` once, while the first transaction with this command waits.
    void whileCommandWaits(std::uint8_t command, std::function<void()> f) {
        line.onPendingMessages = [this, command, f, done = false]() mutable {
            if (!done && line.transactionRunning() && line.lastExchange().request[2] == command) {
                done = true;
                f();
            }
        };
    }

    test::UiResponder ui;
    SimControl comm{line};
};

TEST_F(ProcedureWindows, FullConfigurationButtonsStatisticsCheckAndRun) {
    {
        TSNDRTS0 empty(db, comm, dir.path(), clock);
        EXPECT_EQ(buttons(empty, {"btKontrola", "btSend", "btStop"}),
                  "btKontrola:hidden btSend:shown btStop:hidden");
    }
    addHolder("Jan", "0100000000000A", "Nikde");
    TSNDRTS0 w(db, comm, dir.path(), clock);
    EXPECT_EQ(w.windowTitle(), "Nastavení jednotek systému podle obsahu databází");
    EXPECT_EQ(buttons(w, {"btKontrola", "btSend", "btStop"}),
              "btKontrola:shown btSend:shown btStop:hidden");
    const auto* grid = w.findChild<QTableWidget*>("sgStat");
    EXPECT_EQ(grid->item(1, 0)->text(), "Klíče ");
    EXPECT_EQ(grid->item(1, 1)->text(), "1");
    EXPECT_EQ(grid->item(4, 4)->text(), "0");

    w.btKontrolaClick();
    EXPECT_EQ(memo(w, "meErrRts"), "Jan - neplatné oprávnění  >Nikde<\n");
    // The window reads the tables as they are when a job starts.
    db.keyHolders.select(1);
    db.keyHolders.current().permissionGroupName.setText("");
    db.keyHolders.storeCurrent();

    std::string during;
    whileCommandWaits(0x86, [&] { during = buttons(w, {"btKontrola", "btSend", "btStop"}); });
    ui.expectMessage("Hotovo!");
    w.btSendClick();
    EXPECT_EQ(during, "btKontrola:shown,disabled btSend:shown,disabled btStop:shown");
    EXPECT_EQ(buttons(w, {"btKontrola", "btSend", "btStop"}),
              "btKontrola:shown btSend:shown btStop:hidden");
    EXPECT_NE(memo(w, "meErrRts").find("MASKA RELÉ 02 Docházka \n"), std::string::npos);
    EXPECT_EQ(w.findChild<QProgressBar*>("ProgressBar1")->value(), 0);

    // "Přerušit" while a unit is being locked.
    whileCommandWaits(0x86, [&] { w.findChild<QPushButton*>("btStop")->click(); });
    ui.expectMessage("POZOR!\nChyby při nastavení jednotek");
    w.btSendClick();
    EXPECT_EQ(ui.shown().back().icon, ui::MessageIcon::Warning);
    EXPECT_NE(memo(w, "meErrRts").find("UZAMČENÍ 01 Vchod  - ... přerušeno!\n"), std::string::npos);
}

TEST_F(ProcedureWindows, DataCollectionHasNoCloseBoxAndShowsItsStates) {
    lockWithEvents(1, 2);
    lockWithEvents(2, 0);
    TSBERDA w(db.units, comm, dir.path(), clock);
    EXPECT_EQ(w.windowTitle(), "Sběr dat od všech hardwarových jednotek");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowSystemMenuHint);
    const auto states = {"Button1", "btPrerus", "BitBtn1"};
    EXPECT_EQ(buttons(w, states), "Button1:shown btPrerus:hidden BitBtn1:shown");
    std::string during;
    bool finished = false;
    QObject::connect(&w, &QDialog::finished, [&] { finished = true; });
    whileCommandWaits(0x8E, [&] {
        during = buttons(w, states);
        w.reject(); // Esc while running
    });
    w.Button1Click();
    EXPECT_EQ(during, "Button1:shown,disabled btPrerus:shown BitBtn1:hidden");
    EXPECT_FALSE(finished);
    EXPECT_EQ(buttons(w, states), "Button1:shown btPrerus:hidden BitBtn1:shown");
    EXPECT_EQ(memo(w, "meMon"),
              "Test stavu: Vchod\n01 *\n01 *\nTest stavu: Docházka\n\nHotovo! \n");
    EXPECT_EQ(storedEvents().size(), 2u);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(ProcedureWindows, DataCollectionInterruptedOnAUnitThatIsNotLockedShowsTheErrorBox) {
    TSBERDA w(db.units, comm, dir.path(), clock);
    int tries = 0;
    line.onPendingMessages = [&] {
        if (line.transactionRunning() && ++tries == 4) {
            w.findChild<QPushButton*>("btPrerus")->click();
        }
    };
    ui.expectMessage("Prověřte stav řídících jednotek!");
    w.Button1Click();
    EXPECT_EQ(ui.shown().back().caption, "CHYBY PŘI SBĚRU DAT!");
    EXPECT_EQ(ui.shown().back().icon, ui::MessageIcon::Error);
    EXPECT_EQ(memo(w, "meMon"), "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                                "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                                "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                                "Test stavu: Vchod\nChybný stav: není konfigurována\n");
    EXPECT_EQ(buttons(w, {"Button1", "btPrerus", "BitBtn1"}),
              "Button1:shown btPrerus:hidden BitBtn1:shown");
}

TEST_F(ProcedureWindows, TimeSettingLogAndItsInterruptButton) {
    addUnit(0x03, kUnitAccess, "Ticho", false);
    TSETTIM w(db.units, comm, clock);
    EXPECT_EQ(w.windowTitle(), "Nastavení času všem jednotkám systému");
    std::string during;
    whileCommandWaits(0x83, [&] { during = buttons(w, {"Button1", "Button2"}); });
    w.Button1Click();
    EXPECT_EQ(during, "Button1:shown,disabled Button2:shown");
    EXPECT_EQ(buttons(w, {"Button1", "Button2"}), "Button1:shown Button2:hidden");
    EXPECT_EQ(memo(w, "meMon"), "09.12.2026 středa 08:00\n\n"
                                "01 Vchod - nastaveno\n"
                                "02 Docházka - nastaveno\n"
                                "03 Ticho - 03 - Žádná odpověď\n"
                                "\nPozor! Neúplné nastavení!\n");
}

} // namespace
} // namespace qtr
