#include "ui/main/passworddialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "i18n/accesscode.h"

namespace dawn {

TranslationGridPasswordDialog::TranslationGridPasswordDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TranslationGridPasswordDialog"));
    setWindowTitle(QStringLiteral("Translation Grid"));
    setModal(false);

    Label1 = new QLabel(QStringLiteral("Enter password to change others than local:"), this);
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    Password->setEchoMode(QLineEdit::Password);
    // Every typed character shows as "*", whatever the style would draw.
    Password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TranslationGridPasswordDialog::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TranslationGridPasswordDialog::CancelBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void TranslationGridPasswordDialog::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    Password->setFocus();
    QDialog::showEvent(event);
}

void TranslationGridPasswordDialog::OKBtnClick() {
    const bool unlocked = IsAccessCode(Password->text().toStdString());
    emit gridRequested(unlocked);
    Password->clear();
    QDialog::accept();
}

void TranslationGridPasswordDialog::CancelBtnClick() {
    QDialog::reject();
}

void TranslationGridPasswordDialog::reject() {
    CancelBtnClick();
}

}  // namespace dawn
