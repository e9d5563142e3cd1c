#include "ui/main/traypreference.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace dawn {
namespace {

void WriteRaw(const QString& file, const QByteArray& content) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

TEST(TrayPreferenceTest, ReadsNonZeroIntegersAsSet) {
    QTemporaryDir dir;
    struct Case {
        QByteArray content;
        bool hidden;
    };
    const Case cases[] = {
        {"[Software]\ndawnhelm\\systray\\StartHidden=1\n", true},
        {"[Software]\ndawnhelm\\systray\\StartHidden=7\n", true},
        {"[Software]\ndawnhelm\\systray\\StartHidden=0\n", false},
        {"[Software]\ndawnhelm\\systray\\StartHidden=yes\n", false},
        {"[Software]\ndawnhelm\\systray\\StartHidden=\n", false},
        {"[Software]\ndawnhelm\\systray\\Other=1\n", false},
        {"", false},
        {QByteArray("\0\xff\xfe garbage", 12), false},
    };
    int n = 0;
    for (const Case& c : cases) {
        // One file per case: QSettings caches a file it has read.
        const QString file = dir.filePath(QStringLiteral("case%1.ini").arg(++n));
        WriteRaw(file, c.content);
        EXPECT_EQ(TrayPreference(file).startHidden(), c.hidden) << c.content.toStdString();
    }
    EXPECT_FALSE(TrayPreference(dir.filePath(QStringLiteral("missing/none.ini"))).startHidden());
}

TEST(TrayPreferenceTest, WritesOneAndClearRemovesTheGroup) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/dawnhelm.ini"));
    const TrayPreference pref(file);
    EXPECT_EQ(pref.setStartHidden(), std::nullopt);
    EXPECT_TRUE(pref.startHidden());
    QSettings raw(file, QSettings::IniFormat);
    raw.setValue(QStringLiteral("Other/Kept"), 5);
    raw.sync();
    EXPECT_EQ(QSettings(file, QSettings::IniFormat)
                  .value(QStringLiteral("Software/dawnhelm/systray/StartHidden"))
                  .toString(),
              QStringLiteral("1"));
    pref.clear();
    EXPECT_FALSE(pref.startHidden());
    QSettings after(file, QSettings::IniFormat);
    EXPECT_FALSE(after.childGroups().contains(QStringLiteral("Software")));
    EXPECT_EQ(after.value(QStringLiteral("Other/Kept")).toInt(), 5);
}

TEST(TrayPreferenceTest, AFailedWriteIsReportedWithTheFileName) {
    // A regular file where the settings folder should be: no write can
    // succeed, also for root.
    QTemporaryDir dir;
    WriteRaw(dir.filePath(QStringLiteral("blocker")), "x");
    const QString file = dir.filePath(QStringLiteral("blocker/dawnhelm.ini"));
    const std::optional<QString> message = TrayPreference(file).setStartHidden();
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains(file)) << message->toStdString();
    EXPECT_TRUE(message->contains(QStringLiteral("is not a folder"))) << message->toStdString();
    EXPECT_FALSE(TrayPreference(file).startHidden());
}

TEST(TrayPreferenceTest, DefaultLivesInTheUsersConfigurationFolder) {
    EXPECT_TRUE(TrayPreference().fileName().endsWith(QStringLiteral("dawnhelm/dawnhelm.ini")))
        << TrayPreference().fileName().toStdString();
}

}  // namespace
}  // namespace dawn
