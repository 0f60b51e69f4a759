// The code list window and its record dialog, the report row window, the rounding
// steps and the row-definition check after the code list changed.

#include "attendance/attendance_files.h"
#include "attendance/attendance_time.h"
#include "attendance/forms/attendance_forms_fixture.h"
#include "attendance/forms/attendance_windows.h"
#include "attendance/forms/code_list_form.h"
#include "attendance/forms/report_layout_form.h"
#include "attendance/report_layout.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>

namespace qtr {
namespace {

using test::child;

struct CodeListWindow : test::AttendanceWindowTest {
    std::unique_ptr<TDM00001> window;

    void open(bool choosing = false) {
        window = std::make_unique<TDM00001>(data, dir.path(), clock, choosing);
    }
    void choose(const char* radio) { child<QRadioButton>(*window, radio)->click(); }
    std::string row(int r) {
        return test::gridRow(*child<QTableWidget>(*window, "StringGrid1"), r - 1);
    }
    QString count() { return child<QLabel>(*window, "laPocet")->text(); }
    std::string codes() {
        std::string s;
        for (int i = 1; i <= data.codeList.count(); ++i) {
            s += (i > 1 ? " " : "") + std::to_string(data.codeList.at(i).code);
        }
        return s;
    }
};

// Fills the record dialog's fields: code (when enabled), name, heading and width.
void typeRecord(QDialog& d, const char* code, const char* name, const char* heading,
                const char* width) {
    if (child<QLineEdit>(d, "edKod")->isEnabled()) {
        child<QLineEdit>(d, "edKod")->setText(QString::fromUtf8(code));
    }
    child<QLineEdit>(d, "edNazev")->setText(QString::fromUtf8(name));
    child<QLineEdit>(d, "edNadpis")->setText(QString::fromUtf8(heading));
    child<QLineEdit>(d, "edSirka")->setText(QString::fromUtf8(width));
}

TEST_F(CodeListWindow, TheGridAndTheOperationsOfTheRadioGroup) {
    open();
    EXPECT_EQ(window->windowTitle(), "Číselník docházky - druh práce");
    EXPECT_EQ(row(1), "1|směna|00:00:00|12:00:00|ANO|Na prac.|8|P");
    EXPECT_EQ(row(4), "4|přestávka|00:00:00|00:30:00|NE|Přest.|6|P");
    EXPECT_EQ(row(8), "|||||||");
    EXPECT_EQ(child<QTableWidget>(*window, "StringGrid1")->rowCount(), 256);
    EXPECT_EQ(count(), "7/0");

    // A system code is never deleted, and the group returns to "prohlížet" either way.
    choose("rbSmazat");
    window->StringGrid1Click(4);
    EXPECT_EQ(codes(), "1 2 3 4 5 10 11");
    EXPECT_EQ(window->operation(), TDM00001::Operation::Browse);

    // "přidat" only on the first empty row; the new row is then opened by "opravit".
    choose("rbPridat");
    window->StringGrid1Click(5);
    EXPECT_EQ(data.codeList.count(), 7);
    window->StringGrid1Click(8);
    EXPECT_EQ(codes(), "1 2 3 4 5 10 11 0");
    EXPECT_EQ(window->operation(), TDM00001::Operation::Change);
    EXPECT_EQ(count(), "8/8");
    EXPECT_EQ(row(8), "0||00:00:00|12:00:00|ANO||6|L");
    ui.expectDialog("TDM00002", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Záznam číselníku");
        EXPECT_TRUE(child<QLineEdit>(d, "edKod")->isEnabled());
        EXPECT_FALSE(child<QTimeEdit>(d, "teNejmene")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(d, "btHotovo")->isEnabled());
        typeRecord(d, "7", "školení mimo pracoviště", "Škol.", "5");
        EXPECT_FALSE(child<QPushButton>(d, "btHotovo")->isEnabled()); // 7 is a system code
        child<QLineEdit>(d, "edKod")->setText("25");
        child<QRadioButton>(d, "rbVpravo")->setChecked(true);
        child<QCheckBox>(d, "cbVykon")->setChecked(false);
        child<QTimeEdit>(d, "teNejvyse")->setTime(QTime(1, 30));
        child<QPushButton>(d, "btHotovo")->click();
    });
    window->StringGrid1Click(8);
    EXPECT_EQ(row(8), "25|školení mimo pracovi|00:00:00|01:30:00|NE|Škol.|5|P");
    EXPECT_EQ(window->operation(), TDM00001::Operation::Browse);

