#pragma once
// The about box: the program's name and version, the makers' address with
// the home page and mail links, and a version history shown on demand (a
// click on the icon or the "Version" button). It always opens with the
// history hidden.
#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dawn {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* btnVersionHist;
    QPlainTextEdit* VersionMemo;
    QGroupBox* MakerGroup;
    QLabel* lbMaker;
    QLabel* lbAddress;
    QLabel* lbHomePage;
    QLabel* lbEmail;
    QPushButton* OkButton;

    // The version history shown in VersionMemo, newest first.
    static QString VersionHistory();

public slots:
    void FormActivate();
    void ApplyEdits();
    void btnVersionHistClick();
    void lbHomePageClick();
    void lbEmailClick();

signals:
    // The mail link names the main window's place and date, so the main
    // window builds it; the program connects this to it.
    void mailLinkRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dawn
