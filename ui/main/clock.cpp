#include "ui/main/clock.h"

#include "ui/common/qtlocale.h"

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

TickMoment TickMomentOf(const QDateTime& now) {
    return TickMoment{ToDayNumber(now.date()), WallTimeOf(now.time()).SecondOfDay()};
}

}  // namespace dawn
