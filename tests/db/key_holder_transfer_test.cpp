#include "base/win1250.h"
#include "db/key_holder_transfer.h"
#include "db/tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace qtr {
namespace {

KeyHolderRecord holder(std::string_view key, std::string_view name, std::string_view group = "",
                       std::string_view permission = "") {
    KeyHolderRecord h = KeyHolderRecord::newRecord();
    h.keyNumber = KeyNumber::parse(key);
    h.holderName.setText(name);
    h.groupName.setText(group);
    h.permissionGroupName.setText(permission);
    return h;
}

void add(KeyHolderTable& t, const KeyHolderRecord& h) {
    t.current() = h;
    ASSERT_TRUE(t.append());
}

// A line of the exchange file built column by column, in Windows-1250.
std::string line(std::string_view key, std::string_view name, char mark = '#') {
    std::string l(14 - key.size(), '0');
    l += key;
    l += utf8ToWin1250(name);
    l.resize(14 + 30, ' ');
    l.resize(95, ' ');
    l += ' ';
    l.resize(130, ' ');
    l += mark;
    return l;
}

TEST(KeyHolderTransferLine, EveryColumnAtItsPlace) {
    KeyHolderRecord h = holder("0102030405060A", "Jiří Čermák", "Údržba", "Vše");
    h.rosterName.setText("Ranní");
    h.kindCode = 'Z';
    h.extraText1.setText("první");
    h.extraText2.setText("12345678901234567");

    const std::string l = keyHolderTransferLine(h);
    ASSERT_EQ(l.size(), 131u);
    EXPECT_EQ(l, std::string("0102030405060A") + utf8ToWin1250("Jiří Čermák") +
                     std::string(19, ' ') + utf8ToWin1250("Údržba") + std::string(11, ' ') +
                     utf8ToWin1250("Vše") + std::string(14, ' ') + utf8ToWin1250("Ranní") +
                     std::string(12, ' ') + "Z" + utf8ToWin1250("první") + std::string(12, ' ') +
                     "12345678901234567#");
    // Windows-1250: one byte per character.
    EXPECT_EQ(static_cast<unsigned char>(l[14 + 2]), 0xF8); // ř
    EXPECT_EQ(static_cast<unsigned char>(l[14 + 5]), 0xC8); // Č
}

TEST(KeyHolderTransferLine, FullWidthFieldsFillTheirColumns) {
    KeyHolderRecord h =
        holder("FFFFFFFFFFFFFF", std::string(30, 'N'), std::string(17, 'G'), std::string(17, 'P'));
    const std::string l = keyHolderTransferLine(h);
    ASSERT_EQ(l.size(), 131u);
    EXPECT_EQ(l.substr(14, 30), std::string(30, 'N'));
    EXPECT_EQ(l.substr(44, 17), std::string(17, 'G'));
    EXPECT_EQ(l.substr(61, 17), std::string(17, 'P'));
    EXPECT_EQ(l[130], '#');
}

TEST(KeyHolderTransferLine, OnlyLinesOf131CharactersEndingInHashAreRead) {
    const std::string good = line("0000000000002A", "Eva");
    ASSERT_EQ(good.size(), 131u);
    const auto h = parseKeyHolderTransferLine(good);
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->keyNumber.text(), "0000000000002A");
    EXPECT_EQ(h->holderName.text(), "Eva"); // trailing blanks removed
    EXPECT_EQ(h->holderName.length(), 3u);
    EXPECT_EQ(h->kindCode, ' ');

    EXPECT_FALSE(parseKeyHolderTransferLine(good.substr(0, 130)));
    EXPECT_FALSE(parseKeyHolderTransferLine(good + " "));
    EXPECT_FALSE(parseKeyHolderTransferLine(good.substr(0, 130) + "*"));
    EXPECT_FALSE(parseKeyHolderTransferLine(""));
}

