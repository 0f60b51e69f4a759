#include "sim/sim_bus.h"

namespace qtr::sim {

SimUnit* SimBus::addUnit(const UnitSetup& setup) {
    auto [it, inserted] = units_.try_emplace(setup.address, setup, clock_.now());
    return inserted ? &it->second : nullptr;
}

SimUnit* SimBus::restoreUnit(const UnitSnapshot& snapshot) {
    auto [it, inserted] =
        units_.try_emplace(snapshot.setup.address, SimUnit::fromSnapshot(snapshot, clock_.now()));
    return inserted ? &it->second : nullptr;
}

SimUnit* SimBus::unit(std::uint8_t address) {
    auto it = units_.find(address);
    return it == units_.end() ? nullptr : &it->second;
}

const SimUnit* SimBus::unit(std::uint8_t address) const {
    auto it = units_.find(address);
    return it == units_.end() ? nullptr : &it->second;
}

UnitAnswer SimBus::transact(std::span<const std::uint8_t> request) {
    if (lastDataAnswer_ != nullptr) {
        lastDataAnswer_->forgetDelivery();
        lastDataAnswer_ = nullptr;
    }
    if (request.empty()) {
        return {};
    }
    SimUnit* u = unit(request[0]);
    if (u == nullptr) {
        return {};
    }
    UnitAnswer a = u->answer(request, clock_.now());
    if (a.dataAnswer) {
        lastDataAnswer_ = u;
    }
    return a;
}

void SimBus::acknowledge() {
    if (lastDataAnswer_ != nullptr) {
        lastDataAnswer_->acknowledge();
        lastDataAnswer_ = nullptr;
    }
}

} // namespace qtr::sim
