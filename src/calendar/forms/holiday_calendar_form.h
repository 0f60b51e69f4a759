#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabBar;

namespace qtr {
struct HolidayCalendar;
namespace ui {
class RecordNavigator;
}
} // namespace qtr

namespace qtr::calendar {

// TSVATKY "Přehled svátků a nepracovních dnů organizace": the holiday table by
// year. The table is sorted by date when the window opens; the caller sorts and
// saves it when the window closes.
class TSVATKY : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Browse, New, ChangeName };

    TSVATKY(HolidayCalendar& calendar, std::filesystem::path dir, int currentYear,
            QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    int year() const;

private:
    void seRokChange();
    void btPridatClick();
    void calKalendarDblClick();
    void btTextClick();
    void btUlozitClick();
    void btPrerusitClick();
    void btSmazatClick();
    void btSmazatRokClick();
    void btStandardClick();
    void btPrehledClick();
    void btRocniKalendarClick();

    void display();
    void setMode(Mode mode);
    void showCalendarPage();
    void showMessages(const std::vector<std::string>& messages);

    HolidayCalendar& calendar_;
    std::filesystem::path dir_;
    Mode mode_ = Mode::Browse;

    QSpinBox* seRok_;
    ui::RecordNavigator* navigator_;
    QLineEdit* edDatum_;
    QLineEdit* edNazev_;
    QPushButton* btPridat_;
    QPushButton* btText_;
    QPushButton* btUlozit_;
    QPushButton* btPrerusit_;
    QPushButton* btSmazat_;
    QPushButton* btSmazatRok_;
    QPushButton* btStandard_;
    QPushButton* btPrehled_;
    QPushButton* btRocniKalendar_;
    QFrame* pnKalendar_;
    QTabBar* tcMesice_;
    QCalendarWidget* calKalendar_;
};

} // namespace qtr::calendar
