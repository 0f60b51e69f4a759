#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "unitproc/fake_bus.h"
#include "unitproc/forms/converter_test_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::FakeBus;

const KeyNumber kPen = KeyNumber::parse("0102030405060A");
const ControlUnitTable kNoUnits;

TEST(ConverterTest, StartsAtTheReaderAddressAndListsKeysOrErrors) {
    test::TempDir dir;
    FakeBus bus;
    bus.current.readerAddress = 0x00;
    bus.answers[0x00] = FakeBus::keyAnswer(0x00, kPen);
    TTESTK w(bus, kNoUnits, dir.path());
    EXPECT_EQ(w.windowTitle(), "Test konvertoru");
    EXPECT_EQ(w.findChild<QLabel*>("laKom")->text(), "COM2/0/9600");
    EXPECT_EQ(w.findChild<QLabel*>("laAdresa")->text(), "00");

    w.Timer1Timer();
    ASSERT_EQ(w.list()->count(), 1);
    EXPECT_EQ(w.list()->item(0)->text(), "0102030405060A");
    EXPECT_EQ(bus.requests.back(), (std::vector<std::uint8_t>{0x00, 0x03, 0x8E, 0x91}));

    // An empty item is a good answer: seven zero bytes.
    bus.answers[0x00] = FakeBus::keyAnswer(0x00, KeyNumber{});
    w.Timer1Timer();
    EXPECT_EQ(w.list()->item(1)->text(), "00000000000000");

    w.findChild<QSpinBox*>("udAdresa")->setValue(0x11); // nobody there
    w.Timer1Timer();
    EXPECT_EQ(w.list()->item(2)->text(), QString::fromStdString(bus.errorText));
    EXPECT_FALSE(bus.errorText.empty());
    EXPECT_EQ(w.list()->currentRow(), 2);
}

TEST(ConverterTest, TheListNeverGrowsBeyondOneHundredAndOneLines) {
    test::TempDir dir;
    FakeBus bus;
    bus.answers[0x00] = FakeBus::keyAnswer(0x00, kPen);
    TTESTK w(bus, kNoUnits, dir.path());
    int most = 0;
    for (int i = 0; i < 250; ++i) {
        w.Timer1Timer();
        most = std::max(most, w.list()->count());
    }
    EXPECT_EQ(most, 101);
    // Ticks 102 and 203 found 101 lines and cleared them first: 250 - 202 lines remain.
    EXPECT_EQ(w.list()->count(), 48);
}

TEST(ConverterTest, StartStopAndTheHelpPanel) {
    test::TempDir dir;
    FakeBus bus;
    TTESTK w(bus, kNoUnits, dir.path());
    w.btStartClick();
    EXPECT_TRUE(w.running());
    w.btStopClick();
    EXPECT_FALSE(w.running());
    EXPECT_TRUE(bus.aborted);

    w.btStartClick();
    auto* panel = w.findChild<QWidget*>("pnHelp");
    EXPECT_TRUE(panel->isHidden());
    w.btHelpClick();
    EXPECT_FALSE(panel->isHidden());
    EXPECT_FALSE(w.running());
    const QString help = w.findChild<QLabel*>("laHelp")->text();
    EXPECT_EQ(QString(help).replace(u'\n', QStringLiteral(" ")).simplified(),
              QString::fromUtf8(kConverterTestHelpText).simplified());
    EXPECT_TRUE(help.startsWith("Po propojení konvertoru s PC,\npřipojení čtecího pera"));
    // "Smazat seznam" clears the list and hides the panel.
    w.Timer1Timer();
    w.btSmazatClick();
    EXPECT_EQ(w.list()->count(), 0);
    EXPECT_TRUE(panel->isHidden());
}

TEST(ConverterTest, AClickOnTheListSavesItAsCtenoTxt) {
    test::TempDir dir;
    FakeBus bus;
    bus.answers[0x00] = FakeBus::keyAnswer(0x00, kPen);
    TTESTK w(bus, kNoUnits, dir.path());
    w.show();
    w.Timer1Timer();
    w.Timer1Timer();
    QTest::mouseClick(w.list()->viewport(), Qt::LeftButton);
    EXPECT_EQ(test::readText(dir / "CTENO.TXT"), "0102030405060A\r\n0102030405060A\r\n");
}

} // namespace
} // namespace qtr
