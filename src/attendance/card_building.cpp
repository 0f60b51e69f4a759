#include "attendance/card_building.h"

#include "attendance/attendance_time.h"
#include "base/byte_io.h"
#include "events/event_table.h"

#include <cstring>

namespace qtr {

DateTime timeBeforeLine(const AttendanceCard& card, int i) {
    for (int k = i - 1; k >= 1; --k) {
        const CardLine& l = card.line(k);
        if (l.end != 0.0) {
            return l.end;
        }
        if (l.start != 0.0) {
            return l.start;
        }
    }
    return 0.0;
}

DateTime timeAfterLine(const AttendanceCard& card, int i) {
    for (int k = i + 1; k <= card.lineCount(); ++k) {
        const CardLine& l = card.line(k);
        if (l.start != 0.0) {
            return l.start;
        }
        if (l.end != 0.0) {
            return l.end;
        }
    }
    return 0.0;
}

DateTime firstTimeOfCard(const AttendanceCard& card) {
    return timeAfterLine(card, 0);
}

DateTime lastTimeOfCard(const AttendanceCard& card) {
    return timeBeforeLine(card, card.lineCount() + 1);
}

namespace {

// Offsets within a stored event (see EventRecord).
constexpr std::size_t kEventKey = 1;
constexpr std::size_t kEventTime = 8;
constexpr std::size_t kEventCode = 16;

DateTime eventTime(const std::uint8_t* raw) {
    return ByteReader(std::span(raw + kEventTime, sizeof(DateTime))).f64();
}

// The actions of the bookings on the card; the caller has made sure the lines they
// need are free, so that a booking is never carried out by halves.
class Builder {
public:
    explicit Builder(AttendanceCard& card) : card_(card) {}

    // Lines the booking of a reader adds.
    int linesNeeded(int reader) const {
        const int close = hasOpenLine() ? 0 : 1;
        switch (reader) {
        case 0:
            return 1;
        case 1:
        case 2:
        case 3:
        case 5:
            return close + 1;
        case 4:
            return close;
        default:
            return 0;
        }
    }

    void book(int reader, DateTime t) {
        switch (reader) {
        case 0:
            arrives(t);
            break;
        case 1:
        case 2:
        case 3:
        case 5:
            closes(t);
            opens(kAbsenceCode[reader], t);
            break;
        case 4:
            closes(t);
            break;
        default:
            break;
        }
    }

    int added() const { return added_; }

private:
    // Codes of the lines readers 1, 2, 3 and 5 open: business, doctor, break, reader 5.
    static constexpr std::uint8_t kAbsenceCode[] = {1, 2, 3, 4, 0, 5};

    bool hasOpenLine() const {
        return card_.lineCount() > 0 && card_.line(card_.lineCount()).end == 0.0;
    }

    void opens(std::uint8_t code, DateTime t) {
        CardLine l;
        l.code = code;
        l.start = t;
        add(l);
    }

    void arrives(DateTime t) {
        opens(1, t);
        // A return from an absence closes the absence.
        if (card_.lineCount() >= 2) {
            CardLine& previous = card_.line(card_.lineCount() - 1);
            if (previous.end == 0.0 && dayOf(previous.start) == dayOf(t)) {
                previous.end = t;
            }
        }
    }

    void closes(DateTime t) {
        if (hasOpenLine()) {
            card_.line(card_.lineCount()).end = t;
            return;
        }
        CardLine l; // a departure without arrival
        l.end = t;
        add(l);
    }

    void add(const CardLine& l) {
        card_.appendLine(l);
        ++added_;
    }

    AttendanceCard& card_;
    int added_ = 0;
};

} // namespace

EventBuildResult buildFromEvents(AttendanceCard& card, const EventTable& events,
                                 const std::function<bool()>& goOn) {
    EventBuildResult result;
    const DateTime first = firstTimeOfCard(card);
    const DateTime last = lastTimeOfCard(card);
    const DateTime lowest = dayOf(card.dateFrom);
    const DateTime highest = dayOf(card.dateTo) + 1.0;
    const std::uint8_t* previous = nullptr;
    DateTime previousTime = 0.0;
    bool stopping = false;
    Builder builder(card);
    for (int i = 1; i <= events.count(); ++i) {
        stopping = stopping || (goOn && !goOn());
        const std::uint8_t* raw = events.rawRecord(i).data();
        const DateTime t = eventTime(raw);
        // The next build takes only what is later than the card's last time, so a
        // stop never falls between two bookings of the time last used.
        if (stopping && (previous == nullptr || t != previousTime)) {
            result.interrupted = true;
            break;
        }
        if (t > highest) {
            break;
        }
        if (std::memcmp(raw + kEventKey, card.keyNumber.bytes.data(), KeyNumber::kSize) != 0 ||
            t < lowest || !(t > first && t > last)) {
            continue;
        }
        if (previous != nullptr && std::memcmp(raw, previous, EventTable::kRecordSize) == 0) {
            continue;
        }
        const int reader = raw[kEventCode] & 0x07;
        if (card.lineCount() + builder.linesNeeded(reader) > AttendanceCard::kLineCapacity) {
            result.cardFull = true;
            break;
        }
        previous = raw;
        previousTime = t;
        builder.book(reader, t);
        ++result.eventsUsed;
    }
    result.linesAdded = builder.added();
    return result;
}

int buildFromUsualShift(AttendanceCard& card, bool includeWeekends) {
    const DateTime start = timeOfDay(card.usualStart);
    const DateTime end = timeOfDay(card.usualEnd);
    int added = 0;
    if (isCalendarValue(card.dateFrom) && isCalendarValue(card.dateTo)) {
        for (DateTime d = dayOf(card.dateFrom); d <= dayOf(card.dateTo) && !card.isFull();
             d += 1.0) {
            const int weekday = dayOfWeek(d); // 1 Sunday .. 7 Saturday
            if (!includeWeekends && (weekday == 1 || weekday == 7)) {
                continue;
            }
            CardLine l;
            l.shiftDay = d;
            l.start = d + start;
            l.end = (card.isNightShift() ? d + 1.0 : d) + end;
            card.appendLine(l);
            ++added;
        }
    }
    card.planFlag = 1;
    return added;
}

} // namespace qtr
