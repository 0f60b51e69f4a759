#include "cli/bus_access.h"

#include "comm/serial/com_error.h"
#include "comm/serial/kommod.h"
#include "sim/data_dir_simulation.h"

#include <QCoreApplication>
#include <cstdlib>
#include <memory>
#include <ostream>

namespace qtr::cli {
namespace {

// The serial transaction needs a Qt event loop; a program that has none gets one here.
class EventLoopScope {
public:
    EventLoopScope() {
        if (QCoreApplication::instance() == nullptr) {
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
        }
    }

private:
    int argc_ = 1;
    char name_[8] = "qtr-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

} // namespace

int withBus(CliContext& ctx, const std::function<int(UnitTransaction&)>& job) {
    if (ctx.simulatedBus) {
        sim::DataDirSimulation simulation(ctx.dir);
        if (!simulation.ok()) {
            *ctx.err << simulation.error() << "\n";
            return kExitFailure;
        }
        const int status = job(simulation.transaction());
        if (const FileResult saved = simulation.save(); !saved) {
            *ctx.err << saved.error() << "\n";
            return kExitFailure;
        }
        return status;
    }
    EventLoopScope loop;
    TKOMMOD kommod(ctx.dir, resolvePortNames(ctx.comDevices, std::getenv));
    if (!kommod.loadError().empty()) {
        *ctx.err << kommod.loadError() << "\n";
    }
    kommod.UseComPar();
    try {
        kommod.SerialOpen();
    } catch (const EChybaCOM& e) {
        *ctx.err << e.what();
        if (!e.detail().empty()) {
            *ctx.err << " (" << e.detail() << ")";
        }
        *ctx.err << "\n";
        return kExitFailure;
    }
    const int status = job(kommod);
    // Closing lets the last acknowledge leave the port before the program ends.
    kommod.SerialClose();
    return status;
}

} // namespace qtr::cli
