#include "ui/main/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTableWidget>
#include <QTextCharFormat>
#include <QTimer>
#include <cmath>
#include <numbers>
#include <utility>

#include "ui/common/calendaraccessible.h"
#include "ui/common/messages.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

// Bold fixed pitch for the whole window: Courier New where it is installed,
// else the system's fixed font. The day view lines its captions up by
// counting characters, which only works with a fixed pitch.
QFont MainFont(int pointSize) {
    QFont font = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                     ? QFont(QStringLiteral("Courier New"))
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The small picture of the graph entry: a year of day lengths as a curve.
QPixmap SunGraphPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(250, 250, 240));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0));
    const double w = size.width() - 6.0, h = size.height() - 8.0;
    for (int curve = 0; curve < 2; ++curve) {
        QPainterPath path;
        for (int i = 0; i <= 40; ++i) {
            const double x = 3.0 + w * i / 40.0;
            const double phase = std::cos(2.0 * std::numbers::pi * i / 40.0);
            const double y =
                curve == 0 ? 4.0 + h * (0.55 + 0.3 * phase) : 4.0 + h * (0.45 - 0.3 * phase);
            if (i == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setPen(QPen(curve == 0 ? QColor(230, 140, 0) : QColor(40, 70, 170), 1.6));
        p.drawPath(path);
    }
    return pixmap;
}

}  // namespace

MainWindow::MainWindow(AppState& state, const StartupInputs& inputs, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      messages_(inputs.Messages ? *inputs.Messages : RealMessageBoxes()),
      locale_(inputs.Locale),
      sounds_(inputs.Sounds ? inputs.Sounds : SoundModule()) {
    setObjectName(QStringLiteral("MainWindow"));
    // The folder, the locale texts, today, the settings and the labels.
    LoadAppState(state_, inputs);
    setWindowTitle(QStringLiteral("Dawnhelm ") + QString::fromLatin1(kVersionText));
    setFont(MainFont(10));
    setContextMenuPolicy(Qt::NoContextMenu);
    // A fixed-size window with only the system menu and the close button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    BuildControls();
    BuildMenu();
    BuildTray();
    BuildGrid();
    // Sizes first, so that the first drawing of the day fits its captions.
    PlaceControls();

    {
        const QSignalBlocker quiet(MonthCalendar);
        MonthCalendar->setSelectedDate(ToQDate(state_.Today));
    }
    ApplyWeekStartDay();
    SyncSpinEdits();
    MonthCalendarChange();
    WireMouse();
    WireKeyboard();
    WatchUse();

    ClockTimer = new QTimer(this);
    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    ClockTimer->setInterval(1000);
    ClockTimer->setTimerType(Qt::PreciseTimer);
    connect(ClockTimer, &QTimer::timeout, this, &MainWindow::ClockTick);
    if (inputs.StartClock) ClockTimer->start();

    MonthCalendar->setFocus();
    if (inputs.Clock) SetClock(*inputs.Clock);
    ClockTick();
    lbSetupHelp->setToolTip(
        QStringLiteral("The azimuth angle is the compass bearing,\n relative to true (geographic) "
                       "north,\n of a point "
                       "on the horizon"));

    // The loaders' messages wait until the window is up.
    if (!state_.PendingMessages.empty()) {
        QTimer::singleShot(0, this, [this] { ShowPendingMessages(); });
    }
}

MainWindow::~MainWindow() {
    // The window's own destruction moves the focus; the ring is gone by then.
    disconnect(focusWatch_);
    const SettingsSaveResult saved = SaveSettings(state_.Settings, state_.AppDir);
    if (!saved.ok) messages_.showMessage(nullptr, Q(saved.error));
}

QColor Blend(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

void MainWindow::ApplyPaletteColours() {
    // The calendar takes its colours from the palette, light or dark: the
    // weekday headings in the text colour on a shade of the base, the other
    // months' days halfway between text and base.
    QPalette calendar = MonthCalendar->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor text = calendar.color(group, QPalette::Text);
        const QColor base = calendar.color(group, QPalette::Base);
        // An eighth of the way from the base to the text: a shade of the base.
        const QColor shade(base.red() + (text.red() - base.red()) / 8,
                           base.green() + (text.green() - base.green()) / 8,
                           base.blue() + (text.blue() - base.blue()) / 8);
        calendar.setColor(group, QPalette::AlternateBase, shade);
        if (group == QPalette::Active)
            calendar.setColor(QPalette::Disabled, QPalette::Text, Blend(text, base));
    }
    MonthCalendar->setPalette(calendar);
    // Weekday headings such as "lun." or "mié." fit their column in a
    // slightly smaller face.
    QTextCharFormat heading;
    heading.setFont(MainFont(8));
    heading.setForeground(calendar.brush(QPalette::Active, QPalette::Text));
    heading.setBackground(calendar.brush(QPalette::Active, QPalette::AlternateBase));
    MonthCalendar->setHeaderTextFormat(heading);
    // The weekend's red, lighter on a dark base so that it stays readable.
    const bool dark = calendar.color(QPalette::Active, QPalette::Base).lightness() < 128;
    QTextCharFormat weekend;
    weekend.setForeground(dark ? QColor(255, 128, 128) : QColor(Qt::red));
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        MonthCalendar->setWeekdayTextFormat(day, weekend);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && MonthCalendar != nullptr) {
        ApplyPaletteColours();
        ShowDay();
    }
}

