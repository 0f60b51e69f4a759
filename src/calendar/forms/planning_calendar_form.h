#pragma once

// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "calendar/planning.h"
#endif

#include <QDialog>
#include <filesystem>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableWidget;

namespace qtr {
struct HolidayCalendar;
}

namespace qtr::calendar {

// TPLNKAL "Přehled svátků a nepracovních dnů": the working days, free days and paid
// holidays of a year from the holiday table, as a month grid with weekly sums and
// as the planning table by quarter, month, week and decade.
class TPLNKAL : public QDialog {
    Q_OBJECT

public:
    TPLNKAL(HolidayCalendar& calendar, std::filesystem::path dir, int currentYear,
            QWidget* parent = nullptr);

    int year() const;
    bool planningShown() const;

private:
    void tcMesiceChange();
    void cbCeleTydnyClick();
    void btRokMinusClick();
    void btRokPlusClick();
    void btPlanovaciClick();
    void sectionClick();
    void btVypsatClick();
    void btZpetClick();

    void computeYear(int year);
    // The year computed, January selected and its grid filled.
    void showYear(int year);
    void fillMonthGrid();
    void fillPlanningView();

    HolidayCalendar& calendar_;
    std::filesystem::path dir_;
    std::vector<PlanningRow> planningRows_;

    QStackedWidget* pages_;
    QTabBar* tcMesice_;
    QTableWidget* sgMesic_;
    QCheckBox* cbCeleTydny_;
    QPushButton* btRokMinus_;
    QPushButton* btRokPlus_;
    QPushButton* btPlanovaci_;
    QLabel* laPlanTitle_;
    QCheckBox* cbCtvrtleti_;
    QCheckBox* cbMesice_;
    QCheckBox* cbTydny_;
    QCheckBox* cbDekady_;
    QTableWidget* sgPlan_;
    QPushButton* btVypsat_;
    QPushButton* btZpet_;
};

} // namespace qtr::calendar
