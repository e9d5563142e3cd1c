#include "ui/main/passworddialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace dawn {
namespace {

TEST(PasswordDialogTest, OkReportsWhetherTheCodeWasTypedAndClearsThePassword) {
    TranslationGridPasswordDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Translation Grid"));
    EXPECT_FALSE(dlg.isModal());
    QSignalSpy opened(&dlg, &TranslationGridPasswordDialog::gridRequested);
    struct Case {
        const char* typed;
        bool unlocked;
    };
    // A correct code, then a wrong or empty one, locks again.
    for (const Case& c : {Case{"vantorel", true}, Case{"Vantorel", false}, Case{"vantorel", true},
                          Case{"vantorel ", false}, Case{"", false}}) {
        dlg.show();
        QTest::keyClicks(dlg.Password, QString::fromLatin1(c.typed));
        EXPECT_EQ(dlg.Password->displayText(), QString(int(strlen(c.typed)), u'*'));
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        ASSERT_EQ(opened.size(), 1) << c.typed;
        EXPECT_EQ(opened.takeFirst().at(0).toBool(), c.unlocked) << '"' << c.typed << '"';
        EXPECT_TRUE(dlg.Password->text().isEmpty());
        EXPECT_FALSE(dlg.isVisible());
    }
}

TEST(PasswordDialogTest, EnterConfirmsEscapeAndCancelOpenNothing) {
    TranslationGridPasswordDialog dlg;
    QSignalSpy opened(&dlg, &TranslationGridPasswordDialog::gridRequested);
    dlg.show();
    QTest::keyClicks(dlg.Password, QStringLiteral("vantorel"));
    QTest::keyClick(dlg.Password, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.takeFirst().at(0).toBool());
    EXPECT_FALSE(dlg.isVisible());

    dlg.show();
    QTest::keyClicks(dlg.Password, QStringLiteral("vantorel"));
    QTest::keyClick(dlg.Password, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(opened.size(), 0);
}

}  // namespace
}  // namespace dawn
