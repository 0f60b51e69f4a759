#pragma once

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>

namespace qtr {

// What qtr says when it is started where no window can be shown.
inline constexpr const char* kNoGraphicalSessionText =
    "qtr: program potřebuje grafické prostředí (X11 nebo Wayland), ale žádné není k dispozici "
    "(proměnná DISPLAY není nastavena nebo displej nelze otevřít).\n"
    "Bez grafického prostředí pracuje qtr-cli, například qtr-cli --dir SLOŽKA status 01; "
    "qtr-cli --help vypíše všechny jeho příkazy.\n";

// Runs one delivery of an event to the windows. An exception that comes out of it (a
// slot, an event handler) is shown with the standard error message and the program goes
// on with the next event; false is then returned, as for an event nobody took.
bool deliverReportingErrors(const std::function<bool()>& deliver);

// The program's application object: every event goes through deliverReportingErrors.
class QtrApplication final : public QApplication {
public:
    QtrApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Creates the application object. Where Qt finds no display it would abort with its own
// English texts; instead kNoGraphicalSessionText goes to standard error and the process
// ends with status 1. `environment` reads a variable (std::getenv in the program).
std::unique_ptr<QtrApplication>
startApplication(int& argc, char** argv,
                 const std::function<const char*(const char*)>& environment);

// Qt's own texts (file dialogs and their overwrite question, message box buttons, date
// pickers) in Czech: the qtbase translation found in `translationsDirectory` and the Czech
// locale. False when the translation could not be loaded; the program goes on with Qt's
// English texts then.
bool useCzechForQt(QCoreApplication& app, const QString& translationsDirectory);

} // namespace qtr
