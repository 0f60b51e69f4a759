#pragma once

#include "sim/bus_server.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <thread>

namespace qtr::sim::test {

// A bus served by a BusServer on a pseudo-terminal, on its own thread, for as
// long as the object lives. The bus is touched only under the lock.
class ServedBus {
public:
    ServedBus(SimBus& bus, ServerTiming timing) : bus_(bus), server_(bus, line_, timing) {
        std::string error;
        const bool opened = line_.openPseudoTerminal(error);
        EXPECT_TRUE(opened) << error;
        if (opened) {
            thread_ = std::thread([this] { serve(); });
        }
    }
    ServedBus(const ServedBus&) = delete;
    ServedBus& operator=(const ServedBus&) = delete;
    ~ServedBus() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    const std::string& path() const { return line_.path(); }

    // Runs `f` on the bus between two steps of the server.
    void withBus(const std::function<void(SimBus&)>& f) {
        std::lock_guard lock(mutex_);
        f(bus_);
    }

private:
    void serve() {
        while (!stop_) {
            double now = BusServer::steadyMs();
            double wake = 0;
            {
                std::lock_guard lock(mutex_);
                wake = std::min(server_.nextWakeMs(now), now + 10.0);
            }
            pollfd p{server_.fd(), POLLIN, 0};
            ::poll(&p, 1, std::max(0, static_cast<int>(wake - now + 0.999)));
            std::lock_guard lock(mutex_);
            now = BusServer::steadyMs();
            if ((p.revents & POLLIN) != 0) {
                server_.onReadable(now);
            }
            server_.onTimer(now);
        }
    }

    SimBus& bus_;
    Line line_;
    BusServer server_;
    std::mutex mutex_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

} // namespace qtr::sim::test
