#pragma once
// The password dialog in front of the translation grid. It is not modal: the
// main window stays usable while it is open. OK (or Enter) opens the grid,
// unlocked for every language exactly when the access code was typed, and
// clears the password; Cancel (or Escape) only closes the dialog.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dawn {

class TranslationGridPasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit TranslationGridPasswordDialog(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Password;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    void OKBtnClick();
    void CancelBtnClick();
    // Escape and the window's close request end up here, as Cancel.
    void reject() override;

signals:
    // OK was pressed: the grid is to be shown, every language column
    // editable when `unlocked`, only the local one otherwise.
    void gridRequested(bool unlocked);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace dawn