    // A cancelled "přidat" leaves a code 0, which sorts first and can be deleted.
    choose("rbPridat");
    window->StringGrid1Click(9);
    ui.expectDialog("TDM00002", [](QDialog& d) { child<QPushButton>(d, "btZpet")->click(); });
    window->StringGrid1Click(9);
    EXPECT_EQ(codes(), "1 2 3 4 5 10 11 25 0");
    data.codeList.sort();
    choose("rbSmazat");
    window->StringGrid1Click(1);
    choose("rbSmazat");
    window->StringGrid1Click(8); // code 25: removed at once, no question
    EXPECT_EQ(codes(), "1 2 3 4 5 10 11");
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(CodeListWindow, AFullListAddsNothingAndStaysOnPridat) {
    for (int code = 20; data.codeList.count() < 25; ++code) {
        AttendanceCodeRecord r = AttendanceCodeRecord::blank();
        r.code = static_cast<std::uint8_t>(code);
        ASSERT_TRUE(data.codeList.append(r));
    }
    open();
    choose("rbPridat");
    window->StringGrid1Click(26);
    EXPECT_EQ(data.codeList.count(), 25);
    EXPECT_EQ(window->operation(), TDM00001::Operation::Add);
}

TEST_F(CodeListWindow, WhatTheRecordDialogAccepts) {
    AttendanceCodeRecord own = AttendanceCodeRecord::blank();
    own.code = 30;
    own.name.setText("školení");
    own.column = makeColumn("Škol.", 5, 'L');
    ASSERT_TRUE(data.codeList.append(own)); // row 8
    const struct {
        const char* code;
        const char* name;
        const char* heading;
        const char* width;
        bool accepted;
    } cases[] = {
        {"20", "a", "b", "1", true},  {"99", "a", "b", "255", true},  {"100", "a", "b", "6", false},
        {"19", "a", "b", "6", false}, {"30", "a", "b", "6", false},   {"2x", "a", "b", "6", false},
        {"", "a", "b", "6", false},   {"40", "", "b", "6", false},    {"40", "a", "", "6", false},
        {"40", "a", "b", "0", false}, {"40", "a", "b", "256", false}, {"40", "a", "b", "-1", false},
    };
    for (const auto& c : cases) {
        AttendanceCodeRecord working = AttendanceCodeRecord::blank();
        TDM00002 d(working, data.codeList, 0);
        typeRecord(d, c.code, c.name, c.heading, c.width);
        EXPECT_EQ(child<QPushButton>(d, "btHotovo")->isEnabled(), c.accepted)
            << c.code << "/" << c.name << "/" << c.heading << "/" << c.width;
    }
    // Its own row's code is no duplicate; a system code cannot be renumbered.
    AttendanceCodeRecord working = own;
    TDM00002 self(working, data.codeList, 8);
    EXPECT_TRUE(child<QPushButton>(self, "btHotovo")->isEnabled());
    data.codeList.get(4, working);
    TDM00002 system(working, data.codeList, 4);
    EXPECT_FALSE(child<QLineEdit>(system, "edKod")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(system, "edKod")->text(), "4");
    EXPECT_TRUE(child<QRadioButton>(system, "rbVpravo")->isChecked());
    child<QLineEdit>(system, "edNadpis")->setText("Pauza");
    child<QPushButton>(system, "btHotovo")->click();
    EXPECT_EQ(system.result(), QDialog::Accepted);
    EXPECT_EQ(working.code, 4);
    EXPECT_EQ(working.column.heading.text(), "Pauza");
    EXPECT_EQ(working.column.alignment, 'P');
    EXPECT_EQ(minutesOf(working.maximum), 30);
}

TEST_F(CodeListWindow, ChoosingModePicksACodeRow) {
    open(true);
    EXPECT_EQ(window->windowTitle(), "Výběr možností");
    EXPECT_TRUE(child(*window, "rgVolba")->isHidden());
    EXPECT_TRUE(child(*window, "btVypsat")->isHidden());
    EXPECT_EQ(test::enabledButtons(*window, {"btZpet", "btVybrat"}), "btZpet");
    window->StringGrid1Click(9); // an empty row picks nothing
    EXPECT_EQ(test::enabledButtons(*window, {"btZpet", "btVybrat"}), "btZpet");
    window->StringGrid1Click(6);
    EXPECT_EQ(test::enabledButtons(*window, {"btZpet", "btVybrat"}), "btZpet btVybrat");
    EXPECT_EQ(data.workingCode.code, 10);
    child<QPushButton>(*window, "btVybrat")->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(data.codeList.count(), 7);
}

TEST_F(CodeListWindow, VypsatPrintsTheListIntoTheOutputWindow) {
    open();
    ui.expectDialog("TOUTTXT", [](QDialog&) {});
    child<QPushButton>(*window, "btVypsat")->click();
    const auto lines = workFileLines();
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "Tisk: 07.05.2024");
    EXPECT_EQ(lines[9], "004            přestávka NE   00:00 00:30 (Přest. [6/P])");
}

TEST_F(CodeListWindow, TheMenuItemChecksTheReportRowAndSavesTheList) {
    AttendanceCodeRecord own = AttendanceCodeRecord::blank();
    own.code = 25;
    own.name.setText("školení");
    own.column = makeColumn("Škol.", 5, 'L');
    ASSERT_TRUE(data.codeList.append(own));
    for (const char* item : {"Norma", "školení", "přestávka"}) {
        ASSERT_TRUE(appendReportItem(data.rowDefinition, data.codeList, item));
    }
    // Code 25 is deleted and code 4 gets a new heading in the window.
    ui.expectDialog("TDM00001", [](QDialog& d) {
        auto& w = dynamic_cast<TDM00001&>(d);
        child<QRadioButton>(w, "rbSmazat")->click();
        w.StringGrid1Click(8);
        child<QRadioButton>(w, "rbOpravit")->click();
        w.StringGrid1Click(4);
    });
    ui.expectDialog("TDM00002", [](QDialog& d) {
        child<QLineEdit>(d, "edNadpis")->setText("Pauza");
        child<QPushButton>(d, "btHotovo")->click();
    });
    ui.expectMessage("Z definice řádku bylo vypuštěno: \r\n25 - Škol.");
    ASSERT_TRUE(attendance::runCodeList(data, dir.path(), clock, nullptr));
    EXPECT_EQ(ui.shown().back().caption, "VYPUŠTĚNÍ POLOŽKY");
    EXPECT_EQ(ui.shown().back().icon, ui::MessageIcon::Warning);
    EXPECT_EQ(rowPreviewText(data.rowDefinition), "[ Norma][ Pauza]");

    AttendanceCodeList saved;
    ASSERT_TRUE(loadCodeList(dir / kCodeListFile, saved));
    EXPECT_EQ(saved, data.codeList);
    EXPECT_EQ(saved.find(25), 0);
    // The row definition is saved at the end of the program, not here.
    EXPECT_FALSE(std::filesystem::exists(dir / kRowDefinitionFile));
}

TEST_F(CodeListWindow, TheReportRowWindow) {
    ASSERT_TRUE(saveRowDefinition(dir / kRowDefinitionFile, data.rowDefinition));
    auto w = std::make_unique<TDM00003>(data, dir.path());
    auto* items = child<QListWidget>(*w, "lbPolozky");
    auto* columns = child<QListWidget>(*w, "lbSloupce");
    const auto state = [&] {
        return std::string(items->isEnabled() ? "lbPolozky " : "") +
               (columns->isEnabled() ? "lbSloupce " : "") +
               test::enabledButtons(*w, {"btVymazat", "btZpet", "btPouzit"});
    };
    ASSERT_EQ(items->count(), 13);
    EXPECT_EQ(items->item(0)->text(), "Norma");
    EXPECT_EQ(items->item(12)->text(), "nemoc");
    EXPECT_EQ(state(), "lbPolozky btZpet btPouzit");

    const auto clickItem = [](QListWidget* list, int row) {
        emit list->itemClicked(list->item(row));
    };
    clickItem(items, 1); // "Výkon"
    clickItem(items, 9); // "přestávka"
    clickItem(items, 1);
    EXPECT_EQ(columns->count(), 3);
    EXPECT_EQ(child<QLabel>(*w, "laNahled")->text(), "[ Výkon][Přest.][ Výkon]");
    EXPECT_EQ(state(), "lbPolozky lbSloupce btVymazat btZpet btPouzit");
    clickItem(columns, 0);
    EXPECT_EQ(child<QLabel>(*w, "laNahled")->text(), "[Přest.][ Výkon]");
    while (data.rowDefinition.count() < 25) {
        clickItem(items, 0);
    }
    EXPECT_EQ(state(), "lbSloupce btVymazat btZpet btPouzit");
    child<QPushButton>(*w, "btVymazat")->click();
    EXPECT_EQ(state(), "lbPolozky btZpet btPouzit");

    // "použít" saves, "zpět" reads the file back.
    clickItem(items, 2);
    child<QPushButton>(*w, "btPouzit")->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(test::readBytes(dir / kRowDefinitionFile).size(), 601u);
    w = std::make_unique<TDM00003>(data, dir.path());
    clickItem(child<QListWidget>(*w, "lbPolozky"), 3);
    EXPECT_EQ(data.rowDefinition.count(), 2);
    child<QPushButton>(*w, "btZpet")->click();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    ASSERT_EQ(data.rowDefinition.count(), 1);
    EXPECT_EQ(data.rowDefinition.at(1).itemCode, 103);
}

TEST_F(CodeListWindow, TheRoundingSteps) {
    data.rounding = {15, 30};
    {
        TDM00008 steps(data.rounding);
        EXPECT_EQ(child<QSpinBox>(steps, "seKrok1")->value(), 15);
        EXPECT_EQ(child<QSpinBox>(steps, "seKrok2")->maximum(), 59);
        EXPECT_EQ(child<QSpinBox>(steps, "seKrok2")->minimum(), 1);
        child<QSpinBox>(steps, "seKrok1")->setValue(5);
        child<QPushButton>(steps, "btZpet")->click();
    }
    EXPECT_EQ(data.rounding.firstArrivalStep, 15);
    TDM00008 steps(data.rounding);
    child<QSpinBox>(steps, "seKrok1")->setValue(5);
    child<QSpinBox>(steps, "seKrok2")->setValue(60); // kept within 1..59
    child<QPushButton>(steps, "btPouzit")->click();
    EXPECT_EQ(data.rounding.firstArrivalStep, 5);
    EXPECT_EQ(data.rounding.lastDepartureStep, 59);
}

} // namespace
} // namespace qtr
