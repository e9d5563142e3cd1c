#include "ui/places/placeswindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include "present/placelist.h"
#include "present/testsupport_state.h"
#include "ui/common/testsupport/recording_messages.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class PlacesWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        state.Shown = state.Today;
        state.ShowDate(state.Today);
    }
    std::string File(const char* name = "Dawnplaces.txt") const {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::ReadOnly)) return "(none)";
        return file.readAll().toStdString();
    }
    void Write(const std::string& bytes) const {
        QFile file(dir.filePath(QStringLiteral("Dawnplaces.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    QStringList Column(int c) const {
        QStringList cells;
        for (int r = 0; r < window.Table->rowCount(); ++r)
            cells << window.Table->item(r, c)->text();
        return cells;
    }

    QTemporaryDir dir;
    AppState state = test::EnglishState(dir.path().toStdString());
    test::RecordingMessages messages;
    PlacesWindow window{state, nullptr, messages};
};

TEST_F(PlacesWindowTest, KeepsTheListAndShowsAPlace) {
    Write("Helsinki;3610;1498;Europe/Helsinki\r\n");
    window.Refresh();
    // Today's times of each place on its own clock, as `places` prints them.
    const std::vector<PlaceRow> rows =
        PlaceRowsOf(state.Settings, window.Places(), state.Today, state.Today);
    EXPECT_EQ(window.Table->item(0, 2)->text().toStdString(), rows[0].sunrise);
    EXPECT_EQ(window.Table->item(0, 4)->text().toStdString(), rows[0].dayLength);
    // And its golden hours, morning and evening, as the light panel gives them.
    EXPECT_EQ(window.Table->item(0, 5)->text().toStdString(), rows[0].morningGolden);
    EXPECT_EQ(window.Table->item(0, 6)->text().toStdString(), rows[0].eveningGolden);
    EXPECT_THAT(rows[0].morningGolden,
                ::testing::MatchesRegex("[0-9][0-9]:[0-9][0-9]\u2013[0-9][0-9]:[0-9][0-9]"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Places"));

    window.AddShownPlace();  // the default place, by its coordinates
    window.AddShownPlace();  // not twice
    ASSERT_EQ(window.Table->rowCount(), 2);
    window.Table->selectRow(1);
    window.AskName = [](const QString&) { return QStringLiteral(" Home; old "); };
    window.RenameChosen();
    window.MoveChosen(-1);
    EXPECT_THAT(Column(0), ElementsAre(QStringLiteral("Home; old"), QStringLiteral("Helsinki")));
    EXPECT_THAT(File(), HasSubstr("Home; old;"));
    EXPECT_EQ(File().find("Home"), 0u);

    window.AskName = [](const QString&) { return QStringLiteral("Helsinki"); };
    window.RenameChosen();  // a name that is taken
    EXPECT_THAT(messages.shown.join('\n').toStdString(), HasSubstr("is taken"));

    QSignalSpy changed(&window, &PlacesWindow::placeChanged);
    window.Table->selectRow(1);
    window.ShowChosen();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(state.Settings.ZoneName, "Europe/Helsinki");
    EXPECT_EQ(state.Settings.LatitudeMinutes, 3610);
    EXPECT_EQ(state.Day.Date, state.Shown);

    window.RemoveChosen();
    EXPECT_THAT(Column(0), ElementsAre(QStringLiteral("Home; old")));
}

TEST_F(PlacesWindowTest, ADamagedFileIsKeptAndBackedUp) {
    const std::string damaged = "Helsinki;3610;1498;Europe/Helsinki\r\n<b>not a place</b>\r\n";
    Write(damaged);
    window.Refresh();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_THAT(messages.shown[0].toStdString(), HasSubstr("Line 2"));
    window.AddShownPlace();
    EXPECT_EQ(File("Dawnplaces.txt.bak"), damaged);
    EXPECT_THAT(File(), HasSubstr("<b>not a place</b>"));  // kept, not lost
    EXPECT_EQ(window.Table->rowCount(), 2);
}

}  // namespace
}  // namespace dawn
