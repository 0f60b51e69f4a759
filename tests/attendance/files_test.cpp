// The attendance files at start and end, damaged files, *.SAV copies and the card register.

#include "attendance/attendance_data.h"
#include "attendance/attendance_files.h"
#include "attendance/card_register.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <vector>

namespace qtr {
namespace {

using test::readBytes;
using test::writeBytes;

template <typename R> std::vector<std::uint8_t> encode(const R& r) {
    std::vector<std::uint8_t> b(R::kSize);
    r.toBytes(b);
    return b;
}

AttendanceCard cardOf(const char* key, int lines, double firstStart = 45413.25) {
    AttendanceCard card;
    card.keyNumber = KeyNumber::parse(key);
    card.dateFrom = 45413;
    card.dateTo = 45443;
    for (int i = 0; i < lines; ++i) {
        CardLine l;
        l.start = firstStart + i;
        EXPECT_TRUE(card.appendLine(l));
    }
    return card;
}

class AttendanceFiles : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(AttendanceFiles, AFreshDirectoryGetsTheDefaultsAndTheEmptyRowDefinitionAtOnce) {
    AttendanceData data;
    data.rounding = {15, 30};
    data.card.fillMissing = 1;
    EXPECT_TRUE(loadAttendanceData(data, dir.path()).empty());
    EXPECT_EQ(data.codeList, AttendanceCodeList::defaults());
    EXPECT_EQ(data.rowDefinition.count(), 0);
    EXPECT_EQ(readBytes(dir / kRowDefinitionFile), std::vector<std::uint8_t>(601, 0));
    EXPECT_FALSE(std::filesystem::exists(dir / kCodeListFile));
    EXPECT_FALSE(std::filesystem::exists(dir / kWorkingCardFile));
    AttendanceCard morning;
    morning.usualStart = encodeTime(6, 0, 0);
    morning.usualEnd = encodeTime(14, 0, 0);
    EXPECT_EQ(data.card, morning);
    EXPECT_EQ(data.rounding.firstArrivalStep, 1);
    EXPECT_EQ(data.rounding.lastDepartureStep, 1);

