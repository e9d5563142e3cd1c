#include "ui/main/almanacmarks.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

#include "present/appstate.h"
#include "ui/common/plaintext.h"
#include "ui/common/qtlocale.h"

namespace dawn {

void AlmanacCalendarMarks::Show(QCalendarWidget& calendar, const AppState& state) {
    const int year = calendar.yearShown();
    const int month = calendar.monthShown();
    const AlmanacMonthHints* hints = marks_.Update(
        state, std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)});
    if (hints == nullptr) return;
    // An empty format gives a date back the weekday's.
    for (const QDate& date : std::as_const(marked_)) calendar.setDateTextFormat(date, {});
    marked_.clear();
    for (std::size_t i = 0; i < hints->size(); ++i) {
        if ((*hints)[i].empty()) continue;
        const QDate date(year, month, static_cast<int>(i) + 1);
        QTextCharFormat mark;
        mark.setFontUnderline(true);
        mark.setFontWeight(QFont::Bold);
        mark.setToolTip(PlainToolTip(Q((*hints)[i])));
        calendar.setDateTextFormat(date, mark);
        marked_.append(date);
    }
}

}  // namespace dawn
