#include "ui/picture/picturewindow.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "present/appstate.h"
#include "ui/common/testsupport/recording_messages.h"

namespace dawn {
namespace {

using std::chrono::minutes;

class PictureWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        state.Locale.DateFormat = "dd/MM/yyyy";
        state.Current.hemisphere = HemisphereLetters{"N", "E", "S", "W"};
        state.Settings.LongitudeMinutes = 328;
        state.Settings.LatitudeMinutes = 3047;
        state.Day.Date = DayNumber::FromYmd(2024, 6, 21);
        mainWindow.resize(420, 296);
        QObject::connect(&form, &QWidget::windowTitleChanged,
                         [this](const QString& t) { titles << t; });
    }

    QString Picture(const char* name, const char* format, QSize size = QSize(160, 120)) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(QColor(200, 40, 40));
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path, format, 90));
        return path;
    }
    QString Bytes(const char* name, const QByteArray& data) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return path;
    }
    // ShowImage opens the window modally; `whileOpen` runs inside it, then
    // the window is closed.
    void ShowAndClose(const QString& file, bool stretch, std::function<void()> whileOpen = {}) {
        bool ran = false;
        QTimer::singleShot(0, &form, [&] {
            ran = true;
            EXPECT_TRUE(form.isVisible());
            if (whileOpen) whileOpen();
            form.close();
        });
        form.ShowImage(file, stretch, QStringLiteral("Sunrise"), minutes(5 * 60 + 30));
        EXPECT_TRUE(ran);
        EXPECT_FALSE(form.isVisible());
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    AppState state;
    QWidget mainWindow;
    PictureWindow form{state, &mainWindow, nullptr, messages};
    QStringList titles;
};

TEST_F(PictureWindowTest, JpegProgressEndsInTheFinalCaption) {
    ShowAndClose(Picture("sunrise.jpg", "JPG"), false);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
    EXPECT_EQ(form.ImageTitle, "21/06/2024  05:30");
    ASSERT_GE(titles.size(), 2);
    EXPECT_TRUE(titles.front().startsWith("21/06/2024  05:30 at 05E28 50N47  (JPEG = "))
        << titles.front().toStdString();
    EXPECT_EQ(titles.back(), "21/06/2024  05:30 at 05E28 50N47");
    EXPECT_EQ(form.windowTitle(), "21/06/2024  05:30 at 05E28 50N47");
    EXPECT_EQ(form.ImageView->Picture().size(), QSize(160, 120));
    EXPECT_EQ(form.ImageView->toolTip(), "Sunrise");
}

TEST_F(PictureWindowTest, OtherFormatsLeaveTheCaptionAlone) {
    for (const char* format : {"BMP", "PNG", "ICO"}) {
        form.setWindowTitle(QStringLiteral("before"));
        titles.clear();
        const QString name = QStringLiteral("sunset.") + QString::fromLatin1(format).toLower();
        ShowAndClose(Picture(name.toLatin1().constData(), format, QSize(32, 32)), false);
        EXPECT_FALSE(form.ImageView->Picture().isNull()) << format;
        EXPECT_TRUE(titles.isEmpty()) << format;
        EXPECT_EQ(form.windowTitle(), "before");
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PictureWindowTest, WindowSizeFollowsTheStretchFlagWithinTheAvailableArea) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    const QString file = Picture("sunrise.png", "PNG");
    ShowAndClose(file, true, [&] { EXPECT_EQ(form.frameGeometry(), area); });
    ShowAndClose(file, false, [&] {
        EXPECT_EQ(form.frameGeometry().size(), mainWindow.frameGeometry().size());
        EXPECT_EQ(form.frameGeometry().center(), area.center());
    });
    // A main window larger than the screen gives a window that still fits.
    mainWindow.resize(area.size() * 3);
    ShowAndClose(file, false, [&] { EXPECT_TRUE(area.contains(form.frameGeometry())); });
}

TEST_F(PictureWindowTest, MissingPictureIsReportedAndTheWindowStaysClosed) {
    form.ShowImage(dir.filePath("gone.jpg"), true, QStringLiteral("Sunrise"), minutes(330));
    EXPECT_EQ(messages.shown, QStringList{"Missing ImageFile"});
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.ImageTitle.isEmpty());
}

TEST_F(PictureWindowTest, PicturesThatCannotBeShown) {
    QFile good(Picture("good.jpg", "JPG", QSize(256, 256)));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray jpeg = good.readAll();
    const struct {
        const char* name;
        QByteArray data;
        bool picture;
        const char* message;  // start of the message, or null for none
    } cases[] = {
        {"corrupt.jpg", QByteArray("\xFF\xD8 this is no JPEG data at all"), false,
         "JPEG error in "},
        {"truncated.jpg", jpeg.left(jpeg.size() * 2 / 3), true, "JPEG warning for "},
        {"unknown.xyz", jpeg, false, nullptr},
        {"broken.bmp", QByteArray("BM not really a bitmap"), false, nullptr},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        form.ImageView->SetPicture(QImage(8, 8, QImage::Format_RGB888));
        ShowAndClose(Bytes(c.name, c.data), false);
        EXPECT_EQ(!form.ImageView->Picture().isNull(), c.picture) << c.name;
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.shown.isEmpty()) << c.name;
        } else {
            ASSERT_EQ(messages.shown.size(), 1) << c.name;
            EXPECT_TRUE(messages.shown[0].startsWith(QString::fromLatin1(c.message)))
                << messages.shown[0].toStdString();
        }
    }
}

TEST_F(PictureWindowTest, ASecondPictureReplacesTheFirstInTheOpenWindow) {
    const QString first = Picture("first.png", "PNG", QSize(10, 10));
    const QString second = Picture("second.png", "PNG", QSize(20, 20));
    ShowAndClose(first, false, [&] {
        // Called while the window is open: it returns at once.
        form.ShowImage(second, true, QStringLiteral("Sunset"), minutes(21 * 60 + 40));
        EXPECT_EQ(form.ImageView->Picture().size(), QSize(20, 20));
        EXPECT_EQ(form.ImageView->toolTip(), "Sunset");
        EXPECT_EQ(form.ImageTitle, "21/06/2024  21:40");
    });
}

TEST_F(PictureWindowTest, TheChartGivesWayToThePicture) {
    auto* chart = new QWidget;
    form.SetGraph(chart);
    EXPECT_EQ(form.Chart, chart);
    chart->show();
    form.FormActivate();
    EXPECT_TRUE(chart->isHidden());
    chart->show();
    ShowAndClose(Picture("sunrise.png", "PNG"), false, [&] { EXPECT_TRUE(chart->isHidden()); });
}

}  // namespace
}  // namespace dawn
