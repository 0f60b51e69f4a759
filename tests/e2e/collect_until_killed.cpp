// A collection that kills itself with SIGKILL right after the k-th event has reached the
// disk, before its acknowledge goes out: the worst instant for a program to die.
//
//     collect_until_killed DIR DEVICE K

#include "comm/serial/com_error.h"
#include "comm/serial/kommod.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "unitproc/data_collection.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    QCoreApplication app(argc, argv);
    const std::filesystem::path dir = argv[1];
    const int killAfter = std::atoi(argv[3]);
    qtr::ConfigurationDatabase db;
    (void)qtr::loadConfiguration(db, dir);
    qtr::TKOMMOD kommod(dir, qtr::resolvePortNames({"", argv[2], "", ""}, std::getenv));
    kommod.UseComPar();
    try {
        kommod.SerialOpen();
    } catch (const qtr::EChybaCOM& e) {
        std::cerr << e.what() << " (" << e.detail() << ")\n";
        return 1;
    }
    qtr::CollectionStore store(dir / qtr::kEventFile);
    int stored = 0;
    store.onStored = [&](const qtr::EventRecord&) {
        if (++stored == killAfter) {
            std::raise(SIGKILL);
        }
    };
    qtr::LogLines log;
    qtr::CollectionOptions options;
    options.maxTries = 3;
    qtr::SberDatVsechny(kommod, db.units, store, log, options);
    return 0;
}
