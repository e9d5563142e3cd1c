#pragma once
// The program's manual: HTML pages compiled into the program (help.qrc) and
// shown in a window of its own. The main menu opens it at the main window's
// topic, and F1 anywhere opens it at the topic of the window or panel that has
// the keyboard focus.
//
// Help contexts: 1 the main window (topic "frmDawnhelm"), 2 the settings panel
// of the configuration dialog, 3 its media panel, 101 the language choice. A
// widget names its context with the dynamic property "helpContext" (an int);
// without one, the names PanelConfig, PanelFiles and LanguageBox and the
// window classes are recognised, the nearest enclosing widget first.
#include <QIcon>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

class QTextBrowser;
class QPushButton;

namespace dawn {

inline constexpr int kHelpMainWindow = 1;
inline constexpr int kHelpSettingsPanel = 2;
inline constexpr int kHelpMediaPanel = 3;
inline constexpr int kHelpLanguageBox = 101;
inline constexpr const char* kHelpContextProperty = "helpContext";
inline constexpr const char* kMainHelpTopic = "frmDawnhelm";

// Makes the manual and the program's icon (compiled into this library)
// available as resources under ":/help"; safe to call any number of times.
void LoadHelpResources();
// The program's own icon (the tray icon, the about box, the window icons).
QIcon ProgramIcon();

// The page of a help context; the contents page for an unknown one.
QUrl HelpPageOfContext(int context);
// The page of a topic name ("frmDawnhelm"); the contents page when unknown.
QUrl HelpPageOfTopic(const QString& topic);
// The help page for the widget that has the focus (or the active window).
QUrl HelpPageFor(const QWidget* widget);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser;
    QPushButton* btnContents;
    QPushButton* btnBack;
    QPushButton* btnForward;

    // The page shown now.
    QUrl currentPage() const;

public slots:
    void ShowContext(int context);
    void ShowTopic(const QString& topic);
    void ShowPage(const QUrl& page);

private:
    void present();
};

// Makes F1 open the manual at the topic of the focused widget, in every
// window of the program, for as long as `owner` lives. `help` gives the help
// window, which may be made on the first F1.
void InstallHelpKey(QObject* owner, std::function<HelpWindow&()> help);

}  // namespace dawn
