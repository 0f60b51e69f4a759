#include "access/forms/entry_properties_dialog.h"
#include "access/forms/schedule_graph_view.h"
#include "access/forms/segment_dialog.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace qtr::access {
namespace {

TimeSegment seg(int fh, int fm, int th, int tm, std::uint8_t days) {
    return {makeHourMinute(fh, fm), makeHourMinute(th, tm), days};
}

struct SegmentWindow {
    explicit SegmentWindow(const TimeSegment& s) : dialog(s) {}
    TSLR dialog;
    QSpinBox* spin(const char* name) { return dialog.findChild<QSpinBox*>(name); }
    QString text(const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }
    // "Od-Do" as the two text fields show them.
    QString shown() { return text("edOd") + "-" + text("edDo"); }
};

TEST(TSLR, DoCannotBeSetBeforeOd) {
    struct Case {
        TimeSegment start;
        const char* spin;
        int value;
        const char* shown;
    };
    const Case cases[] = {
        {seg(22, 0, 23, 0, 0x7F), "udDoHodina", 6, "22:00-22:00"}, // 22:00-06:00 cannot be had
        {seg(22, 30, 22, 45, 0x7F), "udDoMinuta", 10, "22:30-22:30"},
        {seg(10, 30, 12, 0, 0x7F), "udOdHodina", 12, "12:30-12:30"}, // Do is pushed along
        {seg(10, 30, 12, 0, 0x7F), "udOdHodina", 13, "13:30-13:30"},
        {seg(12, 0, 12, 10, 0x7F), "udOdMinuta", 40, "12:40-12:40"},
        {seg(12, 40, 13, 10, 0x7F), "udDoHodina", 12, "12:40-12:40"},
        {seg(7, 0, 15, 30, 0x7C), "udDoMinuta", 59, "07:00-15:59"},
        {seg(18, 0, 6, 0, 0x7F), "udOdMinuta", 0, "18:00-18:00"}, // a foreign window is mended
    };
    for (const Case& c : cases) {
        SegmentWindow w(c.start);
        w.spin(c.spin)->setValue(c.value);
        EXPECT_EQ(w.shown(), c.shown) << c.spin << " " << c.value;
        const TimeSegment& s = w.dialog.segment();
        EXPECT_EQ(ui::toQ(hourMinuteText(s.from)) + "-" + ui::toQ(hourMinuteText(s.to)), c.shown);
        EXPECT_LE(s.from, s.to);
    }
}

TEST(TSLR, DayBoxesAndGraphFollowAtOnce) {
    SegmentWindow w(seg(6, 0, 18, 0, kMonday | kSunday | 0x80));
    std::string boxes;
    for (int d = 1; d <= 7; ++d) {
        auto* c = w.dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(d));
        boxes += c->isChecked() ? 'x' : '.';
    }
    EXPECT_EQ(boxes, "x.....x");
    w.dialog.findChild<QCheckBox*>("CheckBox3")->click();
    w.dialog.findChild<QCheckBox*>("CheckBox7")->click();
    EXPECT_EQ(w.dialog.segment().dayMask, kMonday | kWednesday);

    // 06:00-18:00 fills a quarter to three quarters of the Monday and Wednesday rows.
    const QImage image = w.dialog.findChild<GraphView*>("imGraf")->image();
    ASSERT_EQ(image.size(), QSize(146, 98));
    auto row = [&](int day) {
        std::string s;
        for (int x : {0, 1, 36, 37, 108, 109, 144, 145}) {
            const QRgb p = image.pixel(x, day * 14 + 7);
            s += p == qRgb(0, 0, 255) ? 'B' : p == qRgb(255, 255, 255) ? '.' : 'k';
        }
        return s;
    };
    EXPECT_EQ(row(0), "k..BB..k");
    EXPECT_EQ(row(1), "k......k");
    EXPECT_EQ(row(2), "k..BB..k");
    EXPECT_EQ(image.pixel(70, 0), qRgb(0, 0, 0)); // the row's frame
}

