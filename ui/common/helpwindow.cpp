#include "ui/common/helpwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <functional>
#include <utility>

// The resources of a static library are registered by hand.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace dawn {
namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");

QUrl Page(const char* file) {
    return QUrl(kHelpRoot + QLatin1String(file));
}

// Help contexts named by the widgets' object names, for windows that do not
// set the helpContext property themselves.
int ContextOfName(const QString& name) {
    if (name == QLatin1String("PanelConfig")) return kHelpSettingsPanel;
    if (name == QLatin1String("PanelFiles")) return kHelpMediaPanel;
    if (name == QLatin1String("LanguageBox")) return kHelpLanguageBox;
    return 0;
}

// Pages of whole windows, by class.
const char* PageOfWindowClass(const QString& className) {
    if (className == QLatin1String("dawn::MainWindow")) return "mainwindow.html";
    if (className == QLatin1String("dawn::SettingsDialog")) return "settings.html";
    if (className == QLatin1String("dawn::ExportDialog")) return "export.html";
    if (className == QLatin1String("dawn::PictureWindow")) return "graph.html";
    if (className == QLatin1String("dawn::TranslationGridPasswordDialog"))
        return "translation.html";
    if (className == QLatin1String("dawn::PlacesWindow")) return "places.html";
    if (className == QLatin1String("dawn::AlmanacWindow")) return "almanac.html";
    if (className == QLatin1String("dawn::SkyViewWindow") ||
        className == QLatin1String("dawn::AlignmentDialog"))
        return "sky.html";
    return nullptr;
}

class HelpKeyFilter final : public QObject {
public:
    explicit HelpKeyFilter(std::function<HelpWindow&()> help, QObject* parent)
        : QObject(parent), help_(std::move(help)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && watched->isWidgetType()) {
            const QWidget* focus = QApplication::focusWidget();
            if (!focus) focus = static_cast<QWidget*>(watched);
            // Inside the manual itself F1 keeps the page.
            HelpWindow& help = help_();
            if (focus->window() != &help) help.ShowPage(HelpPageFor(focus));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<HelpWindow&()> help_;
};

}  // namespace

void LoadHelpResources() {
    static const bool loaded = [] {
        InitHelpResources();
        return true;
    }();
    (void)loaded;
}

QIcon ProgramIcon() {
    LoadHelpResources();
    return QIcon(QStringLiteral(":/help/dawnhelm.svg"));
}

QUrl HelpPageOfContext(int context) {
    switch (context) {
        case kHelpMainWindow:
            return Page("mainwindow.html");
        case kHelpSettingsPanel:
            return Page("settings.html");
        case kHelpMediaPanel:
            return Page("media.html");
        case kHelpLanguageBox:
            return Page("language.html");
        default:
            return Page("index.html");
    }
}

QUrl HelpPageOfTopic(const QString& topic) {
    if (topic == QLatin1String(kMainHelpTopic)) return HelpPageOfContext(kHelpMainWindow);
    return Page("index.html");
}

QUrl HelpPageFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        bool ok = false;
        const int context = w->property(kHelpContextProperty).toInt(&ok);
        if (ok && context > 0) return HelpPageOfContext(context);
        if (const int named = ContextOfName(w->objectName())) return HelpPageOfContext(named);
        if (w->isWindow()) {
            if (const char* page =
                    PageOfWindowClass(QString::fromLatin1(w->metaObject()->className())))
                return Page(page);
        }
    }
    return Page("index.html");
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    LoadHelpResources();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dawnhelm help"));
    setWindowIcon(ProgramIcon());
    // Smaller where the screen is (double scale on a small screen).
    QSize size(640, 560);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(16, 48));
    resize(size);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(false);
    Browser->setSearchPaths({QStringLiteral(":/help")});
    // The manual's pages are written dark on light, so they keep a light
    // page whatever the desktop's palette (dark text on a dark page would
    // be unreadable).
    QPalette page = Browser->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        page.setColor(group, QPalette::Base, QColor(0xff, 0xff, 0xff));
        page.setColor(group, QPalette::Text, QColor(0x20, 0x20, 0x20));
        page.setColor(group, QPalette::Link, QColor(0x1d, 0x3b, 0x72));
        page.setColor(group, QPalette::LinkVisited, QColor(0x55, 0x1a, 0x8b));
    }
    Browser->setPalette(page);
    // Links that leave the manual (the home page) go to the desktop.
    connect(Browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("qrc") || url.isRelative()) return;
        QDesktopServices::openUrl(url);
        Browser->setSource(Browser->source());  // stay on the page
    });

    btnContents = new QPushButton(QStringLiteral("&Contents"), this);
    btnBack = new QPushButton(QStringLiteral("&Back"), this);
    btnForward = new QPushButton(QStringLiteral("&Forward"), this);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    connect(btnContents, &QPushButton::clicked, this, [this] { ShowPage(Page("index.html")); });
    connect(btnBack, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnContents);
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Browser);
}

QUrl HelpWindow::currentPage() const {
    return Browser->source();
}

void HelpWindow::ShowContext(int context) {
    ShowPage(HelpPageOfContext(context));
}

void HelpWindow::ShowTopic(const QString& topic) {
    ShowPage(HelpPageOfTopic(topic));
}

void HelpWindow::ShowPage(const QUrl& page) {
    if (Browser->source() != page) Browser->setSource(page);
    present();
}

void HelpWindow::present() {
    // A modal dialog (the configuration) blocks every other window: the
    // manual then opens modal over it, so that it can be read and closed, and
    // stays modal until it is closed.
    if (isHidden()) {
        setWindowModality(QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal);
    } else if (windowModality() == Qt::NonModal && QApplication::activeModalWidget()) {
        hide();
        setWindowModality(Qt::ApplicationModal);
    }
    show();
    raise();
    activateWindow();
}

void InstallHelpKey(QObject* owner, std::function<HelpWindow&()> help) {
    qApp->installEventFilter(new HelpKeyFilter(std::move(help), owner));
}

}  // namespace dawn
