#include "ui/main/clock.h"

namespace dawn {
namespace {

class LocalClock final : public ClockSource {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace

const ClockSource& SystemClock() {
    static const LocalClock clock;
    return clock;
}

WallTime WallTimeOf(const QTime& time) {
    return WallTime{time.hour(), time.minute(), time.second()};
}

DayNumber DayNumberOf(const QDate& date) {
    return DayNumber::FromYmd(date.year(), unsigned(date.month()), unsigned(date.day()));
}

QDate QDateOf(DayNumber day) {
    return QDate(day.Year(), int(day.Month()), int(day.Day()));
}

TickMoment TickMomentOf(const QDateTime& now) {
    return TickMoment{DayNumberOf(now.date()), WallTimeOf(now.time()).SecondOfDay()};
}

}  // namespace dawn
