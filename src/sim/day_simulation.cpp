#include "sim/day_simulation.h"

#include "base/hex_text.h"

#include <algorithm>

namespace qtr::sim {
namespace {

constexpr double kMinute = 1.0 / (24 * 60);

DateTime atMinute(DateTime day, int minuteOfDay) {
    return day + minuteOfDay * kMinute;
}

int minutesOf(HourMinute t) {
    return hourOf(t) * 60 + minuteOf(t);
}

const char* attendanceText(int reader) {
    switch (reader) {
    case 0:
        return "Příchod";
    case 1:
        return "Odchod služebně";
    case 2:
        return "Odchod k lékaři";
    case 3:
        return "Přestávka";
    case 4:
        return "Odchod";
    default:
        return "?";
    }
}

} // namespace

DaySimulation::DaySimulation(SimBus& bus, const Scenario& scenario, std::uint32_t seed)
    : bus_(bus), persons_(scenario.persons), attendance_(scenario.day.attendanceUnit),
      access_(scenario.day.accessUnit), door_(scenario.day.door), random_(seed) {
    for (auto& [address, unit] : bus_.units()) {
        if (!attendance_ && unit.isAttendance()) {
            attendance_ = address;
        }
        if (!access_ && unit.model() == kModelVkr8 && !unit.isAttendance()) {
            access_ = address;
        }
    }
    if (attendance_ && bus_.unit(*attendance_) == nullptr) {
        attendance_.reset();
    }
    if (access_ && bus_.unit(*access_) == nullptr) {
        access_.reset();
    }
}

bool DaySimulation::ready(std::string& why) const {
    if (persons_.empty()) {
        why = "Scénář nemá žádné osoby.";
        return false;
    }
    if (!attendance_ && !access_) {
        why = "Na sběrnici není docházková ani přístupová jednotka.";
        return false;
    }
    return true;
}

DateTime DaySimulation::unitNow() const {
    const auto address = attendance_ ? *attendance_ : *access_;
    return bus_.unit(address)->clock().now(bus_.now());
}

DateTime DaySimulation::planNextDay() {
    const DateTime now = unitNow();
    DateTime day = datePart(now);
    if (now > atMinute(day, 5 * 60)) {
        day += 1;
    }
    // 1 = Sunday, 7 = Saturday.
    while (dayOfWeek(day) == 1 || dayOfWeek(day) == 7) {
        day += 1;
    }
    plan_.clear();
    next_ = 0;
    dayStart_ = atMinute(day, 5 * 60);
    for (std::size_t i = 0; i < persons_.size(); ++i) {
        planPerson(i, day);
    }
    std::stable_sort(plan_.begin(), plan_.end(), [](const DayAction& a, const DayAction& b) {
        return a.unitTime < b.unitTime;
    });
    return dayStart_;
}

int DaySimulation::spread(int minutes) {
    return std::uniform_int_distribution<int>(-minutes, minutes)(random_);
}

int DaySimulation::chance(int percent) {
    return std::uniform_int_distribution<int>(1, 100)(random_) <= percent;
}

void DaySimulation::add(DateTime t, std::size_t person, std::uint8_t unit, int reader) {
    plan_.push_back({t, person, unit, reader});
}

void DaySimulation::planPerson(std::size_t index, DateTime day) {
    const ScenarioPerson& p = persons_[index];
    const int arrive = std::max(5 * 60 + 1, minutesOf(p.arrival) + spread(10));
    const int leave = std::min(23 * 60 + 50, minutesOf(p.departure) + spread(10));
    const int doorIn = door_ * 2;
    const int doorOut = door_ * 2 + 1;
    // Out through the door, then booking (and back: booking, then the door).
    auto goOut = [&](int minute, int bookingReader) {
        if (attendance_) {
            add(atMinute(day, minute), index, *attendance_, bookingReader);
        }
        if (access_) {
            add(atMinute(day, minute + 1), index, *access_, doorOut);
        }
    };
    auto comeIn = [&](int minute) {
        if (access_) {
            add(atMinute(day, minute), index, *access_, doorIn);
        }
        if (attendance_) {
            add(atMinute(day, minute + 1), index, *attendance_, 0);
        }
    };
    comeIn(arrive);
    int busyUntil = arrive + 5;
    if (p.breakMinutes > 0 && attendance_) {
        const int start = std::max(busyUntil, minutesOf(p.breakStart) + spread(5));
        const int end = start + p.breakMinutes;
        if (end + 10 < leave) {
            add(atMinute(day, start), index, *attendance_, 3);
            add(atMinute(day, end), index, *attendance_, 0);
            busyUntil = end + 5;
        }
    }
    // One absence at most: the doctor, else a business trip.
    const bool doctor = chance(p.doctorPercent) != 0;
    const bool business = !doctor && chance(p.businessPercent) != 0;
    if (doctor || business) {
        const int start = busyUntil + 20 + std::uniform_int_distribution<int>(0, 40)(random_);
        const int end = start + std::uniform_int_distribution<int>(60, 120)(random_);
        if (end + 15 < leave) {
            goOut(start, doctor ? 2 : 1);
            comeIn(end);
        }
    }
    goOut(leave, 4);
}

DateTime DaySimulation::nextActionTime() const {
    return dayDone() ? dayStart_ : plan_[next_].unitTime;
}

std::vector<std::string> DaySimulation::advance() {
    std::vector<std::string> lines;
    const DateTime now = unitNow();
    while (next_ < plan_.size() && plan_[next_].unitTime <= now) {
        const DayAction& a = plan_[next_++];
        SimUnit* unit = bus_.unit(a.unit);
        if (unit == nullptr) {
            continue;
        }
        // Presented at the planned moment, however coarse the caller's steps are.
        const DateTime busAt = bus_.now() - (now - a.unitTime);
        const Presentation r = unit->presentKey(a.reader, persons_[a.person].key, busAt);
        std::string what = unit->isAttendance()
                               ? attendanceText(a.reader)
                               : (a.reader % 2 == 0 ? "průchod dovnitř" : "průchod ven");
        std::string line = formatDateTime("dd.mm.yyyy hh:nn", unit->clock().now(busAt)) + " " +
                           persons_[a.person].name + ": " + what + " (" + hexByteText(a.unit) +
                           "/" + std::to_string(a.reader) + ") ";
        if (!r.inService) {
            line += "jednotka mimo provoz";
        } else {
            line += r.permitted ? "povoleno" : "neoprávněný";
            if (!r.recorded) {
                line += ", paměť událostí plná";
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string>
simulateWorkingDays(DaySimulation& day, const std::function<void(DateTime)>& moveAhead, int days) {
    std::vector<std::string> lines;
    constexpr DateTime kSecond = 1.0 / 86400;
    for (int d = 0; d < days; ++d) {
        day.planNextDay();
        while (!day.dayDone()) {
            const DateTime ahead = day.nextActionTime() - day.unitNow();
            if (ahead > 0) {
                moveAhead(ahead + kSecond);
            }
            for (auto& l : day.advance()) {
                lines.push_back(std::move(l));
            }
        }
    }
    return lines;
}

std::vector<std::string> simulateWorkingDays(DaySimulation& day, ManualClock& busClock, int days) {
    return simulateWorkingDays(
        day, [&](DateTime by) { busClock.set(busClock.now() + by); }, days);
}

} // namespace qtr::sim
