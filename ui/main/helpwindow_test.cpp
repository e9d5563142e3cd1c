#include "ui/common/helpwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/mainwindow.h"
#include "ui/main/passworddialog.h"

namespace dawn {
namespace {

QString PageName(const QUrl& url) {
    return url.fileName();
}

TEST(HelpTest, ContextsAndTopicsHaveTheirPages) {
    struct Case {
        int context;
        const char* page;
    };
    for (const Case& c :
         {Case{1, "mainwindow.html"}, Case{2, "settings.html"}, Case{3, "media.html"},
          Case{101, "language.html"}, Case{77, "index.html"}}) {
        EXPECT_EQ(PageName(HelpPageOfContext(c.context)), QLatin1String(c.page)) << c.context;
    }
    EXPECT_EQ(PageName(HelpPageOfTopic(QStringLiteral("frmDawnhelm"))),
              QStringLiteral("mainwindow.html"));
}

TEST(HelpTest, EveryPageIsCompiledInAndEveryInternalLinkResolves) {
    LoadHelpResources();
    QStringList pages;
    for (const QString& name : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
        pages << name.chopped(5);
    for (const char* page : {"index", "mainwindow", "settings", "language", "media", "tray",
                             "translation", "export", "graph", "places", "almanac", "sky"})
        EXPECT_TRUE(pages.contains(QLatin1String(page))) << page;
    const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)(#[A-Za-z0-9_]+)?\""));
    for (const QString& page : pages) {
        QFile file(QStringLiteral(":/help/") + page + QStringLiteral(".html"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_GT(html.size(), 800) << page.toStdString();
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + m.captured(1)))
                << page.toStdString() << " links to " << m.captured(1).toStdString();
            if (m.hasCaptured(2)) {
                QFile target(QStringLiteral(":/help/") + m.captured(1));
                ASSERT_TRUE(target.open(QIODevice::ReadOnly));
                const QString anchor = m.captured(2).mid(1);
                EXPECT_TRUE(QString::fromUtf8(target.readAll())
                                .contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << page.toStdString() << " links to missing anchor " << anchor.toStdString();
            }
        }
    }
}

TEST(HelpTest, F1OpensTheTopicOfTheFocusedPanel) {
    HelpWindow help;
    InstallHelpKey(&help, [&help]() -> HelpWindow& { return help; });

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new QLineEdit(&window);
    auto* settings = new QWidget(&window);
    settings->setObjectName(QStringLiteral("PanelConfig"));
    auto* inSettings = new QLineEdit(settings);
    auto* language = new QWidget(settings);
    language->setProperty(kHelpContextProperty, kHelpLanguageBox);
    auto* inLanguage = new QPushButton(QStringLiteral("Loc"), language);
    auto* media = new QWidget(&window);
    media->setProperty(kHelpContextProperty, kHelpMediaPanel);
    auto* inMedia = new QLineEdit(media);
    layout->addWidget(plain);
    layout->addWidget(settings);
    layout->addWidget(media);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    struct Case {
        QWidget* focus;
        const char* page;
    };
    for (const Case& c : {Case{inSettings, "settings.html"}, Case{inLanguage, "language.html"},
                          Case{inMedia, "media.html"}, Case{plain, "index.html"}}) {
        window.activateWindow();
        c.focus->setFocus();
        QTest::keyClick(c.focus, Qt::Key_F1);
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(PageName(help.currentPage()), QLatin1String(c.page));
        EXPECT_FALSE(help.Browser->toPlainText().isEmpty());
    }
}

TEST(HelpTest, TheMainWindowAndThePasswordDialogHaveTheirTopics) {
    test::RecordingMessages messages;
    QTemporaryDir dir;
    AppState state;
    MainWindow form(state,
                    StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, nullptr, &messages});
    TranslationGridPasswordDialog password;
    EXPECT_EQ(PageName(HelpPageFor(form.MonthCalendar)), QStringLiteral("mainwindow.html"));
    EXPECT_EQ(PageName(HelpPageFor(form.LabelGrid)), QStringLiteral("mainwindow.html"));
    EXPECT_EQ(PageName(HelpPageFor(password.Password)), QStringLiteral("translation.html"));
}

TEST(HelpTest, OverAModalDialogTheManualOpensModalAndStaysUsable) {
    HelpWindow help;
    help.ShowContext(kHelpMainWindow);
    EXPECT_EQ(help.windowModality(), Qt::NonModal);

    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    for (int context : {kHelpSettingsPanel, kHelpLanguageBox}) {  // a second F1 keeps it modal
        help.ShowContext(context);
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(help.windowModality(), Qt::ApplicationModal) << context;
    }
    dialog.hide();
    help.hide();
    help.ShowContext(kHelpMainWindow);
    EXPECT_EQ(help.windowModality(), Qt::NonModal);
}

}  // namespace
}  // namespace dawn
