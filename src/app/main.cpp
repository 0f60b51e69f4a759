// qtr: the operator's program. This is its composition root: it owns the
// configuration tables, the holiday calendar, the communication module, the
// clock and the random source, and lends them to the main window. It loads the
// attendance data at the start and saves it at the end.

#include "app/app_context.h"
#include "app/data_directory.h"
#include "app/demo_bus.h"
#include "app/demo_installation.h"
#include "app/main_window.h"
#include "app/qtr_application.h"
#include "app/random_source.h"
#include "app/serial_control.h"
#include "attendance/attendance_data.h"
#include "base/clock.h"
#include "calendar/holiday_calendar.h"
#include "comm/port_names.h"
#include "db/configuration_database.h"
#include "db/installation_keys.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

struct Options {
    bool demo = false;
    std::filesystem::path dir = ".";
    std::vector<std::string> comDevices;
};

constexpr const char* kUsage =
    "Použití: qtr [--dir SLOŽKA] [--com1..--com4 ZAŘÍZENÍ]\n"
    "         qtr --demo [SLOŽKA]   ukázkový režim na simulované sběrnici\n"
    "                               (výchozí složka ./demo-data)\n"
    "         qtr --help            vypíše tento návod\n"
    "Okenní program operátora; bez grafického prostředí pracuje qtr-cli.\n";

enum class Parsed { Run, Help, Wrong };

// The arguments as given (the program name first).
Parsed parseOptions(std::vector<std::string> args, Options& o, std::string& why) {
    o.comDevices = qtr::takeComOptions(args);
    bool dirGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            return Parsed::Help;
        }
        if (a == "--demo") {
            o.demo = true;
            if (i + 1 < args.size() && !args[i + 1].starts_with("-")) {
                o.dir = args[++i];
                dirGiven = true;
            }
        } else if (a == "--dir" && i + 1 < args.size()) {
            o.dir = args[++i];
            dirGiven = true;
        } else {
            why = "Neznámý nebo neúplný přepínač: " + a;
            return Parsed::Wrong;
        }
    }
    if (o.demo && !dirGiven) {
        o.dir = "demo-data";
    }
    return Parsed::Run;
}

void showErrors(const std::vector<std::string>& errors) {
    if (errors.empty()) {
        return;
    }
    QStringList texts;
    for (const auto& e : errors) {
        texts << qtr::ui::toQ(e);
    }
    qtr::ui::messageOk(texts.join(u'\n'), {}, u'E');
}

int run(const Options& options) {
    // Settled before anything reads it: an interrupted key change, temporaries of killed saves.
    if (const auto notes = qtr::openDataDirectory(options.dir); !notes.empty()) {
        QStringList texts;
        for (const auto& n : notes) {
            texts << qtr::ui::toQ(n);
        }
        qtr::ui::messageOk(texts.join(u'\n'), {}, u'I');
    }

    qtr::SystemClock clock;
    qtr::SystemRandomSource random;
    if (options.demo && qtr::isEmptyDirectory(options.dir)) {
        showErrors(qtr::createDemoInstallation(options.dir, random));
    }

    qtr::ConfigurationDatabase db;
    showErrors(qtr::initialiseConfiguration(db, options.dir));
    qtr::AttendanceData attendance;
    showErrors(qtr::loadAttendanceData(attendance, options.dir));
    qtr::InstallationKeys keys;
    if (qtr::FileResult r = qtr::loadInstallationKeys(options.dir, keys); !r) {
        showErrors({r.error()});
    }
    qtr::HolidayCalendar calendar;
    if (qtr::FileResult r = qtr::loadHolidayTable(calendar.holidays, options.dir); !r) {
        showErrors({r.error()});
    }

    std::unique_ptr<qtr::CommunicationControl> comm;
    if (options.demo) {
        auto demo = std::make_unique<qtr::DemoControl>(options.dir, clock);
        qtr::ConfigurationDatabase units;
        (void)qtr::loadConfiguration(units, options.dir);
        demo->populate(units, keys.masterOrZero());
        comm = std::move(demo);
    } else {
        auto serial = std::make_unique<qtr::SerialControl>(
            options.dir, qtr::resolvePortNames(options.comDevices,
                                               [](const char* name) { return std::getenv(name); }));
        if (!serial->loadError().empty()) {
            showErrors({serial->loadError()});
        }
        comm = std::move(serial);
    }

    qtr::AppContext ctx{options.dir, db, *comm, clock, random, keys, calendar, attendance};
    int status = 0;
    {
        qtr::TQTRM window(ctx);
        window.show();
        status = QApplication::exec();
    }
    // The communication module rewrites its parameter file at the end.
    if (const std::string failure = comm->saveSettings(); !failure.empty()) {
        std::cerr << failure << "\n";
    }
    showErrors(qtr::saveAttendanceData(attendance, options.dir));
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // The options are read before any window exists: --help and a wrong option need no
    // graphical session.
    Options options;
    std::string why;
    switch (parseOptions(std::vector<std::string>(argv, argv + argc), options, why)) {
    case Parsed::Help:
        std::cout << kUsage;
        return 0;
    case Parsed::Wrong:
        std::cerr << why << "\n" << kUsage;
        return 2;
    case Parsed::Run:
        break;
    }
    const auto app =
        qtr::startApplication(argc, argv, [](const char* n) { return std::getenv(n); });
    QApplication::setApplicationName(qtr::ui::kApplicationTitle);
    if (!qtr::useCzechForQt(*app, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        std::cerr << "qtr: český překlad knihovny Qt (qtbase_cs.qm) nebyl nalezen; "
                     "její vlastní dialogy budou anglicky.\n";
    }
    // Whatever escapes the windows' own handling ends the program here, told in Czech on
    // standard error and in the standard error message, never as an abort.
    std::string failure;
    try {
        return run(options);
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "neznámá chyba";
    }
    std::cerr << "qtr: program skončil pro neočekávanou chybu: " << failure << "\n";
    qtr::ui::messageOk(QStringLiteral("Program skončil pro neočekávanou chybu:\n") +
                           qtr::ui::toQ(failure),
                       {}, u'E');
    return 1;
}
