#include "app/qtr_application.h"

#include "ui/message_routines.h"

#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace qtr {
namespace {

// Messages Qt logs while its platform starts; shown only when the start succeeded, as a
// failure is told in Czech instead.
std::vector<QString>* gHeldMessages = nullptr;

void platformStartHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(kNoGraphicalSessionText, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    gHeldMessages->push_back(text);
}

bool has(const std::function<const char*(const char*)>& environment, const char* name) {
    const char* v = environment(name);
    return v != nullptr && *v != '\0';
}

} // namespace

bool deliverReportingErrors(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::bad_alloc&) {
        ui::messageOk(QStringLiteral("Nedostatek paměti. Poslední akce nebyla dokončena."), {},
                      u'E');
    } catch (const std::exception& e) {
        ui::messageOk(QString::fromUtf8(e.what()), {}, u'E');
    } catch (...) {
        ui::messageOk(QStringLiteral("Neočekávaná chyba. Poslední akce nebyla dokončena."), {},
                      u'E');
    }
    return false;
}

QtrApplication::QtrApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QtrApplication::notify(QObject* receiver, QEvent* event) {
    return deliverReportingErrors([&] { return QApplication::notify(receiver, event); });
}

std::unique_ptr<QtrApplication>
startApplication(int& argc, char** argv,
                 const std::function<const char*(const char*)>& environment) {
    // A platform chosen on purpose (offscreen, vnc ...) needs no display.
    if (!has(environment, "QT_QPA_PLATFORM") && !has(environment, "DISPLAY") &&
        !has(environment, "WAYLAND_DISPLAY")) {
        std::fputs(kNoGraphicalSessionText, stderr);
        std::exit(1);
    }
    std::vector<QString> held;
    gHeldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(platformStartHandler);
    auto app = std::make_unique<QtrApplication>(argc, argv);
    qInstallMessageHandler(previous);
    gHeldMessages = nullptr;
    for (const QString& text : held) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    return app;
}

bool useCzechForQt(QCoreApplication& app, const QString& translationsDirectory) {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          translationsDirectory)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace qtr