TEST(EntryGraph, LinesUnderTheTicks) {
    const TimeSegment s[] = {seg(6, 0, 18, 0, kTuesday), seg(0, 0, 6, 0, kSunday)};
    const QImage image = entryGraphImage(s);
    ASSERT_EQ(image.size(), QSize(144, 37));
    auto at = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return p == qRgb(0, 0, 255) ? 'B' : p == qRgb(255, 255, 255) ? '.' : 'k';
    };
    std::string tuesday, sunday, base;
    for (int x : {35, 36, 107, 108}) {
        tuesday += at(x, 5);
        tuesday += at(x, 8);
    }
    for (int x : {0, 35, 36, 72}) {
        sunday += at(x, 30);
    }
    for (int x : {0, 1, 36, 72, 108, 143}) {
        base += at(x, 34);
    }
    EXPECT_EQ(tuesday, "..BBBB..");
    EXPECT_EQ(sunday, "BB..");
    EXPECT_EQ(at(0, 9), '.'); // the line between two days
    EXPECT_EQ(base, "k.kkkk");
}

ControlUnitRecord unitOfType(std::uint8_t type) {
    ControlUnitRecord u;
    u.unitType = type;
    const char* names[] = {"Vchod", "Sklad", "Kancelář", "Dílna"};
    for (std::size_t i = 0; i < 4; ++i) {
        u.inputNames[i].setText(names[i]);
    }
    return u;
}

// The dialog's boxes as "caption=x|..." and the radio buttons as "x.." in order.
std::string state(TATROPR& d) {
    std::string s;
    for (int i = 0; i < 4; ++i) {
        if (auto* c = d.findChild<QCheckBox*>(QStringLiteral("cbObjekt%1").arg(i))) {
            s += c->text().toStdString() + (c->isChecked() ? "=x|" : "=.|");
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (auto* r = d.findChild<QRadioButton*>(QStringLiteral("rbDruh%1").arg(i))) {
            s += r->isChecked() ? 'x' : '.';
        }
    }
    return s;
}

TEST(TATROPR, StartsFromTheAttributesAndBuildsThemBack) {
    struct Case {
        std::uint8_t type, attributes;
        const char* start;
        const char* click; // object name of a control clicked, or ""
        std::uint8_t built;
    };
    const Case cases[] = {
        {kUnitDoor, 0x05, "Vchod=x|Sklad=.|Kancelář=x|Dílna=.|", "cbObjekt3", 0x0D},
        {kUnitDoor, 0xF0, "Vchod=.|Sklad=.|Kancelář=.|Dílna=.|", "", 0x00},
        {kUnitBarrier, 0x0D, "Vchod=x|Sklad=.|..x", "rbDruh1", 0x05},
        {kUnitBarrier, 0x0A, "Vchod=.|Sklad=x|...", "cbObjekt0", 0x0B}, // 0x08 stays unnamed
        {kUnitBarrier, 0x02, "Vchod=.|Sklad=x|x..", "rbDruh2", 0x0E},
        {9, 0x03, "", "", 0x03},
    };
    for (const Case& c : cases) {
        TATROPR d(unitOfType(c.type), c.attributes);
        EXPECT_EQ(state(d), c.start) << int(c.type) << " " << int(c.attributes);
        EXPECT_EQ(d.findChild<QGroupBox*>("gbPlatiPro") != nullptr, c.type != 9);
        EXPECT_EQ(d.findChild<QGroupBox*>("rgDruhKlice") != nullptr, c.type == kUnitBarrier);
        if (*c.click != 0) {
            d.findChild<QAbstractButton*>(c.click)->click();
        }
        EXPECT_EQ(d.attributes(), c.built) << int(c.type) << " " << int(c.attributes);
    }
}

} // namespace
} // namespace qtr::access