void MainWindow::ShowPendingMessages() {
    if (state_.PendingMessages.empty()) return;
    QStringList lines;
    for (const std::string& m : state_.PendingMessages) lines << Q(m);
    state_.PendingMessages.clear();
    messages_.showMessage(this, lines.join(QStringLiteral("\n")));
}

void MainWindow::BuildControls() {
    // The controls stand at fixed places in the client area; a screen too
    // small for it (double scale on a small screen) scrolls it.
    ClientScroll = new QScrollArea(this);
    ClientScroll->setObjectName(QStringLiteral("ClientScroll"));
    ClientScroll->setFrameShape(QFrame::NoFrame);
    ClientScroll->setWidgetResizable(false);
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("ClientArea"));
    ClientScroll->setWidget(central);
    ClientArea = central;
    setCentralWidget(ClientScroll);

    MonthCalendar = new QCalendarWidget(central);
    MonthCalendar->setObjectName(QStringLiteral("MonthCalendar"));
    MonthCalendar->setLocale(locale_);
    MonthCalendar->setNavigationBarVisible(false);
    MonthCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    MonthCalendar->setDateRange(QDate(1900, 1, 1), QDate(2500, 12, 31));
    MonthCalendar->setGridVisible(false);
    DescribeCalendarCells(MonthCalendar);
    ApplyPaletteColours();
    connect(MonthCalendar, &QCalendarWidget::selectionChanged, this,
            &MainWindow::OnCalendarSelectionChanged);
    connect(MonthCalendar, &QCalendarWidget::currentPageChanged, this,
            &MainWindow::OnCalendarPageChanged);

    YearSpin = new QSpinBox(central);
    YearSpin->setObjectName(QStringLiteral("YearSpin"));
    YearSpin->setRange(1900, 2500);
    MonthSpin = new QSpinBox(central);
    MonthSpin->setObjectName(QStringLiteral("MonthSpin"));
    MonthSpin->setRange(0, 13);
    for (QSpinBox* spin : {YearSpin, MonthSpin}) {
        // Arrows only: the text cannot be typed.
        if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
        spin->setAlignment(Qt::AlignRight);
    }
    connect(YearSpin, &QSpinBox::valueChanged, this, &MainWindow::YearSpinChange);
    connect(MonthSpin, &QSpinBox::valueChanged, this, &MainWindow::MonthSpinChange);
    MonthEdit = new QLineEdit(central);
    MonthEdit->setObjectName(QStringLiteral("MonthEdit"));
    MonthEdit->setReadOnly(true);
    MonthEdit->setFrame(false);
    MonthEdit->setFocusPolicy(Qt::NoFocus);

    lbWeek = NewLabel(central, "lbWeek", QStringLiteral("Week"));
    lbWeek->setAlignment(Qt::AlignCenter);
    for (std::size_t i = 0; i < WeekNumberLabels.size(); ++i) {
        const QByteArray name = "lbWeek" + QByteArray::number(static_cast<int>(i) + 1);
        WeekNumberLabels[i] = NewLabel(central, name.constData());
        WeekNumberLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // The two panels share one place; exactly one of them is visible.
    auto makePanel = [central](const char* name) {
        auto* panel = new QFrame(central);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        return panel;
    };
    PnSun = makePanel("PnSun");
    PnMoon = makePanel("PnMoon");
    lbSunrise = NewLabel(PnSun, "lbSunrise");
    lbSunRiseHour = NewLabel(PnSun, "lbSunRiseHour");
    lbSunRiseSign = NewLabel(PnSun, "lbSunRiseSign");
    lbSunRiseDelta = NewLabel(PnSun, "lbSunRiseDelta");
    lbSunRiseSymbol = NewLabel(PnSun, "lbSunRiseSymbol");
    lbSunset = NewLabel(PnSun, "lbSunset");
    lbSunSetHour = NewLabel(PnSun, "lbSunSetHour");
    lbSunSetSign = NewLabel(PnSun, "lbSunSetSign");
    lbSunSetDelta = NewLabel(PnSun, "lbSunSetDelta");
    lbSunSetSymbol = NewLabel(PnSun, "lbSunSetSymbol");
    lbdaylight = NewLabel(PnSun, "lbdaylight");
    lbDayLightHour = NewLabel(PnSun, "lbDayLightHour");
    lbDayLightSign = NewLabel(PnSun, "lbDayLightSign");
    lbDayLightDelta = NewLabel(PnSun, "lbDayLightDelta");
    lbDayLightSymbol = NewLabel(PnSun, "lbDayLightSymbol");
    lbMoonrise = NewLabel(PnMoon, "lbMoonrise");
    lbMoonriseHour = NewLabel(PnMoon, "lbMoonriseHour");
    lbMoonRiseSign = NewLabel(PnMoon, "lbMoonRiseSign");
    lbMoonRiseDelta = NewLabel(PnMoon, "lbMoonRiseDelta");
    lbMoonRiseSymbol = NewLabel(PnMoon, "lbMoonRiseSymbol", QStringLiteral("\u00a4"));
    lbMoonSet = NewLabel(PnMoon, "lbMoonSet");
    lbMoonSetHour = NewLabel(PnMoon, "lbMoonSetHour");
    lbMoonSetSign = NewLabel(PnMoon, "lbMoonSetSign");
    lbMoonSetDelta = NewLabel(PnMoon, "lbMoonSetDelta");
    lbMoonSetSymbol = NewLabel(PnMoon, "lbMoonSetSymbol", QStringLiteral("\u00a4"));
    lbMoonLight = NewLabel(PnMoon, "lbMoonLight");
    lbMoonLightHour = NewLabel(PnMoon, "lbMoonLightHour");
    lbMoonLightSign = NewLabel(PnMoon, "lbMoonLightSign");
    lbMoonLightDelta = NewLabel(PnMoon, "lbMoonLightDelta");
    lbMoonLightSymbol = NewLabel(PnMoon, "lbMoonLightSymbol", QStringLiteral("\u00a4"));
    PnMoon->hide();
    PnTwilight = makePanel("PnTwilight");
    constexpr const char* kTwilightNames[4][3] = {
        {"lbCivil", "lbCivilDawn", "lbCivilDusk"},
        {"lbNautical", "lbNauticalDawn", "lbNauticalDusk"},
        {"lbAstronomical", "lbAstronomicalDawn", "lbAstronomicalDusk"},
        {"lbSolarNoon", "lbSolarNoonHour", "lbSolarNoonAltitude"}};
    for (std::size_t r = 0; r < TwilightRows.size(); ++r) {
        for (std::size_t c = 0; c < 3; ++c)
            TwilightRows[r][c] = NewLabel(PnTwilight, kTwilightNames[r][c]);
        TwilightRows[r][2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    PnTwilight->hide();
    PnLight = new QScrollArea(central);
    PnLight->setObjectName(QStringLiteral("PnLight"));
    PnLight->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PnLight->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PnLight->setFocusPolicy(Qt::NoFocus);
    LightArea = new QWidget;
    LightArea->setObjectName(QStringLiteral("LightArea"));
    PnLight->setWidget(LightArea);
    PnLight->setWidgetResizable(false);
    PnLight->hide();

    lbSummerTime = NewLabel(central, "lbSummerTime");
    lbWinterTime = NewLabel(central, "lbWinterTime");
    lbDaysSummerTime = NewLabel(central, "lbDaysSummerTime");
    lbSummerStartHour = NewLabel(central, "lbSummerStartHour");
    lbWinterStartHour = NewLabel(central, "lbWinterStartHour");
    lbSummerDuration = NewLabel(central, "lbSummerDuration");
    for (QLabel* value : {lbSummerStartHour, lbWinterStartHour, lbSummerDuration}) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lbSummerTime->setToolTip(QStringLiteral("Set Calendar"));
    lbWinterTime->setToolTip(QStringLiteral("Set Calendar"));
    lbDaysSummerTime->setToolTip(QStringLiteral("Today"));

    lbCoordinates = NewLabel(central, "lbCoordinates");
    lbLatitude = NewLabel(central, "lbLatitude");
    lbLongitude = NewLabel(central, "lbLongitude");
    lbSetupHelp = NewLabel(central, "lbSetupHelp");
    MoonDisc = NewLabel(central, "MoonDisc");
    lbMoonPhase = NewLabel(central, "lbMoonPhase");
    lbMoonIlluminated = NewLabel(central, "lbMoonIlluminated");
    lbMoonIlluminated->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbPositionNow = NewLabel(central, "lbPositionNow");
    lbPositionNow->setTextFormat(Qt::PlainText);
    lbPositionNow->setWordWrap(true);
    lbPositionNow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* phase : {MoonDisc, lbMoonPhase, lbMoonIlluminated}) phase->hide();

    ClockPanel = NewLabel(central, "ClockPanel", QStringLiteral("Set up"));
    ClockPanel->setAlignment(Qt::AlignCenter);
    ClockPanel->setFrameShape(QFrame::Panel);
    ClockPanel->setLineWidth(2);
    ClockPanel->setToolTip(QStringLiteral("parameters"));
    ClockPanel->setCursor(Qt::PointingHandCursor);
    SetClockPanelLowered(false);

    SunGraphThumbnail = NewLabel(central, "SunGraphThumbnail");
    SunGraphThumbnail->setToolTip(QStringLiteral("Sungraph"));
    SunGraphThumbnail->setCursor(Qt::PointingHandCursor);

    LabelGrid = new QTableWidget(central);
    LabelGrid->setObjectName(QStringLiteral("LabelGrid"));
    LabelGrid->hide();

    for (QLabel* clickable : {lbSummerTime, lbWinterTime, lbDaysSummerTime, lbdaylight,
                              lbDayLightHour, lbDayLightSymbol, lbMoonLight, lbMoonLightSymbol}) {
        clickable->setCursor(Qt::PointingHandCursor);
    }
}

void MainWindow::BuildMenu() {
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    MenuBar->setFont(QApplication::font());
    setMenuBar(MenuBar);
    SetUp = MenuBar->addMenu(QStringLiteral("Set &up"));
    SetUp->setObjectName(QStringLiteral("SetUp"));
    auto add = [this](const char* name, const QString& caption) {
        QAction* action = SetUp->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto separator = [this](const char* name) {
        QAction* action = SetUp->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    ConfigurationAction = add("ConfigurationAction", QStringLiteral("&Configuration"));
    GraphicsAction = add("GraphicsAction", QStringLiteral("&Graphics"));
    ExportAction = add("ExportAction", QStringLiteral("Export &Data"));
    PlacesAction = add("PlacesAction", QStringLiteral("&Places"));
    AlmanacAction = add("AlmanacAction", QStringLiteral("&Almanac"));
    HelpFileAction = add("HelpFileAction", QStringLiteral("Dawnhelm &helpfile"));
    HomePageAction = add("HomePageAction", QStringLiteral("&Dawnhelm Homepage"));
    EmailAction = add("EmailAction", QStringLiteral("&E-mail Dawnhelm"));
    PanelsSeparator = separator("PanelsSeparator");
    SunPanelAction = add("SunPanelAction", QStringLiteral("&Sun panel"));
    TwilightPanelAction = add("TwilightPanelAction", QStringLiteral("T&wilight panel"));
    MoonPanelAction = add("MoonPanelAction", QStringLiteral("&Moon panel"));
    SunPanelAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    TwilightPanelAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    MoonPanelAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
    LightPanelAction = add("LightPanelAction", QStringLiteral("&Light panel"));
    LightPanelAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_4));
    SkyViewSeparator = separator("SkyViewSeparator");
    SkyViewAction = add("SkyViewAction", QStringLiteral("Sky view"));
    AlignmentsAction = add("AlignmentsAction", QStringLiteral("Find alignments"));
    SystraySeparator = separator("SystraySeparator");
    SystrayMenu = add("SystrayMenu", QStringLiteral("Sys&tray"));
    SystrayMenu->setCheckable(true);
    AboutSeparator = separator("AboutSeparator");
    AboutAction = add("AboutAction", QStringLiteral("&About"));
    ExitSeparator = separator("ExitSeparator");
    ExitAction = add("ExitAction", QStringLiteral("E&xit"));

    connect(ConfigurationAction, &QAction::triggered, this, &MainWindow::ConfigurationActionClick);
    connect(GraphicsAction, &QAction::triggered, this, &MainWindow::sunGraphRequested);
    connect(ExportAction, &QAction::triggered, this, &MainWindow::exportRequested);
    connect(PlacesAction, &QAction::triggered, this, &MainWindow::placesRequested);
    connect(AlmanacAction, &QAction::triggered, this, &MainWindow::almanacRequested);
    connect(HelpFileAction, &QAction::triggered, this, [this] { emit helpRequested(1); });
    connect(HomePageAction, &QAction::triggered, this, &MainWindow::homePageRequested);
    connect(EmailAction, &QAction::triggered, this, &MainWindow::mailRequested);
    connect(AboutAction, &QAction::triggered, this, &MainWindow::aboutRequested);
    connect(ExitAction, &QAction::triggered, this, &MainWindow::ExitActionClick);
    connect(SunPanelAction, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Sun); });
    connect(TwilightPanelAction, &QAction::triggered, this,
            [this] { ShowPanel(ShownPanel::Twilight); });
    connect(MoonPanelAction, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Moon); });
    connect(LightPanelAction, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Light); });
    connect(SkyViewAction, &QAction::triggered, this, &MainWindow::skyViewRequested);
    connect(AlignmentsAction, &QAction::triggered, this, &MainWindow::alignmentsRequested);
}

