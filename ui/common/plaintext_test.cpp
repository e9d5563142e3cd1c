#include "ui/common/plaintext.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QToolTip>

#include "ui/common/messages.h"

namespace dawn {
namespace {

// A settings line or a label holding HTML: as rich text it would show a local
// picture and a link.
const QString kHostile = QStringLiteral("<img src=\"/etc/hosts\"><a href=\"file:///\">open</a>");

TEST(PlainText, TooltipsFromFilesShowTheirMarkupAsText) {
    EXPECT_EQ(PlainToolTip(QStringLiteral("Sunrise 05:30")), QStringLiteral("Sunrise 05:30"));
    EXPECT_EQ(PlainToolTip(QStringLiteral("a < b")), QStringLiteral("a < b"));
    const QString plain = PlainToolTip(kHostile);
    EXPECT_FALSE(plain.contains(QStringLiteral("<img")) || plain.contains(QStringLiteral("<a")));
    EXPECT_TRUE(plain.contains(QStringLiteral("&lt;img")) &&
                plain.contains(QStringLiteral("&lt;a")))
        << plain.toStdString();

    // Every widget's tooltip goes through it, whoever set it.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    InstallPlainToolTips(*app);
    QWidget widget;
    widget.setToolTip(kHostile);
    widget.resize(100, 100);
    widget.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&widget, &help);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), plain);
    QToolTip::hideText();
}

TEST(PlainText, MessageBoxesShowPlainText) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                seen = true;
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->text(), kHostile);
                box->accept();
            }
        }
    });
    poll.start(10);
    RealMessageBoxes().showMessage(nullptr, kHostile);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace dawn
