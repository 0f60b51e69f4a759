#pragma once

// What the tests of the attendance windows share: the data of a run, a data
// directory, a clock, the responder and lookups of components by name.

#include "attendance/attendance_data.h"
#include "base/clock.h"
#include "base/text_lines.h"
#include "base/win1250.h"
#include "docs/work_file.h"
#include "support/button_state.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QTableWidget>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr::test {

template <typename T = QWidget> T* child(const QWidget& window, const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The cells of a grid row joined by "|".
inline std::string gridRow(const QTableWidget& grid, int row) {
    std::string s;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* item = grid.item(row, c);
        s += (c > 0 ? "|" : "") + (item != nullptr ? item->text().toStdString() : std::string());
    }
    return s;
}

struct AttendanceWindowTest : ::testing::Test {
    TempDir dir;
    UiResponder ui;
    // Tuesday 7 May 2024, 13:14.
    ManualClock clock{encodeDate(2024, 5, 7) + encodeTime(13, 14, 0)};
    AttendanceData data;

    void SetUp() override { data.codeList = AttendanceCodeList::defaults(); }

    // The report the window wrote for the output window.
    std::vector<std::string> workFileLines() const {
        std::vector<std::string> lines;
        for (const auto& l : splitWin1250Lines(readText(workFilePath(dir.path())))) {
            lines.push_back(win1250ToUtf8(l));
        }
        return lines;
    }
};

} // namespace qtr::test