void MainWindow::PutLabelsOnMenus() {
    const auto text = [this](int n) { return Q(state_.Label(n)); };
    SetUp->setTitle(text(label::kMenuSetUp));
    const std::pair<QAction*, int> captions[] = {
        {ConfigurationAction, label::kMenuConfiguration},
        {GraphicsAction, label::kMenuGraphics},
        {ExportAction, label::kMenuExport},
        {PlacesAction, label::kMenuPlaces},
        {AlmanacAction, label::kMenuAlmanac},
        {HelpFileAction, label::kMenuHelpFile},
        {HomePageAction, label::kMenuHomePage},
        {EmailAction, label::kMenuEmail},
        {SunPanelAction, label::kMenuSunPanel},
        {TwilightPanelAction, label::kMenuTwilightPanel},
        {MoonPanelAction, label::kMenuMoonPanel},
        {LightPanelAction, label::kMenuLightPanel},
        {SystrayMenu, label::kMenuSystray},
        {AboutAction, label::kMenuAbout},
        {ExitAction, label::kMenuExit},
        {TrayConfiguration, label::kMenuConfiguration},
        {TrayAbout, label::kMenuAbout},
        {TrayPlaces, label::kMenuPlaces},
        {TrayAlmanac, label::kMenuAlmanac},
        {TraySystrayOut, label::kMenuSystrayOut},
        {Shutdown, label::kMenuShutdown},
        {SkyViewAction, label::kSkyViewTitle},
        {AlignmentsAction, label::kAlignmentsTitle},
        {TraySkyView, label::kSkyViewTitle},
    };
    for (const auto& [action, n] : captions) action->setText(text(n));
}

