#include "present/locale.h"

#include "present/texts.h"

namespace dawn {
namespace {

bool IsTimeField(char c) {
    return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 'z' || c == 'a' || c == 'A' ||
           c == 't';
}

char32_t FirstCodePoint(std::string_view s) {
    if (s.empty()) return U'0';
    const auto c = static_cast<unsigned char>(s[0]);
    const int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
    if (s.size() < static_cast<std::size_t>(len)) return c;
    char32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The text of a quote that starts at `i` (which ends after it): "''" is a
// quote, 'text' is text, and '' inside a quoted text is a quote too.
std::string ReadQuoted(std::string_view f, std::size_t& i) {
    ++i;
    if (i == f.size()) return {};
    if (f[i] == '\'') {
        ++i;
        return "'";
    }
    std::string text;
    while (i < f.size()) {
        if (f[i] == '\'') {
            if (i + 1 < f.size() && f[i + 1] == '\'') {
                text.push_back('\'');
                i += 2;
            } else {
                break;
            }
        } else {
            text.push_back(f[i++]);
        }
    }
    if (i < f.size()) ++i;
    return text;
}

}  // namespace

std::string LocaleFormats::ClockText(std::chrono::minutes m) const {
    return FormatClock(m, TimeSeparator);
}

std::string LocaleFormats::EmptyClockText() const {
    return dawn::EmptyClockText(TimeSeparator);
}

std::string LocaleFormats::DateText(DayNumber date) const {
    return DateWriter(DateFormat, *this).Text(date);
}

DateWriter::DateWriter(std::string_view f, const LocaleFormats& locale)
    : locale_(&locale), zero_(FirstCodePoint(locale.ZeroDigit)) {
    auto literal = [this](std::string_view text) {
        if (text.empty()) return;
        if (pieces_.empty() || pieces_.back().field != Field::Literal)
            pieces_.push_back({Field::Literal, {}});
        pieces_.back().literal.append(text);
    };
    for (std::size_t i = 0; i < f.size();) {
        if (f[i] == '\'') {
            literal(ReadQuoted(f, i));
            continue;
        }
        const char c = f[i];
        std::size_t run = 1;
        while (i + run < f.size() && f[i + run] == c) ++run;
        if (c == 'd' || c == 'M') {
            // Four letters at most make one field; the rest starts another.
            run = run > 4 ? 4 : run;
            static constexpr Field kDay[] = {Field::Day, Field::Day2, Field::DayName,
                                             Field::LongDayName};
            static constexpr Field kMonth[] = {Field::Month, Field::Month2, Field::MonthName,
                                               Field::LongMonthName};
            pieces_.push_back({(c == 'd' ? kDay : kMonth)[run - 1], {}});
        } else if (c == 'y' && run >= 2) {
            run = run >= 4 ? 4 : 2;
            pieces_.push_back({run == 4 ? Field::Year4 : Field::Year2, {}});
        } else {
            literal(f.substr(i, run));
        }
        i += run;
    }
}

void DateWriter::AppendNumber(std::string& out, int value, int width) const {
    char digits[16];
    int n = 0;
    const bool negative = value < 0;
    unsigned v = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char>(v % 10);
        v /= 10;
    } while (v != 0);
    if (negative) out.push_back('-');
    for (int k = n; k < width - (negative ? 1 : 0); ++k) AppendUtf8(out, zero_);
    while (n > 0) AppendUtf8(out, zero_ + static_cast<char32_t>(digits[--n]));
}

void DateWriter::Append(std::string& out, DayNumber date) const {
    const auto ymd = date.ToDate();
    const int year = static_cast<int>(ymd.year());
    const int month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const auto weekday = static_cast<std::size_t>(date.Weekday().c_encoding());
    const auto m = static_cast<std::size_t>(month - 1);
    for (const Piece& p : pieces_) {
        switch (p.field) {
            case Field::Literal:
                out += p.literal;
                break;
            case Field::Day:
                AppendNumber(out, day, 1);
                break;
            case Field::Day2:
                AppendNumber(out, day, 2);
                break;
            case Field::DayName:
                out += locale_->ShortDayNames[weekday];
                break;
            case Field::LongDayName:
                out += locale_->DayNames[weekday];
                break;
            case Field::Month:
                AppendNumber(out, month, 1);
                break;
            case Field::Month2:
                AppendNumber(out, month, 2);
                break;
            case Field::MonthName:
                out += locale_->ShortMonthNames[m];
                break;
            case Field::LongMonthName:
                out += locale_->MonthNames[m];
                break;
            case Field::Year2:
                AppendNumber(out, year % 100, 2);
                break;
            case Field::Year4:
                AppendNumber(out, year, year < 0 ? 5 : 4);
                break;
        }
    }
}

std::string DateWriter::Text(DayNumber date) const {
    std::string text;
    Append(text, date);
    return text;
}

std::string TimeSeparatorOf(std::string_view f) {
    const std::size_t n = f.size();
    std::size_t i = 0;
    // Skip to the hour field, stepping over quoted text.
    while (i < n && f[i] != 'h' && f[i] != 'H') {
        if (f[i] == '\'') {
            ++i;
            while (i < n && f[i] != '\'') ++i;
        }
        ++i;
    }
    while (i < n && (f[i] == 'h' || f[i] == 'H')) ++i;
    // Everything up to the next field is the separator, quotes removed.
    std::string between;
    while (i < n && !IsTimeField(f[i])) {
        if (f[i] == '\'') {
            ++i;
            while (i < n && f[i] != '\'') between += f[i++];
            ++i;
            continue;
        }
        between += f[i++];
    }
    const std::string_view trimmed = Trimmed(between);
    if (trimmed.empty()) return ":";
    return std::string(FirstCharacter(trimmed));
}

std::string WithFourDigitYear(std::string_view f) {
    std::string out;
    const std::size_t n = f.size();
    for (std::size_t i = 0; i < n;) {
        const char c = f[i];
        if (c == '\'') {
            const std::size_t end = f.find('\'', i + 1);
            const std::size_t stop = end == std::string_view::npos ? n : end + 1;
            out.append(f.substr(i, stop - i));
            i = stop;
        } else if (c == 'y') {
            while (i < n && f[i] == 'y') ++i;
            out += "yyyy";
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace dawn
