#pragma once
// The month calendar's marks of the almanac: each date of the shown month
// that holds an almanac event is underlined and bold, and its hint lists the
// events' times and words (AlmanacMonthMarks, present/almanacview.h). The
// month's events are computed once, when the calendar turns to it, and again
// after a change of place, language or locale.
#include <QDate>
#include <QList>

#include "present/almanacview.h"

class QCalendarWidget;

namespace dawn {

struct AppState;

class AlmanacCalendarMarks {
public:
    // Puts the marks of the calendar's shown month on it, when they changed.
    void Show(QCalendarWidget& calendar, const AppState& state);

private:
    AlmanacMonthMarks marks_;
    QList<QDate> marked_;
};

}  // namespace dawn