// Positions are counted in character cells of the fixed-pitch font, so the
// window keeps its proportions with whatever fixed font is installed.
void MainWindow::PlaceControls() {
    const QFontMetrics fm(font());
    const int cw = fm.horizontalAdvance(QLatin1Char('0'));
    const int lh = fm.height();
    const int m = 6;
    const int row = lh + 4;

    // The calendar with the week column on its left.
    const int weekW = 6 * cw + 4;
    const int calX = m + weekW + 4;
    const int calW = 7 * (3 * cw + 10);
    const int calH = 7 * (lh + 6);
    MonthCalendar->setGeometry(calX, m, calW, calH);
    lbWeek->setGeometry(m, m, weekW, calH / 7);
    const auto& weeks = WeekNumberLabels;
    for (int i = 0; i < 6; ++i) {
        const int top = m + (i + 1) * calH / 7;
        const int bottom = m + (i + 2) * calH / 7;
        weeks[i]->setGeometry(m, top, weekW - cw, bottom - top);
    }

    // The right column: year and month, the clock panel, the summer-time rows.
    const int rx = calX + calW + 12;
    const int rw = 34 * cw;
    const int spinH = lh + 10;
    YearSpin->setGeometry(rx, m, 4 * cw + 44, spinH);
    const int monthX = rx + 4 * cw + 52;
    const int monthW = 7 * cw + 30;
    MonthSpin->setGeometry(monthX, m, monthW, spinH);
    // MonthEdit covers the text of MonthSpin and leaves its arrows free.
    QStyleOptionSpinBox option;
    option.initFrom(MonthSpin);
    option.rect = QRect(0, 0, monthW, spinH);
    option.subControls = QStyle::SC_All;
    option.frame = true;
    const QRect text = MonthSpin->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                          QStyle::SC_SpinBoxEditField, MonthSpin);
    MonthEdit->setGeometry(text.translated(monthX, m).adjusted(1, 1, -1, -1));
    MonthEdit->raise();
    const int panelY = m + spinH + 6;
    ClockPanel->setFont(MainFont(14));
    ClockPanel->setGeometry(rx, panelY, rw, 2 * lh + 4);
    int y = panelY + 2 * lh + 10;
    // The two date rows: caption and date; the day count needs only a few
    // digits, so its caption may run longer.
    const int capW = 21 * cw;
    const int countW = 4 * cw;
    lbSummerTime->setGeometry(rx, y, capW, row);
    lbSummerStartHour->setGeometry(rx + capW, y, rw - capW, row);
    y += row;
    lbWinterTime->setGeometry(rx, y, capW, row);
    lbWinterStartHour->setGeometry(rx + capW, y, rw - capW, row);
    y += row;
    lbDaysSummerTime->setGeometry(rx, y, rw - countW, row);
    lbSummerDuration->setGeometry(rx + rw - countW, y, countW, row);
    const int width = rx + rw + m;

    // Under the calendar: the help line, the sun or moon panel, the place.
    y = m + calH + 4;
    lbSetupHelp->setGeometry(m, y, width - 2 * m, row);
    y += row + 2;
    const int capCol = 22 * cw;
    const int panelW = capCol + 20 * cw + 8;
    const int panelH = 3 * row + 6;
    for (QFrame* panel : {PnSun, PnMoon, PnTwilight, static_cast<QFrame*>(PnLight)})
        panel->setGeometry(m, y, panelW, panelH);
    // Four rows in the height of three: the twilight panel's font is a point
    // smaller (ShowView) and its rows share the height.
    const int twilightRow = (panelH - 6) / 4;
    for (std::size_t r = 0; r < TwilightRows.size(); ++r) {
        const int ry = 3 + static_cast<int>(r) * twilightRow;
        int x = 4;
        TwilightRows[r][0]->setGeometry(x, ry, capCol, twilightRow);
        x += capCol;
        TwilightRows[r][1]->setGeometry(x, ry, 7 * cw, twilightRow);
        x += 7 * cw;
        TwilightRows[r][2]->setGeometry(x, ry, 9 * cw, twilightRow);
    }
    // The light panel's rows as the twilight panel's, in a box that scrolls.
    lightRowHeight_ = twilightRow;
    lightColumns_ = {capCol, 7 * cw, 9 * cw};
    LayLightRows();
    auto placeRow = [&](int r, QLabel* caption, QLabel* hour, QLabel* sign, QLabel* delta,
                        QLabel* symbol) {
        const int ry = 3 + r * row;
        int x = 4;
        caption->setGeometry(x, ry, capCol, row);
        x += capCol;
        hour->setGeometry(x, ry, 6 * cw, row);
        x += 6 * cw;
        sign->setGeometry(x, ry, 2 * cw, row);
        x += 2 * cw;
        delta->setGeometry(x, ry, 6 * cw, row);
        x += 6 * cw;
        symbol->setGeometry(x, ry, 3 * cw, row);
    };
    placeRow(0, lbSunrise, lbSunRiseHour, lbSunRiseSign, lbSunRiseDelta, lbSunRiseSymbol);
    placeRow(1, lbSunset, lbSunSetHour, lbSunSetSign, lbSunSetDelta, lbSunSetSymbol);
    placeRow(2, lbdaylight, lbDayLightHour, lbDayLightSign, lbDayLightDelta, lbDayLightSymbol);
    placeRow(0, lbMoonrise, lbMoonriseHour, lbMoonRiseSign, lbMoonRiseDelta, lbMoonRiseSymbol);
    placeRow(1, lbMoonSet, lbMoonSetHour, lbMoonSetSign, lbMoonSetDelta, lbMoonSetSymbol);
    placeRow(2, lbMoonLight, lbMoonLightHour, lbMoonLightSign, lbMoonLightDelta, lbMoonLightSymbol);

    const int imageX = m + panelW + 10;
    SunGraphThumbnail->setGeometry(imageX, y, width - m - imageX, panelH);
    SunGraphThumbnail->setPixmap(SunGraphPicture(SunGraphThumbnail->size()));

    y += panelH + 2;
    lbCoordinates->setGeometry(m + 4, y, capCol, row);
    lbLatitude->setGeometry(m + 4 + capCol, y, 7 * cw, row);
    lbLongitude->setGeometry(m + 4 + capCol + 7 * cw, y, 8 * cw, row);
    // The moon's phase on the same row, under the small picture.
    MoonDisc->setGeometry(imageX, y + 1, row - 2, row - 2);
    const int phaseX = imageX + row + 2;
    const int illuminatedW = 5 * cw;
    lbMoonPhase->setGeometry(phaseX, y, width - m - phaseX - illuminatedW, row);
    lbMoonIlluminated->setGeometry(width - m - illuminatedW, y, illuminatedW, row);
    y += row;
    // Where the sun and the moon stand now: two lines that may each wrap.
    lbPositionNow->setGeometry(m + 4, y, width - 2 * m - 4, 4 * lh + 4);
    y += 4 * lh + 4 + m;

    ClientArea->setFixedSize(width, y);
    LabelGrid->setGeometry(0, 0, width, y);
    QSize whole(width, y + MenuBar->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Room for the frame and the title bar; the scroll bars where the
        // client area is cut.
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (whole.height() > room.height()) whole.rwidth() += bar;
        if (whole.width() > room.width()) whole.rheight() += bar;
        whole = whole.boundedTo(room);
    }
    setFixedSize(whole);
    // Centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MainWindow::WireMouse() {
    // Right button -> configuration, on the window and these controls.
    QList<QWidget*> targets(WeekNumberLabels.begin(), WeekNumberLabels.end());
    targets << QList<QWidget*>{lbSummerTime,
                               lbWinterTime,
                               lbDaysSummerTime,
                               lbSummerStartHour,
                               lbWinterStartHour,
                               lbSummerDuration,
                               PnSun,
                               PnMoon,
                               PnTwilight,
                               MoonDisc,
                               lbMoonPhase,
                               lbMoonIlluminated,
                               YearSpin,
                               MonthSpin,
                               ClockPanel,
                               lbCoordinates,
                               lbLatitude,
                               lbLongitude,
                               lbSetupHelp};
    for (QFrame* panel : {PnSun, PnMoon, PnTwilight}) {
        for (QWidget* child : panel->findChildren<QWidget*>()) {
            if (child != lbMoonLight) targets << child;
        }
    }
    for (QSpinBox* spin : {YearSpin, MonthSpin}) {
        for (QWidget* child : spin->findChildren<QWidget*>()) targets << child;
    }
    for (QWidget* w : targets) {
        w->setProperty("dawnRightOpensSetup", true);
        w->installEventFilter(this);
    }
    // These keep the right button to themselves: it neither opens the
    // configuration nor reaches the window behind them.
    for (QWidget* w : std::initializer_list<QWidget*>{MonthCalendar, MonthEdit, lbWeek,
                                                      SunGraphThumbnail, lbMoonLight, LabelGrid}) {
        w->setAttribute(Qt::WA_NoMousePropagation);
        w->installEventFilter(this);
    }
}

