// The export dialog opened from the main window: the file's header reads the
// panel and the captions as the window shows them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include "present/appstate.h"
#include "present/export.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/export/exportdialog.h"
#include "ui/export/testsupport/fake_chooser.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

using test::FakeChooser;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ExportFromMainWindow, ReadsThePanelAndTheCaptionsAsShown) {
    // Longyearbyen in December: the sun's status message stands in the
    // day-length caption and changes the captions' indentation.
    QTemporaryDir folder;
    test::RecordingMessages messages;
    AppState state;
    SiteSettings settings = DefaultSettings(folder.path().toStdString(), 2024);
    settings.LatitudeMinutes = 4693;
    settings.LongitudeMinutes = 938;
    settings.LanguageIndex = 3;
    ASSERT_TRUE(SaveSettings(settings, folder.path().toStdString()).ok);
    const std::chrono::year_month_day today{std::chrono::year(2024), std::chrono::December,
                                            std::chrono::day(21)};
    MainWindow main(state, StartupInputs{folder.path(), QLocale(QStringLiteral("de_DE")), today,
                                         false, nullptr, &messages});
    ExportDialog dialog(state, &main, messages);
    FakeChooser chooser;
    chooser.answer = folder.filePath(QStringLiteral("out.txt"));
    dialog.setFileChooser(&chooser);
    dialog.DateTimePickerStart->setDate(QDate(2024, 12, 21));
    dialog.DateTimePickerStop->setDate(QDate(2024, 12, 21));

    for (Body body : {Body::Sun, Body::Moon}) {
        if (body == Body::Moon) main.lbdaylightClick();
        dialog.btnExport->click();
        QFile file(chooser.answer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray first = file.readLine();
        const ExportHeader expected = ExportHeaderFor(state);
        EXPECT_EQ(first.toStdString(), ExportHeaderLines(expected, body)[0] + "\r\n");
        EXPECT_EQ(main.lbCoordinates->text().toStdString(), expected.coordinatesCaption);
        const QByteArray rest = file.readAll();
        EXPECT_TRUE(rest.contains("\r\n21.12.2024;")) << rest.toStdString();
    }
    EXPECT_THAT(chooser.offered, ElementsAre("dawnhelm_data.txt", "moonhelm_data.txt"));
    EXPECT_THAT(messages.shown, IsEmpty());
}

}  // namespace
}  // namespace dawn
