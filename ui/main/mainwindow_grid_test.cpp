// The translation grid on the main window, driven through the password
// dialog and real mouse and key events.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/mainwindow.h"
#include "ui/main/passworddialog.h"
#include "ui/main/startup.h"

namespace dawn {
namespace {

class GridTest : public ::testing::Test {
protected:
    GridTest()
        : form_(state_,
                StartupInputs{dir_.path(), QLocale(QStringLiteral("en_GB")),
                              std::chrono::year{2024} / 6 / 21, false, nullptr, &messages_}) {
        QObject::connect(&form_, &MainWindow::translationGridRequested, &dlg_, &QDialog::show);
        QObject::connect(&dlg_, &TranslationGridPasswordDialog::gridRequested, &form_,
                         &MainWindow::ShowTranslationGrid);
        form_.show();
    }

    void Confirm(const QString& password) {
        dlg_.show();
        QTest::keyClicks(dlg_.Password, password);
        QTest::mouseClick(dlg_.OKBtn, Qt::LeftButton);
    }

    // Clicks grid cell (column, row) of the label table.
    void ClickCell(int column, int row) {
        QTableWidget* grid = form_.LabelGrid;
        grid->scrollToItem(grid->item(row - 1, column - 1));
        const QRect cell = grid->visualItemRect(grid->item(row - 1, column - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // The label-table cell the grid's current cell stands for.
    std::pair<int, int> Current() const {
        return {form_.LabelGrid->currentColumn() + 1, form_.LabelGrid->currentRow() + 1};
    }

    // Enter on an editor: the text goes into the cell at the next turn of the
    // event loop.
    void Enter(QWidget* editor) {
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // Types into the selected cell: the first key opens its editor, which
    // then has the keyboard.
    QWidget* Type(const QString& text) {
        QTest::keyClick(form_.LabelGrid, text.at(0).toLatin1());
        for (QLineEdit* editor : form_.LabelGrid->findChildren<QLineEdit*>()) {
            if (!editor->isVisible()) continue;  // a closed editor waiting for deletion
            QTest::keyClicks(editor, text.mid(1));
            return editor;
        }
        return nullptr;
    }

    QStringList SavedLines() const {
        QFile file(dir_.filePath(QStringLiteral("Dawnlabel.txt")));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }

    QTemporaryDir dir_;
    AppState state_;
    test::RecordingMessages messages_;
    MainWindow form_;
    TranslationGridPasswordDialog dlg_;
};

TEST_F(GridTest, DoubleClickOnEitherSunsetSignAsksForThePassword) {
    for (QLabel* sign : {form_.lbSunSetSymbol, form_.lbMoonSetSymbol}) {
        dlg_.hide();
        EXPECT_EQ(sign->toolTip(), QStringLiteral("double clic to translator"));
        QTest::mouseDClick(sign, Qt::LeftButton);
        EXPECT_TRUE(dlg_.isVisible()) << sign->objectName().toStdString();
    }
    QTest::mouseClick(dlg_.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(form_.LabelGrid->isVisible());
}

TEST_F(GridTest, OnlyTheAccessCodeOpensTheOtherLanguages) {
    struct Case {
        const char* password;
        bool unlocked;
    };
    // A capital letter or a trailing space keeps the grid locked, and an
    // empty password after a correct one locks it again.
    for (const Case& c : {Case{"Vantorel", false}, Case{"vantorel ", false}, Case{"vantorel", true},
                          Case{"", false}}) {
        Confirm(QString::fromLatin1(c.password));
        ASSERT_TRUE(form_.LabelGrid->isVisible());
        EXPECT_EQ(form_.GridUnlocked, c.unlocked) << c.password;
        ClickCell(1, 9);
        EXPECT_EQ(Current(), std::make_pair(1, 9)) << c.password;
        ClickCell(2, 12);
        EXPECT_EQ(Current(), c.unlocked ? std::make_pair(2, 12) : std::make_pair(1, 9))
            << c.password;
        EXPECT_EQ(form_.LabelGrid->item(11, 1)->isSelected(), c.unlocked) << c.password;
    }
}

TEST_F(GridTest, GridShowsTheWholeTableWithFixedHeaders) {
    Confirm(QString());
    QTableWidget* grid = form_.LabelGrid;
    EXPECT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->rowCount(), kLabelCount - 1);
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(),
              QString::fromStdString(state_.Labels.Cell(5, 0)));
    EXPECT_EQ(grid->horizontalHeader()->defaultSectionSize(), 140);
    EXPECT_TRUE(grid->font().bold());
    EXPECT_EQ(grid->font(), form_.font());  // the window's bold fixed-pitch font
    EXPECT_EQ(grid->toolTip(), QStringLiteral("Double clic to save"));
    EXPECT_EQ(grid->geometry(), form_.ClientArea->rect());
}

TEST_F(GridTest, DoubleClickSavesOneLinePerCellAndHidesTheGrid) {
    Confirm(QString());
    QTest::mouseDClick(form_.LabelGrid->viewport(), Qt::LeftButton);
    EXPECT_FALSE(form_.LabelGrid->isVisible());
    const QStringList lines = SavedLines();
    ASSERT_EQ(lines.size(), kLabelColumns * kLabelCount);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("00-00-")));
    EXPECT_TRUE(lines[kLabelCount].startsWith(QStringLiteral("01-00-")));
    EXPECT_TRUE(lines.last().startsWith(
        QString::fromStdString("07-" + std::to_string(kLabelCount - 1) + "-")));
    EXPECT_EQ(lines[9],
              QStringLiteral("00-09-") + QString::fromStdString(state_.Labels.Cell(0, 9)));
    EXPECT_TRUE(messages_.shown.isEmpty());
}

TEST_F(GridTest, AnEditedLocalCaptionShowsWhenTheLanguageIsAppliedAgain) {
    state_.Settings.LanguageIndex = 0;
    state_.ApplyLanguage();
    form_.MonthCalendarChange();
    Confirm(QString());
    ClickCell(1, 9);
    Enter(Type(QStringLiteral("Daybreak:")));
    EXPECT_EQ(state_.Labels.Cell(1, 9), "Daybreak:");
    // Saved with a double-click inside a cell being edited.
    ClickCell(1, 10);
    QWidget* editor = Type(QStringLiteral("Nightfall:"));
    ASSERT_NE(editor, nullptr);
    QTest::mouseDClick(editor, Qt::LeftButton);
    EXPECT_FALSE(form_.LabelGrid->isVisible());
    EXPECT_TRUE(SavedLines().contains(QStringLiteral("01-10-Nightfall:")));

    state_.ApplyLanguage();
    form_.MonthCalendarChange();
    EXPECT_EQ(form_.lbSunrise->text().trimmed(), QStringLiteral("Daybreak:"));
    EXPECT_EQ(form_.lbSunset->text().trimmed(), QStringLiteral("Nightfall:"));
}

TEST_F(GridTest, AWriteErrorKeepsTheGridOpenWithTheEdits) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Dawnlabel.txt")));  // cannot be replaced
    Confirm(QStringLiteral("vantorel"));
    ClickCell(3, 9);
    Enter(Type(QStringLiteral("Lever:")));
    QTest::mouseDClick(form_.LabelGrid->viewport(), Qt::LeftButton);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("Cannot create file")))
        << messages_.shown[0].toStdString();
    EXPECT_TRUE(messages_.shown[0].contains(dir_.filePath(QStringLiteral("Dawnlabel.txt"))));
    EXPECT_TRUE(form_.LabelGrid->isVisible());
    EXPECT_EQ(state_.Labels.Cell(3, 9), "Lever:");
    EXPECT_EQ(form_.LabelGrid->item(8, 2)->text(), QStringLiteral("Lever:"));
}

// A label file with lines the program could not take over (here a line
// without its cell number) is kept as Dawnlabel.txt.bak before the grid's
// first save replaces it; later saves leave the copy alone.
TEST(GridSave, AFileWithAProblemIsKeptBeforeTheFirstSave) {
    QTemporaryDir dir;
    const QByteArray original = "05-00-English\r\n05-09-Sunrise:\r\nSunset: without a cell\r\n";
    {
        QFile file(dir.filePath(QStringLiteral("Dawnlabel.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    test::RecordingMessages messages;
    AppState state;
    MainWindow form(state,
                    StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, nullptr, &messages});
    QCoreApplication::processEvents();  // the loader's message
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("Dawnlabel.txt.bak")));
    const QString backup = dir.filePath(QStringLiteral("Dawnlabel.txt.bak"));
    form.ShowTranslationGrid(true);
    form.LabelGridDblClick();
    QFile kept(backup);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), original);
    ASSERT_TRUE(QFile::remove(backup));
    form.ShowTranslationGrid(true);
    form.LabelGridDblClick();
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_EQ(messages.shown.size(), 1);
}

}  // namespace
}  // namespace dawn
