#pragma once
// The clock the main window's tick reads. The program reads the computer's
// local clock; tests put a ManualClock in its place and drive the tick to any
// second of any day.
#include <QDateTime>

#include "core/alarm.h"
#include "core/clocktick.h"

namespace dawn {

class ClockSource {
public:
    virtual ~ClockSource() = default;
    // The current local date and time.
    virtual QDateTime Now() const = 0;
};

// The computer's local clock.
const ClockSource& SystemClock();

// A clock that stands still until it is set or moved on.
class ManualClock final : public ClockSource {
public:
    explicit ManualClock(QDateTime now = QDateTime()) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }
    void Set(const QDateTime& now) { now_ = now; }
    void Advance(int seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};

// The time of day of a clock reading, in whole seconds (milliseconds dropped).
WallTime WallTimeOf(const QTime& time);
TickMoment TickMomentOf(const QDateTime& now);

}  // namespace dawn