void MainWindow::WireKeyboard() {
    // The captions a click works on take the focus by Tab and act on Enter
    // or Space as on a click; the calendar and they show a ring while they
    // have it. The order follows the window: year, month, the calendar, its
    // week column, the summer-time rows, the clock panel, the panels'
    // captions and the graph.
    keyTargets_ = {lbWeek,     lbSummerTime, lbWinterTime, lbDaysSummerTime,
                   ClockPanel, lbSunrise,    lbSunset,     lbdaylight};
    for (const auto& row : TwilightRows) keyTargets_ << row[0];
    keyTargets_ << lbMoonLight << SunGraphThumbnail;
    QWidget* previous = MonthCalendar;
    QWidget::setTabOrder(YearSpin, MonthSpin);
    QWidget::setTabOrder(MonthSpin, MonthCalendar);
    for (QWidget* w : keyTargets_) {
        // By Tab only: a click works as it always did.
        w->setFocusPolicy(Qt::TabFocus);
        w->installEventFilter(this);
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    FocusRing = new QFrame(ClientArea);
    FocusRing->setObjectName(QStringLiteral("FocusRing"));
    FocusRing->setFrameStyle(QFrame::Box | QFrame::Plain);
    FocusRing->setLineWidth(2);
    FocusRing->setAttribute(Qt::WA_TransparentForMouseEvents);
    FocusRing->setFocusPolicy(Qt::NoFocus);
    FocusRing->hide();
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget*, QWidget* now) { MoveFocusRing(now); });
}

