#include "ui/common/qtlocale.h"

namespace dawn {

LocaleFormats MakeLocaleFormats(const QLocale& locale) {
    LocaleFormats f;
    f.TimeSeparator = TimeSeparatorOf(locale.timeFormat(QLocale::ShortFormat).toStdString());
    f.DateFormat = WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat).toStdString());
    f.DecimalPoint = locale.decimalPoint().toStdString();
    f.ZeroDigit = locale.zeroDigit().toStdString();
    for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(m - 1);
        f.MonthNames[i] = locale.monthName(m, QLocale::LongFormat).toStdString();
        f.ShortMonthNames[i] = locale.monthName(m, QLocale::ShortFormat).toStdString();
        f.StandaloneMonthNames[i] =
            locale.standaloneMonthName(m, QLocale::LongFormat).toStdString();
        f.StandaloneShortMonthNames[i] =
            locale.standaloneMonthName(m, QLocale::ShortFormat).toStdString();
    }
    // Qt counts weekdays from Monday = 1 to Sunday = 7; these start on Sunday.
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;
        const auto i = static_cast<std::size_t>(d);
        f.DayNames[i] = locale.dayName(qtDay, QLocale::LongFormat).toStdString();
        f.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
        f.StandaloneDayNames[i] =
            locale.standaloneDayName(qtDay, QLocale::LongFormat).toStdString();
    }
    return f;
}

}  // namespace dawn