TEST(KeyHolderTransferLine, FieldsTheLineDoesNotCarryAreThoseOfANewRecord) {
    const auto h = parseKeyHolderTransferLine(line("01", "X"));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->keyNumber.text(), "00000000000001");
    EXPECT_EQ(h->holderName.text(), "X");
    EXPECT_TRUE(h->groupName.empty());
    EXPECT_TRUE(h->permissionGroupName.empty());
    EXPECT_EQ(h->reserved, (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(h->lastState, 0);
    EXPECT_EQ(h->lastEvent, (std::array<std::uint8_t, 19>{}));
    EXPECT_EQ(h->holderFlag, 0);
    EXPECT_EQ(h->kindCode, ' ');
}

// Reads the text as a file and imports it into `t`; an unusable text changes nothing.
FileResult importText(KeyHolderTable& t, const std::string& text, bool replace,
                      KeyHolderImport* outcome = nullptr) {
    KeyHolderTransferFile f;
    FileResult r = parseKeyHolderTransferText(text, f);
    if (r) {
        const KeyHolderImport i = importKeyHolders(t, f, replace);
        if (outcome != nullptr) {
            *outcome = i;
        }
    }
    return r;
}

TEST(KeyHolderTransfer, ExportThenImportWithReplaceReproducesEveryField) {
    test::TempDir dir;
    KeyHolderTable t;
    KeyHolderRecord a = holder("0102030405060A", "Žofie Řezníčková", "Účtárna", "Ředitelství");
    a.rosterName.setText("Noční směna");
    a.kindCode = 'K';
    a.extraText1.setText("linka 235");
    a.extraText2.setText("poznámka ěščřžýáí");
    add(t, a);
    add(t, holder("00000000000000", "Bez klíče"));
    add(t, holder("ABCDEF01234567", "  mezera na začátku", "  G"));

    ASSERT_TRUE(exportKeyHolders(t, dir / "klice.sdf"));
    const std::string bytes = test::readText(dir / "klice.sdf");
    ASSERT_EQ(bytes.size(), 3u * 133u);
    EXPECT_EQ(bytes.substr(131, 2), "\r\n");
    EXPECT_EQ(bytes.substr(0, 14), "0102030405060A");

    KeyHolderTable back;
    add(back, holder("11", "zmizí"));
    KeyHolderTransferFile f;
    ASSERT_TRUE(readKeyHolderTransferFile(dir / "klice.sdf", f));
    const KeyHolderImport r = importKeyHolders(back, f, true);
    EXPECT_EQ(keyHolderImportReport(r), "Načteno 3 záznamů, přeskočeno 0 řádků");
    ASSERT_EQ(back.count(), 3);
    for (int i = 1; i <= 3; ++i) {
        const KeyHolderRecord& x = t.at(i);
        const KeyHolderRecord& y = back.at(i);
        EXPECT_EQ(y.keyNumber, x.keyNumber);
        EXPECT_EQ(y.holderName.text(), x.holderName.text());
        EXPECT_EQ(y.groupName.text(), x.groupName.text());
        EXPECT_EQ(y.permissionGroupName.text(), x.permissionGroupName.text());
        EXPECT_EQ(y.rosterName.text(), x.rosterName.text());
        EXPECT_EQ(y.kindCode, x.kindCode);
        EXPECT_EQ(y.extraText1.text(), x.extraText1.text());
        EXPECT_EQ(y.extraText2.text(), x.extraText2.text());
    }
    // Leading blanks are data; only trailing ones are padding.
    EXPECT_EQ(back.at(3).holderName.text(), "  mezera na začátku");
}

TEST(KeyHolderTransfer, ImportSkipsLinesOfAnotherForm) {
    KeyHolderTable t;
    add(t, holder("01", "Původní"));
    std::string text;
    text += line("02", "Dobrý") + "\r\n";
    text += line("03", "Krátký").substr(0, 130) + "\r\n";
    text += line("04", "Dlouhý") + "#\r\n";
    text += line("05", "Bez mřížky", '*') + "\r\n";
    text += "\r\n";
    text += line("06", "Poslední bez konce řádku");
    KeyHolderImport r;
    ASSERT_TRUE(importText(t, text, false, &r));
    EXPECT_EQ(keyHolderImportReport(r), "Načteno 2 záznamů, přeskočeno 4 řádků");
    ASSERT_EQ(t.count(), 3);
    EXPECT_EQ(t.at(1).holderName.text(), "Původní");
    EXPECT_EQ(t.at(2).holderName.text(), "Dobrý");
    EXPECT_EQ(t.at(3).holderName.text(), "Poslední bez konce řádku");
}

TEST(KeyHolderTransfer, ImportStopsAtTheCapacityOf1000) {
    KeyHolderTable t;
    for (int i = 0; i < 995; ++i) {
        add(t, holder("01", "n" + std::to_string(i)));
    }
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += line("02", "i" + std::to_string(i)) + "\r\n";
    }
    KeyHolderImport r;
    ASSERT_TRUE(importText(t, text, false, &r));
    EXPECT_EQ(t.count(), 1000);
    EXPECT_EQ(keyHolderImportReport(r), "Načteno 5 záznamů, přeskočeno 5 řádků");
    EXPECT_EQ(t.at(1000).holderName.text(), "i4");
    // Duplicate keys are not checked by the import.
    EXPECT_EQ(t.at(996).keyNumber, t.at(997).keyNumber);
}

