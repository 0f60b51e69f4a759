#include "base/file_lock.h"
#include "db/data_files.h"
#include "events/event_transfer.h"
#include "events/event_window_fixture.h"
#include "events/forms/event_file_window.h"
#include "support/hex_dump.h"

#include <QCalendarWidget>
#include <QCheckBox>

namespace qtr {
namespace {

using test::click;
using test::navigationState;
using test::pageMinutes;
using ui::MessageAnswer;

struct FileWindowTest : test::EventWindowTestOf<TEVEMAN> {
    QString path(const char* name) { return QString::fromStdString((dir / name).string()); }
    // What collection stores behind the window's back.
    void collectBehindTheWindow(const EventRecord& e) {
        EventFileAppender appender;
        ASSERT_TRUE(appender.open(dir / kEventFile));
        ASSERT_TRUE(appender.append(e));
    }
    std::string buttons() {
        std::string out;
        for (const char* b : {"btCistSoubor", "btUlozitDo", "btSmazatVse", "btSmazatDoData",
                              "sbExport", "sbImport", "btPodleUdalosti", "cbHex"}) {
            out += window->findChild<QAbstractButton*>(b)->isEnabled() ? "1" : "0";
        }
        return out;
    }
    std::vector<std::uint8_t> tableBytes() {
        return {window->table().bytes().begin(), window->table().bytes().end()};
    }
};

TEST_F(FileWindowTest, OpensOnTheEventFileSortedWithTheTextExchangeInServiceModeOnly) {
    writeDay();
    open(false);
    EXPECT_EQ(window->windowTitle(), "Správa souboru událostí - QTR0005.DAT");
    EXPECT_EQ(navigationState(*window), "1/20 - - > >| - >>");
    EXPECT_EQ(pageMinutes(*window), "00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15");
    EXPECT_EQ(buttons(), "11110010");
    open(true);
    EXPECT_EQ(buttons(), "11111111");
    // Without the file the table is empty and the file can still be read or written.
    std::filesystem::remove(dir / kEventFile);
    open(true);
    EXPECT_EQ(navigationState(*window), "0/0 - - - - - -");
    EXPECT_EQ(buttons(), "11111111");
}

TEST_F(FileWindowTest, ReadsAnotherFileAndSavesTheTableWhereverChosen) {
    writeDay();
    std::filesystem::copy_file(dir / kEventFile, dir / "STARE.DAT");
    writeEventFile({test::dayEvent(3)});
    open();
    EXPECT_EQ(navigationState(*window), "1/1 - - - - - -");
    ui.expectOpenFile(path("STARE.DAT"));
    click(*window, "btCistSoubor");
    EXPECT_EQ(window->windowTitle().toStdString(),
              "Správa souboru událostí - " + (dir / "STARE.DAT").string());
    EXPECT_EQ(navigationState(*window), "1/20 - - > >| - >>");

    ui.expectSaveFile(path("KOPIE.DAT"));
    click(*window, "btUlozitDo");
    ASSERT_TRUE(ui.lastSaveRequest());
    EXPECT_EQ(ui.lastSaveRequest()->caption, "Určete soubor pro zápis");
    EXPECT_EQ(ui.lastSaveRequest()->filter, "datové soubory (*.DAT);;všechny soubory (*.*)");
    EXPECT_EQ(ui.lastSaveRequest()->overwrite, ui::OverwriteQuestion::Ask);
    EXPECT_BYTES(tableBytes(), test::readBytes(dir / "KOPIE.DAT"));

    // Over the event file: what collection stored meanwhile is not in the table, and it
    // is kept in the archive, with a word about it.
    collectBehindTheWindow(test::dayEvent(25));
    ui.expectSaveFile(path("QTR0005.DAT"));
    ui.expectMessage("Odstraněné události (1) jsou uschovány v souboru " +
                     path("UDALOSTI-2026-03-02.DAT") + ".");
    click(*window, "btUlozitDo");
    EXPECT_BYTES(tableBytes(), test::readBytes(dir / kEventFile));
    EXPECT_EQ(fileEvents().size(), 20u);
}

TEST_F(FileWindowTest, DeletingAllKeepsTheEventsInTheDatedArchive) {
    writeDay();
    const auto before = test::readBytes(dir / kEventFile);
    open();
    ui.expectOpenFile(path("JINY.DAT"));
    test::writeBytes(dir / "JINY.DAT", {});
    click(*window, "btCistSoubor");

    const QString question = "Smazat všechny události?\nSmazané události budou uschovány v "
                             "souboru " +
                             path("UDALOSTI-2026-03-02.DAT") + ".";
    ui.expectMessage(question, MessageAnswer::No);
    click(*window, "btSmazatVse");
    EXPECT_EQ(ui.shown().back().caption, "MAZÁNÍ UDÁLOSTÍ");
    EXPECT_EQ(ui.shown().back().text, question);
    EXPECT_BYTES(before, test::readBytes(dir / kEventFile));

    collectBehindTheWindow(test::dayEvent(30));
    ui.expectMessage(question, MessageAnswer::Yes);
    click(*window, "btSmazatVse");
    // Always the event file, whatever the table held, and the last event collected too.
    EXPECT_EQ(window->windowTitle(), "Správa souboru událostí - QTR0005.DAT");
    EXPECT_EQ(test::readBytes(dir / kEventFile).size(), 0u);
    auto archived = before;
    const auto last = test::readBytes(dir / "UDALOSTI-2026-03-02.DAT");
    EXPECT_EQ(last.size(), 21u * EventRecord::kSize);
    archived.insert(archived.end(), last.end() - EventRecord::kSize, last.end());
    EXPECT_BYTES(archived, last);
    EXPECT_EQ(navigationState(*window), "0/0 - - - - - -");
    EXPECT_EQ(pageMinutes(*window), ". . . . . . . . . . . . . . . .");
}

TEST_F(FileWindowTest, DeletingToADateLeavesTheLaterEventsInTableOrder) {
    std::vector<EventRecord> days;
    for (int d : {5, 1, 3, 2, 4, 3}) {
        EventRecord e = test::dayEvent(d);
        e.timestamp = test::at(2026, 3, d, 8, d, 0);
        days.push_back(e);
    }
    writeEventFile(days);
    open();
    EventRecord late = test::dayEvent(9);
    late.timestamp = test::at(2026, 3, 4, 6, 0, 0);
    collectBehindTheWindow(late);

    ui.expectDialog("TSELDAT", [](QDialog& d) {
        auto* calendar = d.findChild<QCalendarWidget*>("Calendar1");
        EXPECT_EQ(calendar->selectedDate(), QDate(2026, 3, 2));
        calendar->setSelectedDate(QDate(2026, 3, 3));
        d.findChild<QPushButton*>("btHotovo")->click();
    });
    ui.expectMessage("Smazat události do 03.03.2026?\nSmazané události budou uschovány v souboru " +
                         path("UDALOSTI-2026-03-02.DAT") + ".",
                     MessageAnswer::Yes);
    click(*window, "btSmazatDoData");
    std::vector<std::string> left;
    for (const auto& e : fileEvents()) {
        left.push_back(formatDateTime("dd hh:nn", e.timestamp));
    }
    EXPECT_EQ(left, (std::vector<std::string>{"03 08:03", "03 08:03", "04 06:00", "04 08:04",
                                              "05 08:05"}));
    EXPECT_EQ(test::readBytes(dir / "UDALOSTI-2026-03-02.DAT").size(), 2u * EventRecord::kSize);
    EXPECT_EQ(navigationState(*window), "1/5 - - - - - -");
    EXPECT_EQ(test::cell(*window, 2, 0), "04.03.2026");

    // "přerušit" in the date dialog changes nothing.
    ui.expectDialog("TSELDAT",
                    [](QDialog& d) { d.findChild<QPushButton*>("btPrerusit")->click(); });
    click(*window, "btSmazatDoData");
    EXPECT_EQ(fileEvents().size(), 5u);
}

TEST_F(FileWindowTest, NothingChangesWhileACollectionHoldsTheEventFile) {
    writeDay();
    const auto before = test::readBytes(dir / kEventFile);
    open();
    FileLock collection;
    ASSERT_TRUE(collection.tryLock(lockFileFor(dir / kEventFile), "Soubor událostí QTR0005.DAT"));
    ui.expectMessage("Smazat všechny události?", MessageAnswer::Yes);
    ui.expectMessage("Soubor událostí QTR0005.DAT právě používá jiný program (");
    click(*window, "btSmazatVse");
    EXPECT_EQ(ui.shown().back().icon, ui::MessageIcon::Error);
    EXPECT_BYTES(before, test::readBytes(dir / kEventFile));
    EXPECT_EQ(navigationState(*window), "1/20 - - > >| - >>");
}

TEST_F(FileWindowTest, ExportAndImportTheTextForm) {
    writeDay();
    open(true);
    ui.expectSaveFile(path("UDALOSTI.SDF"));
    click(*window, "sbExport");
    EXPECT_EQ(ui.lastSaveRequest()->proposed, path("UDALOSTI.SDF"));
    EXPECT_EQ(ui.lastSaveRequest()->filter, "exportní soubory (*.SDF);;všechny soubory (*.*)");
    const std::string text = test::readText(dir / "UDALOSTI.SDF");
    EXPECT_EQ(text.substr(0, 42), "02.03.202607:00:000101000000001001000000\r\n");
    EXPECT_EQ(text.size(), 20u * 42u);
    const auto sorted = tableBytes();

    ui.expectOpenFile(path("UDALOSTI.SDF"));
    ui.expectMessage("Smazat původní záznamy?", MessageAnswer::Yes);
    click(*window, "sbImport");
    EXPECT_BYTES(sorted, tableBytes());
    ui.expectOpenFile(path("UDALOSTI.SDF"));
    ui.expectMessage("Smazat původní záznamy?", MessageAnswer::No);
    click(*window, "sbImport");
    EXPECT_EQ(navigationState(*window), "1/40 - - > >| - >>");
    EXPECT_EQ(pageMinutes(*window), "00 00 01 01 02 02 03 03 04 04 05 05 06 06 07 07");

    // The 31st of February stops the import; what came before stays, sorted.
    const std::string bad = text.substr(42, 42) + text.substr(0, 42) +
                            "31.02.202607:00:000101000000001001000000\r\n" + text.substr(84, 42);
    test::writeBytes(dir / "VADNY.SDF", std::vector<std::uint8_t>(bad.begin(), bad.end()));
    ui.expectOpenFile(path("VADNY.SDF"));
    ui.expectMessage("Smazat původní záznamy?", MessageAnswer::Yes);
    ui.expectMessage("Řádek 3: „31.02.2026 07:00:00“ není platné datum a čas. Import skončil na "
                     "tomto řádku; z řádků před ním bylo přidáno událostí: 2.");
    click(*window, "sbImport");
    EXPECT_EQ(navigationState(*window), "1/2 - - - - - -");
    EXPECT_EQ(pageMinutes(*window), "00 01 . . . . . . . . . . . . . .");
    // The event file itself is not touched by an import.
    EXPECT_EQ(fileEvents().size(), 20u);
}

TEST_F(FileWindowTest, KeysFromEventsAddOneHolderPerUnknownKeyAndSaveTheRegister) {
    writeDay();
    open();
    ui.expectMessage("Skutečně doplnit databázi?", MessageAnswer::No);
    click(*window, "btPodleUdalosti");
    EXPECT_EQ(ui.shown().back().caption, "KLÍČE PODLE UDÁLOSTÍ");
    EXPECT_EQ(db.keyHolders.count(), 2);

    ui.expectMessage("Skutečně doplnit databázi?", MessageAnswer::Yes);
    ui.expectMessage("Přidáno nositelů klíčů: 1.");
    click(*window, "btPodleUdalosti");
    ASSERT_EQ(db.keyHolders.count(), 3);
    EXPECT_EQ(db.keyHolders.at(3).holderName.text(), "#0100000000AA01");
    KeyHolderTable saved;
    ASSERT_TRUE(saved.load(dir / kKeyHoldersFile));
    EXPECT_EQ(saved.count(), 3);
}

} // namespace
} // namespace qtr
