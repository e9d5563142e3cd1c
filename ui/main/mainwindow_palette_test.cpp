// The main window and the manual under a dark platform palette, and every
// window of this library on a small screen.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <cmath>
#include <memory>

#include "ui/common/helpwindow.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/aboutdialog.h"
#include "ui/main/clock.h"
#include "ui/main/mainwindow.h"
#include "ui/main/passworddialog.h"

namespace dawn {
namespace {

// The contrast ratio of two colours as the accessibility guidelines count
// it: 1 for equal colours, 21 for black on white.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QPalette DarkPalette() {
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(235, 235, 235);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, base);
        // A dark style's alternate rows can stay light: the headings must
        // not take them.
        p.setColor(g, QPalette::AlternateBase, QColor(250, 250, 250));
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, window);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::Highlight, QColor(42, 130, 218));
    }
    p.setColor(QPalette::Disabled, QPalette::Text, base);  // other months' days lost
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    return p;
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        QApplication::setPalette(DarkPalette());
    }
    void TearDown() override {
        form_.reset();
        QApplication::setPalette(saved_);
    }
    MainWindow& Start() {
        clock_.Set(QDateTime(QDate(2024, 6, 21), QTime(12, 0, 30)));
        form_ = std::make_unique<MainWindow>(
            state_, StartupInputs{dir_.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, &clock_, &messages_});
        state_.Settings.LanguageIndex = 4;
        state_.ApplyLanguage();
        form_->MonthCalendarChange();
        return *form_;
    }

    QPalette saved_;
    QTemporaryDir dir_;
    test::RecordingMessages messages_;
    ManualClock clock_;
    AppState state_;
    std::unique_ptr<MainWindow> form_;
};

TEST_F(PaletteTest, TheCalendarAndTheRowsKeepTheirContrastOnADarkPalette) {
    MainWindow& f = Start();
    auto* view = f.MonthCalendar->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    const QAbstractItemModel* model = view->model();
    auto colour = [model](int row, int column, int role) {
        return model->data(model->index(row, column), role).value<QBrush>().color();
    };
    // The weekday headings (row 0) on their background.
    for (int column = 0; column < model->columnCount(); ++column) {
        EXPECT_GE(
            Contrast(colour(0, column, Qt::ForegroundRole), colour(0, column, Qt::BackgroundRole)),
            4.5)
            << column;
    }
    // A day of May in the first week of June 2024 and the same weekday in
    // June: the other month's day greyed, readable, and unlike this month's.
    int may = -1;
    for (int column = 0; column < model->columnCount() && may < 0; ++column) {
        const QString day = model->data(model->index(1, column), Qt::DisplayRole).toString();
        const QString weekday = model->data(model->index(0, column), Qt::DisplayRole).toString();
        const bool weekend =
            weekday.startsWith(QStringLiteral("Sat")) || weekday.startsWith(QStringLiteral("Sun"));
        if (day.toInt() > 20 && !weekend) may = column;
    }
    ASSERT_GE(may, 0);
    const QColor other = colour(1, may, Qt::ForegroundRole);
    // The same weekday a week later, in June.
    const QColor own = colour(2, may, Qt::ForegroundRole);
    const QColor base = colour(1, may, Qt::BackgroundRole);
    EXPECT_GE(Contrast(other, base), 3.0);
    EXPECT_GE(Contrast(own, other), 1.5);
    // The summer-time rows: the shown date's row in the text colour, the
    // other greyed, both readable on the window.
    const QColor window = f.palette().color(QPalette::Window);
    for (QLabel* row : {f.lbSummerTime, f.lbWinterTime, f.lbSummerStartHour, f.lbWinterStartHour})
        EXPECT_GE(Contrast(row->palette().color(QPalette::WindowText), window), 3.0)
            << row->objectName().toStdString();
}

TEST_F(PaletteTest, TheManualKeepsALightPage) {
    HelpWindow help;
    const QPalette page = help.Browser->palette();
    EXPECT_GE(Contrast(page.color(QPalette::Text), page.color(QPalette::Base)), 7.0);
    EXPECT_GE(Contrast(page.color(QPalette::Link), page.color(QPalette::Base)), 7.0);
    // The pages' own dark text (#202020) on that page.
    EXPECT_GE(Contrast(QColor(0x20, 0x20, 0x20), page.color(QPalette::Base)), 7.0);
}

// Every window fits the screen it opens on, with room for its frame: ctest
// runs this on a 1920 x 1080 screen at double scale (960 x 540 of the
// windows' pixels) and on a 1366 x 768 one. The main window scrolls what
// does not fit.
TEST_F(PaletteTest, SmallScreenTakesEveryWindow) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize room = screen.size() - QSize(16, 48);
    MainWindow& f = Start();
    const QSize client = f.ClientArea->size();
    HelpWindow help;
    AboutDialog about;
    TranslationGridPasswordDialog password;
    for (QWidget* w : std::initializer_list<QWidget*>{&f, &help, &about, &password}) {
        w->show();
        const QSize size = w->frameGeometry().size().expandedTo(w->minimumSizeHint());
        EXPECT_LE(size.width(), room.width()) << w->objectName().toStdString();
        EXPECT_LE(size.height(), room.height()) << w->objectName().toStdString();
        if (w == &f) {
            EXPECT_EQ(f.ClientScroll->verticalScrollBar()->maximum() > 0,
                      client.height() + f.MenuBar->height() > room.height());
        }
        w->hide();
    }
}

}  // namespace
}  // namespace dawn