    // At the end the three files are written; a second start reads them back as they were.
    data.card = cardOf("0A", 2);
    AttendanceCodeRecord r = AttendanceCodeRecord::blank();
    r.code = 20;
    ASSERT_TRUE(data.codeList.append(r));
    ASSERT_TRUE(data.rowDefinition.append({101, *fixedItemColumn(101)}));
    EXPECT_TRUE(saveAttendanceData(data, dir.path()).empty());
    EXPECT_EQ(readBytes(dir / kCodeListFile), encode(data.codeList));
    EXPECT_EQ(readBytes(dir / kRowDefinitionFile), encode(data.rowDefinition));
    EXPECT_EQ(readBytes(dir / kWorkingCardFile), encode(data.card));
    AttendanceData again;
    EXPECT_TRUE(loadAttendanceData(again, dir.path()).empty());
    EXPECT_EQ(again.codeList, data.codeList);
    EXPECT_EQ(again.rowDefinition, data.rowDefinition);
    EXPECT_EQ(again.card, data.card);
}

TEST_F(AttendanceFiles, AStoredCodeListIsSortedOnLoad) {
    AttendanceCodeList list;
    for (int code : {11, 1, 20}) {
        AttendanceCodeRecord r = AttendanceCodeRecord::blank();
        r.code = static_cast<std::uint8_t>(code);
        ASSERT_TRUE(list.append(r));
    }
    writeBytes(dir / kCodeListFile, encode(list));
    AttendanceCodeList loaded;
    ASSERT_TRUE(loadCodeList(dir / kCodeListFile, loaded));
    EXPECT_EQ(loaded.at(1).code, 1);
    EXPECT_EQ(loaded.at(2).code, 11);
    EXPECT_EQ(loaded.at(3).code, 20);
}

// Every damaged file: the reason by name, a copy kept before anything can overwrite it,
// and what the program goes on with.
TEST_F(AttendanceFiles, DamagedFilesAreReportedKeptAndReplacedByWhatTheyStillHold) {
    struct Case {
        const char* file;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    };
    std::vector<std::uint8_t> longCodes(1551, 0);
    longCodes[0] = 26;
    std::vector<std::uint8_t> longCard(15343, 0);
    longCard[24] = 0x2D; // 301 lines
    longCard[25] = 0x01;
    const Case cases[] = {
        {kCodeListFile, std::vector<std::uint8_t>(1000, 1),
         "Soubor DRUHPRAC.DAT je poškozen: jeho velikost 1000 B není celistvým násobkem "
         "velikosti záznamu 1551 B. Načteno záznamů: 0. Původní soubor je uschován jako "
         "DRUHPRAC.DAT.bak."},
        {kCodeListFile, longCodes,
         "Soubor DRUHPRAC.DAT je poškozen: udává více položek, než záznam pojme. Původní "
         "soubor je uschován jako DRUHPRAC.DAT.bak."},
        {kRowDefinitionFile, std::vector<std::uint8_t>(602, 0),
         "Soubor DEFRADVY.DAT je poškozen: jeho velikost 602 B není celistvým násobkem "
         "velikosti záznamu 601 B. Načteno záznamů: 1. Původní soubor je uschován jako "
         "DEFRADVY.DAT.bak."},
        {kWorkingCardFile, std::vector<std::uint8_t>(15343 * 2, 0),
         "Soubor KARTA.DAT obsahuje 2 záznamů, tabulka jich pojme nejvýše 1. Načteno "
         "záznamů: 1. Původní soubor je uschován jako KARTA.DAT.bak."},
        {kWorkingCardFile, longCard,
         "Soubor KARTA.DAT je poškozen: udává více položek, než záznam pojme. Původní "
         "soubor je uschován jako KARTA.DAT.bak."},
    };
    for (const Case& c : cases) {
        test::TempDir d;
        writeBytes(d / c.file, c.bytes);
        AttendanceData data;
        const auto errors = loadAttendanceData(data, d.path());
        ASSERT_EQ(errors.size(), 1u) << c.file;
        EXPECT_EQ(errors[0], c.reason);
        std::string bak = c.file;
        bak += ".bak";
        EXPECT_EQ(readBytes(d / bak), c.bytes) << c.file;
        EXPECT_EQ(data.codeList.count(),
                  std::string(c.file) == kCodeListFile && c.bytes.size() == 1551 ? 25 : 7);
        EXPECT_LE(data.card.lineCount(), 300);
        EXPECT_TRUE(saveAttendanceData(data, d.path()).empty());
        EXPECT_EQ(readBytes(d / bak), c.bytes) << "the copy survives the save";
    }
}

TEST_F(AttendanceFiles, ASavCopyIsByteIdenticalToKartaDat) {
    AttendanceData data;
    ASSERT_TRUE(loadAttendanceData(data, dir.path()).empty());
    data.card = cardOf("0100000012345A", 3);
    data.card.line(2).note.setWin1250(std::string("\x05"
                                                  "abcdefghij",
                                                  11)); // odd bytes
    ASSERT_TRUE(writeCardFile(dir / "KARTA.SAV", data.card));
    ASSERT_TRUE(saveAttendanceData(data, dir.path()).empty());
    EXPECT_EQ(readBytes(dir / "KARTA.SAV"), readBytes(dir / kWorkingCardFile));
    AttendanceCard read;
    ASSERT_TRUE(readCardFile(dir / "KARTA.SAV", read));
    EXPECT_EQ(read, data.card);
    EXPECT_FALSE(readCardFile(dir / "CHYBI.SAV", read));
    EXPECT_EQ(read, data.card);
}

TEST_F(AttendanceFiles, RegisterFindsTheFirstRecordAndUpdatesWhatItFound) {
    CardRegister reg;
    ASSERT_TRUE(reg.open(dir / kCardRegisterFile));
    EXPECT_EQ(readBytes(dir / kCardRegisterFile).size(), 0u); // created empty
    EXPECT_FALSE(reg.update(cardOf("0A", 1))) << "no find before it";
    const AttendanceCard a1 = cardOf("0A", 1);
    const AttendanceCard b = cardOf("0B", 2);
    const AttendanceCard a2 = cardOf("0A", 3);
    ASSERT_TRUE(reg.append(a1));
    ASSERT_TRUE(reg.append(b));
    ASSERT_TRUE(reg.append(a2));
    ASSERT_TRUE(reg.find(KeyNumber::parse("0A")));
    EXPECT_EQ(reg.found(), a1); // of two records of one key the first
    EXPECT_FALSE(reg.find(KeyNumber::parse("0C")));
    EXPECT_TRUE(reg.fileError().empty());

    ASSERT_TRUE(reg.find(KeyNumber::parse("0B")));
    const AttendanceCard b2 = cardOf("0B", 5);
    ASSERT_TRUE(reg.update(b2));
    std::vector<std::uint8_t> expected;
    for (const auto* c : {&a1, &b2, &a2}) {
        const auto bytes = encode(*c);
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    EXPECT_BYTES(expected, readBytes(dir / kCardRegisterFile));

    // save: update when the key is there, append otherwise, nothing without a key.
    ASSERT_TRUE(reg.save(cardOf("0A", 7)));
    ASSERT_TRUE(reg.save(cardOf("0C", 1)));
    ASSERT_TRUE(reg.save(AttendanceCard{}));
    std::vector<AttendanceCard> all;
    ASSERT_TRUE(reg.readAll(all));
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], cardOf("0A", 7));
    EXPECT_EQ(all[2], a2);
    EXPECT_EQ(all[3], cardOf("0C", 1));
}

TEST_F(AttendanceFiles, RegisterKeepsWhatAnotherProgramSavedMeanwhile) {
    CardRegister window;
    CardRegister cron;
    ASSERT_TRUE(window.open(dir / kCardRegisterFile));
    ASSERT_TRUE(cron.open(dir / kCardRegisterFile));
    ASSERT_TRUE(window.append(cardOf("0A", 1)));
    ASSERT_TRUE(window.find(KeyNumber::parse("0A")));
    ASSERT_TRUE(cron.save(cardOf("0B", 2))); // appended by the other program
    ASSERT_TRUE(window.update(cardOf("0A", 4)));
    std::vector<AttendanceCard> all;
    ASSERT_TRUE(window.readAll(all));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], cardOf("0A", 4));
    EXPECT_EQ(all[1], cardOf("0B", 2));
}

