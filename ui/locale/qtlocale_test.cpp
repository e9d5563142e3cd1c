// The formats the program writes without Qt, against Qt's own.
#include "ui/common/qtlocale.h"

#include <gtest/gtest.h>

#include <QDate>
#include <map>
#include <string>

#include "cli/systemlocale.h"

namespace dawn {
namespace {

QList<QLocale> AllLocales() {
    QList<QLocale> all{QLocale::c()};
    all +=
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    return all;
}

// Every locale's short date format, written by the plain writer and by Qt,
// on days and months of one and two digits and on every weekday.
TEST(LocaleFormats, DatesAreWrittenAsQtWritesThem) {
    const QDate dates[] = {QDate(1900, 1, 1),   QDate(2024, 2, 29), QDate(2024, 7, 5),
                           QDate(2024, 9, 10),  QDate(2024, 10, 3), QDate(2024, 11, 16),
                           QDate(2024, 12, 31), QDate(2500, 6, 8)};
    for (const QLocale& l : AllLocales()) {
        const LocaleFormats f = MakeLocaleFormats(l);
        const QString format = QString::fromStdString(f.DateFormat);
        for (const QDate& d : dates) {
            const DayNumber day =
                DayNumber::FromYmd(d.year(), unsigned(d.month()), unsigned(d.day()));
            ASSERT_EQ(f.DateText(day), l.toString(d, format).toStdString())
                << l.name().toStdString() << ' ' << format.toStdString();
        }
    }
}

TEST(LocaleFormats, TheCommandLinesTableHoldsQtsFormats) {
    for (const QLocale& l : AllLocales()) {
        ASSERT_EQ(cli::LocaleFormatsNamed(l.name().toStdString()),
                  MakeLocaleFormats(QLocale(l.name())))
            << l.name().toStdString();
    }
    // Names as the environment gives them.
    for (const char* name : {"en_GB.UTF-8", "de_DE@euro", "fi_FI.ISO-8859-15", "pt", "zh_TW",
                             "sr@latin", "C.UTF-8", "POSIX", "xx_YY", "de-AT"}) {
        EXPECT_EQ(cli::LocaleFormatsNamed(name),
                  MakeLocaleFormats(QLocale(QString::fromLatin1(name))))
            << name;
    }
}

TEST(LocaleFormats, TheEnvironmentDecidesAsForQt) {
    const std::map<std::string, std::string> env = {
        {"LANG", "en_US.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}, {"LC_NUMERIC", "fr_FR.UTF-8"}};
    auto reader = [&env](const char* var) -> const char* {
        const auto it = env.find(var);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    const LocaleFormats mixed = cli::SystemLocaleFormats(reader);
    EXPECT_EQ(mixed.DateFormat, "dd.MM.yyyy");
    EXPECT_EQ(mixed.DecimalPoint, ",");
    EXPECT_EQ(mixed.MonthNames[2], "M\xC3\xA4rz");

    const std::map<std::string, std::string> all = {{"LC_ALL", "fi_FI.UTF-8"},
                                                    {"LC_TIME", "de_DE.UTF-8"}};
    EXPECT_EQ(cli::SystemLocaleFormats([&all](const char* var) -> const char* {
                  const auto it = all.find(var);
                  return it == all.end() ? nullptr : it->second.c_str();
              }).TimeSeparator,
              ".");
    EXPECT_EQ(cli::SystemLocaleFormats([](const char*) -> const char* { return ""; }),
              MakeLocaleFormats(QLocale::c()));
    // And the environment this test runs in.
    EXPECT_EQ(cli::SystemLocaleFormats(), MakeLocaleFormats(QLocale::system()));
}

}  // namespace
}  // namespace dawn