void MainWindow::MoveFocusRing(QWidget* focused) {
    if (FocusRing == nullptr) return;
    // The calendar's focus sits on its table inside it.
    QWidget* target = nullptr;
    if (focused != nullptr && (focused == MonthCalendar || MonthCalendar->isAncestorOf(focused)))
        target = MonthCalendar;
    else if (keyTargets_.contains(focused))
        target = focused;
    if (target == nullptr || !target->isVisible()) {
        FocusRing->hide();
        return;
    }
    QPalette palette = FocusRing->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    FocusRing->setPalette(palette);
    const QPoint at = target->mapTo(ClientArea, QPoint(0, 0));
    FocusRing->setGeometry(QRect(at, target->size()).adjusted(-2, -2, 2, 2));
    FocusRing->raise();
    FocusRing->show();
}

bool MainWindow::ActivateControl(QObject* watched) {
    if (watched == lbSummerTime) {
        lbSummerTimeClick();
    } else if (watched == lbWinterTime) {
        lbWinterTimeClick();
    } else if (watched == lbDaysSummerTime) {
        lbDaysSummerTimeClick();
    } else if (watched == ClockPanel) {
        Button1Click();
    } else if (watched == lbdaylight || watched == lbDayLightHour || watched == lbDayLightSymbol) {
        lbdaylightClick();
    } else if (watched == lbMoonLight || watched == lbMoonLightSymbol) {
        lbMoonLightClick();
    } else if (watched == lbSunrise) {
        lbSunriseClick();
    } else if (watched == TwilightRows[0][0] || watched == TwilightRows[1][0] ||
               watched == TwilightRows[2][0] || watched == TwilightRows[3][0]) {
        lbTwilightClick();
    } else if (watched == lbSunset) {
        lbSunsetClick();
    } else if (IsLightCaption(watched)) {
        lbLightClick();
    } else if (watched == SunGraphThumbnail) {
        SunGraphPictureClick();
    } else {
        return false;
    }
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && keyTargets_.contains(qobject_cast<QWidget*>(watched))) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            if (watched == lbWeek) {
                lbWeekMouseDown(Qt::LeftButton);
                return true;
            }
            // A panel's caption hands the focus on to the caption of the
            // panel it shows, so that the keys can switch back.
            QWidget* next = nullptr;
            if (watched == lbSunrise) next = TwilightRows[0][0];
            if (IsLightCaption(watched)) next = lbSunset;
            if (watched == lbdaylight) next = lbMoonLight;
            if (watched == lbMoonLight) next = lbdaylight;
            if (watched == TwilightRows[0][0] || watched == TwilightRows[1][0] ||
                watched == TwilightRows[2][0] || watched == TwilightRows[3][0])
                next = lbSunrise;
            const bool done = ActivateControl(watched);
            // The light panel's rows are made when it is first shown.
            if (watched == lbSunset && !LightRows.empty()) next = LightRows[0][0];
            if (next != nullptr && next->isVisible()) next->setFocus(Qt::OtherFocusReason);
            if (done) return true;
        }
        if (watched == lbWeek && key == Qt::Key_Backspace) {
            lbWeekMouseDown(Qt::RightButton);
            return true;
        }
    }
    if (type == QEvent::ContextMenu && watched->property("dawnRightOpensSetup").toBool()) {
        return true;  // the right button already opened the configuration
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress) {
        if (watched == lbWeek) {
            lbWeekMouseDown(mouse->button());
            return true;
        }
        if (mouse->button() == Qt::RightButton &&
            watched->property("dawnRightOpensSetup").toBool()) {
            lbSunRiseHourMouseDown(mouse->button());
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    // A click: the left button released over the control.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::LeftButton || !widget ||
        !widget->rect().contains(mouse->position().toPoint())) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (!ActivateControl(watched)) return QMainWindow::eventFilter(watched, event);
    return true;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        lbSunRiseHourMouseDown(event->button());
        event->accept();
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::SetClockPanelLowered(bool lowered) {
    ClockPanel->setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
}

void MainWindow::SunGraphPictureClick() {
    if (MoonPanelShown()) {
        emit moonGraphRequested();
    } else {
        emit sunGraphRequested();
    }
}

void MainWindow::ExitActionClick() {
    close();
}

}  // namespace dawn
