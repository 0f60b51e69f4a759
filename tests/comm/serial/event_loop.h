#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace qtr::test {

// Runs the event loop until `done` holds or `limitMs` passed; returns `done()`.
inline bool spinUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QTimer tick;
    tick.start(5);
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// Runs the event loop for a while (to see that nothing more comes).
inline void spinFor(int ms) {
    QElapsedTimer t;
    t.start();
    spinUntil([&] { return t.elapsed() >= ms; }, ms + 1000);
}

} // namespace qtr::test