// A file that cannot be used as a whole changes nothing, not even with replace: a bad
// key anywhere, no usable line at all (the export saved again as UTF-8), nothing in it.
TEST(KeyHolderTransfer, AnUnusableFileChangesNothingEvenWithReplace) {
    std::string utf8;
    for (const char* name : {"Žofie Řezníčková", "Čeněk Šťastný"}) {
        // 131 characters, but more bytes: what an editor saving as UTF-8 makes of a line.
        std::string l = "0102030405060A" + std::string(name);
        l.append(116 - utf8Length(name), ' ');
        utf8 += l + "#\r\n";
    }
    const struct {
        const char* what;
        std::string text;
        const char* error;
    } cases[] = {
        {"bad key in line 3",
         line("0A", "první") + "\r\n" + line("0B", "druhý") + "\r\n" +
             line("00000000000G0C", "špatný") + "\r\n" + line("0D", "za chybou") + "\r\n",
         "řádek 3: v prvních 14 znacích není číslo klíče (14 šestnáctkových číslic). Nic nebylo "
         "načteno."},
        {"blanks in the key", line("1234567890 4", "mezery v klíči"), "řádek 1:"},
        {"saved as UTF-8", utf8,
         "není v něm žádný řádek exportního souboru (131 znaků v kódování Windows-1250, na konci "
         "#); přeskočeno řádků: 2. Nic nebylo načteno."},
        {"empty", "", "přeskočeno řádků: 0. Nic nebylo načteno."},
    };
    for (const auto& c : cases) {
        KeyHolderTable t;
        add(t, holder("01", "zůstane"));
        const FileResult r = importText(t, c.text, true);
        ASSERT_FALSE(r) << c.what;
        EXPECT_NE(r.error().find(c.error), std::string::npos) << c.what << ": " << r.error();
        ASSERT_EQ(t.count(), 1) << c.what;
        EXPECT_EQ(t.at(1).holderName.text(), "zůstane") << c.what;
    }
}

TEST(KeyHolderTransfer, FileErrorsNameTheFileAndTheRegisterIsKeptBeforeAReplace) {
    test::TempDir dir;
    KeyHolderTransferFile f;
    const FileResult missing = readKeyHolderTransferFile(dir / "neni.sdf", f);
    EXPECT_FALSE(missing);
    test::writeBytes(dir / "prazdny.sdf", {});
    const FileResult empty = readKeyHolderTransferFile(dir / "prazdny.sdf", f);
    EXPECT_EQ(empty.error().rfind("Soubor " + (dir / "prazdny.sdf").string() + ": není v něm", 0),
              0u)
        << empty.error();

    // No register file yet: nothing to keep. Then a copy beside it, byte for byte.
    EXPECT_TRUE(keepRegisterBeforeReplace(dir / "QTR0002.DAT"));
    EXPECT_FALSE(std::filesystem::exists(dir / "QTR0002.DAT.bak"));
    test::writeBytes(dir / "QTR0002.DAT", {1, 2, 3});
    EXPECT_TRUE(keepRegisterBeforeReplace(dir / "QTR0002.DAT"));
    EXPECT_EQ(test::readBytes(dir / "QTR0002.DAT.bak"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(KeyHolderTransfer, AnEmptyTableExportsAnEmptyFile) {
    test::TempDir dir;
    KeyHolderTable t;
    ASSERT_TRUE(exportKeyHolders(t, dir / "prazdny.sdf"));
    EXPECT_TRUE(test::readText(dir / "prazdny.sdf").empty());
}

} // namespace
} // namespace qtr
