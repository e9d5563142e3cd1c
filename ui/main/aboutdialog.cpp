#include "ui/main/aboutdialog.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "present/appstate.h"
#include "ui/common/helpwindow.h"
#include "ui/common/links.h"

namespace dawn {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

void SetBold(QWidget* widget, int pointSize = 0) {
    QFont font = widget->font();
    font.setBold(true);
    if (pointSize > 0) font.setPointSize(pointSize);
    widget->setFont(font);
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About dawnhelm"));
    setFixedSize(360, 280);

    ProgramIcon = MakeLabel(this, QString(), QRect(16, 16, 48, 48));
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(dawn::ProgramIcon().pixmap(48, 48));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setToolTip(QStringLiteral("Click for version list"));
    ProgramIcon->setCursor(Qt::PointingHandCursor);
    ProgramIcon->installEventFilter(this);

    ProductName = MakeLabel(this, QStringLiteral("Dawnhelm"), QRect(80, 18, 180, 20));
    ProductName->setObjectName(QStringLiteral("ProductName"));
    SetBold(ProductName, 12);
    Version = MakeLabel(this, QString(), QRect(80, 42, 180, 18));
    Version->setObjectName(QStringLiteral("Version"));
    SetBold(Version);

    btnVersionHist = new QPushButton(QStringLiteral("Version"), this);
    btnVersionHist->setObjectName(QStringLiteral("btnVersionHist"));
    btnVersionHist->setGeometry(264, 16, 80, 26);
    btnVersionHist->setAutoDefault(false);
    connect(btnVersionHist, &QPushButton::clicked, this, &AboutDialog::btnVersionHistClick);

    MakerGroup = new QGroupBox(this);
    MakerGroup->setGeometry(16, 76, 328, 140);
    lbMaker =
        MakeLabel(MakerGroup, QStringLiteral("The Dawnhelm developers"), QRect(12, 12, 300, 18));
    lbAddress = MakeLabel(MakerGroup, QStringLiteral("Lantern Lane 7\nNorthby 4711\nExampleland"),
                          QRect(12, 32, 300, 50));
    lbAddress->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QFont linkFont = font();
    linkFont.setBold(true);
    linkFont.setPointSize(qMax(7, linkFont.pointSize() - 1));
    lbHomePage =
        MakeLabel(MakerGroup, QStringLiteral("homepage: ") + QString::fromLatin1(kHomePageAddress),
                  QRect(12, 88, 310, 18));
    lbHomePage->setObjectName(QStringLiteral("lbHomePage"));
    lbHomePage->setFont(linkFont);
    lbHomePage->setStyleSheet(QStringLiteral("color: navy;"));
    lbHomePage->setToolTip(QStringLiteral("get here the latest version of dawnhelm"));
    lbHomePage->setCursor(Qt::PointingHandCursor);
    lbHomePage->installEventFilter(this);
    lbEmail = MakeLabel(MakerGroup, QStringLiteral("e-mail: ") + QString::fromLatin1(kMailAddress),
                        QRect(12, 110, 310, 18));
    lbEmail->setObjectName(QStringLiteral("lbEmail"));
    lbEmail->setFont(linkFont);
    lbEmail->setStyleSheet(QStringLiteral("color: black;"));
    lbEmail->setToolTip(QStringLiteral("let me know your remarks"));
    lbEmail->setCursor(Qt::PointingHandCursor);
    lbEmail->installEventFilter(this);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(140, 236, 80, 28);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    // Laid over the middle of the box, above the makers' group.
    VersionMemo = new QPlainTextEdit(this);
    VersionMemo->setObjectName(QStringLiteral("VersionMemo"));
    VersionMemo->setGeometry(16, 72, 328, 154);
    VersionMemo->setReadOnly(true);
    VersionMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    VersionMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    VersionMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    VersionMemo->setPlainText(VersionHistory());
    VersionMemo->hide();
    VersionMemo->raise();
}

QString AboutDialog::VersionHistory() {
    return QStringLiteral(
        "1.1.0.0\n"
        "  - Lives in the notification area on\n"
        "    request, and starts there again.\n"
        "  - Translation grid: correct the texts\n"
        "    of every language in the program.\n"
        "  - Export of rise and set times to a\n"
        "    text file, for the sun or the moon.\n"
        "  - Year graph of rise and set times,\n"
        "    ready to print.\n"
        "  - Sunrise and sunset alarms with a\n"
        "    sound and a picture.\n"
        "\n"
        "1.0.0.0\n"
        "  - First release: sunrise, sunset, day\n"
        "    length, moonrise, moonset and\n"
        "    moonlight for one place, with the\n"
        "    change against the day before, week\n"
        "    numbers and the summer-time dates.\n");
}

void AboutDialog::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormActivate();
    QDialog::showEvent(event);
}

void AboutDialog::FormActivate() {
    Version->setText(QString::fromLatin1(kVersionText));
    VersionMemo->hide();
}

void AboutDialog::ApplyEdits() {
    VersionMemo->setVisible(VersionMemo->isHidden());
}

void AboutDialog::btnVersionHistClick() {
    VersionMemo->setVisible(VersionMemo->isHidden());
}

void AboutDialog::lbHomePageClick() {
    OpenHomePage();
}

void AboutDialog::lbEmailClick() {
    emit mailLinkRequested();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ProgramIcon) ApplyEdits();
        if (watched == lbHomePage) lbHomePageClick();
        if (watched == lbEmail) lbEmailClick();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dawn