TEST_F(AttendanceFiles, ADamagedRegisterKeepsItsCopyBeforeTheFirstWrite) {
    auto bytes = encode(cardOf("0A", 1));
    bytes.resize(bytes.size() + 100, 0x77); // a torn second record
    writeBytes(dir / kCardRegisterFile, bytes);
    CardRegister reg;
    const FileResult opened = reg.open(dir / kCardRegisterFile);
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.error(), "Soubor KARTY.DAT je poškozen: jeho velikost 15443 B není "
                              "celistvým násobkem velikosti záznamu 15343 B. Načteno "
                              "záznamů: 1. Původní soubor je uschován jako KARTY.DAT.bak.");
    ASSERT_TRUE(reg.isOpen());
    ASSERT_TRUE(reg.find(KeyNumber::parse("0A")));
    ASSERT_TRUE(reg.save(cardOf("0B", 1)));
    EXPECT_EQ(readBytes(dir / "KARTY.DAT.bak"), bytes);
    EXPECT_EQ(readBytes(dir / kCardRegisterFile).size(), 2u * 15343);

    CardRegister closed;
    EXPECT_FALSE(closed.open(dir / "missing-dir" / kCardRegisterFile));
    EXPECT_FALSE(closed.isOpen());
    EXPECT_FALSE(closed.find(KeyNumber::parse("0A")));
    EXPECT_FALSE(closed.fileError().empty());
}

} // namespace
} // namespace qtr
