#include "ui/main/traypreference.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
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

// A pipe in the file's place would hang the start for ever (the reader waits
// for a writer); it, and anything else that is not a file, is neither read
// nor replaced.
TEST(TrayPreferenceTest, APipeOrAFolderInTheFilesPlaceIsLeftAlone) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    ASSERT_TRUE(QFile::link(pipe, link));
    struct Case {
        QString file;
        const char* reason;
    };
    for (const Case& c : {Case{pipe, "not a regular file"}, Case{link, "not a regular file"},
                          Case{folder, "a folder"}}) {
        SCOPED_TRACE(c.file.toStdString());
        const TrayPreference pref(c.file);
        EXPECT_FALSE(pref.startHidden());  // returns at once
        const std::optional<QString> message = pref.setStartHidden();
        ASSERT_TRUE(message.has_value());
        EXPECT_TRUE(message->contains(QLatin1String(c.reason))) << message->toStdString();
        pref.clear();
    }
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(QFile::encodeName(link).constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

}  // namespace
}  // namespace dawn
