#include "ui/main/aboutdialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace dawn {
namespace {

TEST(AboutBoxTest, OpensWithVersionAndHistoryHiddenEvenAfterItWasShown) {
    AboutDialog box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About dawnhelm"));
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
    for (int opening = 0; opening < 2; ++opening) {
        box.show();
        EXPECT_EQ(box.Version->text(), QStringLiteral("1.1.0.0"));
        EXPECT_FALSE(box.VersionMemo->isVisible()) << "opening " << opening;
        QTest::mouseClick(box.btnVersionHist, Qt::LeftButton);
        EXPECT_TRUE(box.VersionMemo->isVisible());
        QTest::mouseClick(box.OkButton, Qt::LeftButton);
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(AboutBoxTest, IconAndButtonToggleTheHistory) {
    AboutDialog box;
    box.show();
    ASSERT_FALSE(box.VersionMemo->isVisible());
    QTest::mouseClick(box.ProgramIcon, Qt::LeftButton);
    EXPECT_TRUE(box.VersionMemo->isVisible());
    QTest::mouseClick(box.ProgramIcon, Qt::LeftButton);
    EXPECT_FALSE(box.VersionMemo->isVisible());
    QTest::mouseClick(box.ProgramIcon, Qt::LeftButton);
    QTest::mouseClick(box.btnVersionHist, Qt::LeftButton);
    EXPECT_FALSE(box.VersionMemo->isVisible());
    EXPECT_TRUE(box.VersionMemo->isReadOnly());
    EXPECT_TRUE(box.VersionMemo->toPlainText().startsWith(QStringLiteral("1.1.0.0")));
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
}

}  // namespace
}  // namespace dawn
