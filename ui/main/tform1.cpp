#include "ui/main/tform1.h"

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

#include "ui/common/messages.h"
#include "ui/locale/qtlocale.h"

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

TForm1::TForm1(AppState& state, const StartupInputs& inputs, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      messages_(inputs.Messages ? *inputs.Messages : RealMessageBoxes()),
      locale_(inputs.Locale),
      sounds_(inputs.Sounds ? inputs.Sounds : SoundModule()) {
    setObjectName(QStringLiteral("Form1"));
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
        const QSignalBlocker quiet(Calendar1);
        Calendar1->setSelectedDate(ToQDate(state_.Today));
    }
    ApplyWeekStartDay();
    SyncSpinEdits();
    Calendar1Change();
    WireMouse();
    WireKeyboard();
    WatchUse();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    if (inputs.StartClock) Timer1->start();

    Calendar1->setFocus();
    if (inputs.Clock) SetClock(*inputs.Clock);
    Timer1Timer();
    lbSetupHelp->setToolTip(
        QStringLiteral("The azimuth angle is the compass bearing,\n relative to true (geographic) "
                       "north,\n of a point "
                       "on the horizon"));

    // The loaders' messages wait until the window is up.
    if (!state_.PendingMessages.empty()) {
        QTimer::singleShot(0, this, [this] { ShowPendingMessages(); });
    }
}

TForm1::~TForm1() {
    // The window's own destruction moves the focus; the ring is gone by then.
    disconnect(focusWatch_);
    const SettingsSaveResult saved = SaveSettings(state_.Settings, state_.AppDir);
    if (!saved.ok) messages_.showMessage(nullptr, Q(saved.error));
}

QColor Blend(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

void TForm1::ApplyPaletteColours() {
    // The calendar takes its colours from the palette, light or dark: the
    // weekday headings in the text colour on a shade of the base, the other
    // months' days halfway between text and base.
    QPalette calendar = Calendar1->palette();
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
    Calendar1->setPalette(calendar);
    // Weekday headings such as "lun." or "mié." fit their column in a
    // slightly smaller face.
    QTextCharFormat heading;
    heading.setFont(MainFont(8));
    heading.setForeground(calendar.brush(QPalette::Active, QPalette::Text));
    heading.setBackground(calendar.brush(QPalette::Active, QPalette::AlternateBase));
    Calendar1->setHeaderTextFormat(heading);
    // The weekend's red, lighter on a dark base so that it stays readable.
    const bool dark = calendar.color(QPalette::Active, QPalette::Base).lightness() < 128;
    QTextCharFormat weekend;
    weekend.setForeground(dark ? QColor(255, 128, 128) : QColor(Qt::red));
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        Calendar1->setWeekdayTextFormat(day, weekend);
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && Calendar1 != nullptr) {
        ApplyPaletteColours();
        ShowDay();
    }
}

void TForm1::ShowPendingMessages() {
    if (state_.PendingMessages.empty()) return;
    QStringList lines;
    for (const std::string& m : state_.PendingMessages) lines << Q(m);
    state_.PendingMessages.clear();
    messages_.showMessage(this, lines.join(QStringLiteral("\n")));
}

void TForm1::BuildControls() {
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

    Calendar1 = new QCalendarWidget(central);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setLocale(locale_);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar1->setDateRange(QDate(1900, 1, 1), QDate(2500, 12, 31));
    Calendar1->setGridVisible(false);
    ApplyPaletteColours();
    connect(Calendar1, &QCalendarWidget::selectionChanged, this,
            &TForm1::OnCalendarSelectionChanged);
    connect(Calendar1, &QCalendarWidget::currentPageChanged, this, &TForm1::OnCalendarPageChanged);

    SpinEdit1 = new QSpinBox(central);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1900, 2500);
    SpinEdit2 = new QSpinBox(central);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setRange(0, 13);
    for (QSpinBox* spin : {SpinEdit1, SpinEdit2}) {
        // Arrows only: the text cannot be typed.
        if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
        spin->setAlignment(Qt::AlignRight);
    }
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::valueChanged, this, &TForm1::SpinEdit2Change);
    MonthEdit = new QLineEdit(central);
    MonthEdit->setObjectName(QStringLiteral("MonthEdit"));
    MonthEdit->setReadOnly(true);
    MonthEdit->setFrame(false);
    MonthEdit->setFocusPolicy(Qt::NoFocus);

    lbWeek = NewLabel(central, "lbWeek", QStringLiteral("Week"));
    lbWeek->setAlignment(Qt::AlignCenter);
    std::array<QLabel**, 6> weeks = {&lbWeek1, &lbWeek2, &lbWeek3, &lbWeek4, &lbWeek5, &lbWeek6};
    for (int i = 0; i < 6; ++i) {
        const QByteArray name = "lbWeek" + QByteArray::number(i + 1);
        *weeks[i] = NewLabel(central, name.constData());
        (*weeks[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

    lbSummerTime = NewLabel(central, "lbSummerTime");
    lbWinterTime = NewLabel(central, "lbWinterTime");
    lbDaysSummerTime = NewLabel(central, "lbDaysSummerTime");
    lbStartZomerUur = NewLabel(central, "lbStartZomerUur");
    lbStartWinterUur = NewLabel(central, "lbStartWinterUur");
    lbZomerduur = NewLabel(central, "lbZomerduur");
    for (QLabel* value : {lbStartZomerUur, lbStartWinterUur, lbZomerduur}) {
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
    for (QLabel* phase : {MoonDisc, lbMoonPhase, lbMoonIlluminated}) phase->hide();

    Panel1 = NewLabel(central, "Panel1", QStringLiteral("Set up"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setLineWidth(2);
    Panel1->setToolTip(QStringLiteral("parameters"));
    Panel1->setCursor(Qt::PointingHandCursor);
    SetPanel1Lowered(false);

    Image1 = NewLabel(central, "Image1");
    Image1->setToolTip(QStringLiteral("Sungraph"));
    Image1->setCursor(Qt::PointingHandCursor);

    StringGrid1 = new QTableWidget(central);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->hide();

    for (QLabel* clickable : {lbSummerTime, lbWinterTime, lbDaysSummerTime, lbdaylight,
                              lbDayLightHour, lbDayLightSymbol, lbMoonLight, lbMoonLightSymbol}) {
        clickable->setCursor(Qt::PointingHandCursor);
    }
}

void TForm1::BuildMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setFont(QApplication::font());
    setMenuBar(MainMenu1);
    SetUp = MainMenu1->addMenu(QStringLiteral("Set &up"));
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
    Configuration1 = add("Configuration1", QStringLiteral("&Configuration"));
    Graphics1 = add("Graphics1", QStringLiteral("&Graphics"));
    Export1 = add("Export1", QStringLiteral("Export &Data"));
    Dawnhelmhelpfile1 = add("Dawnhelmhelpfile1", QStringLiteral("Dawnhelm &helpfile"));
    DawnhelmHomepage1 = add("DawnhelmHomepage1", QStringLiteral("&Dawnhelm Homepage"));
    Email1 = add("Email1", QStringLiteral("&E-mail Dawnhelm"));
    N4 = separator("N4");
    SunPanel1 = add("SunPanel1", QStringLiteral("&Sun panel"));
    TwilightPanel1 = add("TwilightPanel1", QStringLiteral("T&wilight panel"));
    MoonPanel1 = add("MoonPanel1", QStringLiteral("&Moon panel"));
    SunPanel1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    TwilightPanel1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    MoonPanel1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
    N1 = separator("N1");
    SystrayMenu = add("SystrayMenu", QStringLiteral("Sys&tray"));
    SystrayMenu->setCheckable(true);
    N2 = separator("N2");
    about1 = add("about1", QStringLiteral("&About"));
    N3 = separator("N3");
    Exit1 = add("Exit1", QStringLiteral("E&xit"));

    connect(Configuration1, &QAction::triggered, this, &TForm1::Configuration1Click);
    connect(Graphics1, &QAction::triggered, this, &TForm1::sunGraphRequested);
    connect(Export1, &QAction::triggered, this, &TForm1::exportRequested);
    connect(Dawnhelmhelpfile1, &QAction::triggered, this, [this] { emit helpRequested(1); });
    connect(DawnhelmHomepage1, &QAction::triggered, this, &TForm1::homePageRequested);
    connect(Email1, &QAction::triggered, this, &TForm1::mailRequested);
    connect(about1, &QAction::triggered, this, &TForm1::aboutRequested);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(SunPanel1, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Sun); });
    connect(TwilightPanel1, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Twilight); });
    connect(MoonPanel1, &QAction::triggered, this, [this] { ShowPanel(ShownPanel::Moon); });
}

void TForm1::PutLabelsOnMenus() {
    const auto text = [this](int n) { return Q(state_.Label(n)); };
    SetUp->setTitle(text(label::kMenuSetUp));
    const std::pair<QAction*, int> captions[] = {
        {Configuration1, label::kMenuConfiguration},
        {Graphics1, label::kMenuGraphics},
        {Export1, label::kMenuExport},
        {Dawnhelmhelpfile1, label::kMenuHelpFile},
        {DawnhelmHomepage1, label::kMenuHomePage},
        {Email1, label::kMenuEmail},
        {SunPanel1, label::kMenuSunPanel},
        {TwilightPanel1, label::kMenuTwilightPanel},
        {MoonPanel1, label::kMenuMoonPanel},
        {SystrayMenu, label::kMenuSystray},
        {about1, label::kMenuAbout},
        {Exit1, label::kMenuExit},
        {configuartion2, label::kMenuConfiguration},
        {About2, label::kMenuAbout},
        {Systray2, label::kMenuSystrayOut},
        {Shutdown, label::kMenuShutdown},
    };
    for (const auto& [action, n] : captions) action->setText(text(n));
}

// Positions are counted in character cells of the fixed-pitch font, so the
// window keeps its proportions with whatever fixed font is installed.
void TForm1::PlaceControls() {
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
    Calendar1->setGeometry(calX, m, calW, calH);
    lbWeek->setGeometry(m, m, weekW, calH / 7);
    QLabel* weeks[] = {lbWeek1, lbWeek2, lbWeek3, lbWeek4, lbWeek5, lbWeek6};
    for (int i = 0; i < 6; ++i) {
        const int top = m + (i + 1) * calH / 7;
        const int bottom = m + (i + 2) * calH / 7;
        weeks[i]->setGeometry(m, top, weekW - cw, bottom - top);
    }

    // The right column: year and month, the clock panel, the summer-time rows.
    const int rx = calX + calW + 12;
    const int rw = 34 * cw;
    const int spinH = lh + 10;
    SpinEdit1->setGeometry(rx, m, 4 * cw + 44, spinH);
    const int monthX = rx + 4 * cw + 52;
    const int monthW = 7 * cw + 30;
    SpinEdit2->setGeometry(monthX, m, monthW, spinH);
    // MonthEdit covers the text of SpinEdit2 and leaves its arrows free.
    QStyleOptionSpinBox option;
    option.initFrom(SpinEdit2);
    option.rect = QRect(0, 0, monthW, spinH);
    option.subControls = QStyle::SC_All;
    option.frame = true;
    const QRect text = SpinEdit2->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                          QStyle::SC_SpinBoxEditField, SpinEdit2);
    MonthEdit->setGeometry(text.translated(monthX, m).adjusted(1, 1, -1, -1));
    MonthEdit->raise();
    const int panelY = m + spinH + 6;
    Panel1->setFont(MainFont(14));
    Panel1->setGeometry(rx, panelY, rw, 2 * lh + 4);
    int y = panelY + 2 * lh + 10;
    // The two date rows: caption and date; the day count needs only a few
    // digits, so its caption may run longer.
    const int capW = 21 * cw;
    const int countW = 4 * cw;
    lbSummerTime->setGeometry(rx, y, capW, row);
    lbStartZomerUur->setGeometry(rx + capW, y, rw - capW, row);
    y += row;
    lbWinterTime->setGeometry(rx, y, capW, row);
    lbStartWinterUur->setGeometry(rx + capW, y, rw - capW, row);
    y += row;
    lbDaysSummerTime->setGeometry(rx, y, rw - countW, row);
    lbZomerduur->setGeometry(rx + rw - countW, y, countW, row);
    const int width = rx + rw + m;

    // Under the calendar: the help line, the sun or moon panel, the place.
    y = m + calH + 4;
    lbSetupHelp->setGeometry(m, y, width - 2 * m, row);
    y += row + 2;
    const int capCol = 22 * cw;
    const int panelW = capCol + 20 * cw + 8;
    const int panelH = 3 * row + 6;
    for (QFrame* panel : {PnSun, PnMoon, PnTwilight}) panel->setGeometry(m, y, panelW, panelH);
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
    Image1->setGeometry(imageX, y, width - m - imageX, panelH);
    Image1->setPixmap(SunGraphPicture(Image1->size()));

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
    y += row + m;

    ClientArea->setFixedSize(width, y);
    StringGrid1->setGeometry(0, 0, width, y);
    QSize whole(width, y + MainMenu1->sizeHint().height());
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

void TForm1::WireMouse() {
    // Right button -> configuration, on the window and these controls.
    QList<QWidget*> targets = {lbWeek1,         lbWeek2,          lbWeek3,
                               lbWeek4,         lbWeek5,          lbWeek6,
                               lbSummerTime,    lbWinterTime,     lbDaysSummerTime,
                               lbStartZomerUur, lbStartWinterUur, lbZomerduur,
                               PnSun,           PnMoon,           PnTwilight,
                               MoonDisc,        lbMoonPhase,      lbMoonIlluminated,
                               SpinEdit1,       SpinEdit2,        Panel1,
                               lbCoordinates,   lbLatitude,       lbLongitude,
                               lbSetupHelp};
    for (QFrame* panel : {PnSun, PnMoon, PnTwilight}) {
        for (QWidget* child : panel->findChildren<QWidget*>()) {
            if (child != lbMoonLight) targets << child;
        }
    }
    for (QSpinBox* spin : {SpinEdit1, SpinEdit2}) {
        for (QWidget* child : spin->findChildren<QWidget*>()) targets << child;
    }
    for (QWidget* w : targets) {
        w->setProperty("dawnRightOpensSetup", true);
        w->installEventFilter(this);
    }
    // These keep the right button to themselves: it neither opens the
    // configuration nor reaches the window behind them.
    for (QWidget* w : std::initializer_list<QWidget*>{Calendar1, MonthEdit, lbWeek, Image1,
                                                      lbMoonLight, StringGrid1}) {
        w->setAttribute(Qt::WA_NoMousePropagation);
        w->installEventFilter(this);
    }
}

void TForm1::WireKeyboard() {
    // The captions a click works on take the focus by Tab and act on Enter
    // or Space as on a click; the calendar and they show a ring while they
    // have it. The order follows the window: year, month, the calendar, its
    // week column, the summer-time rows, the clock panel, the panels'
    // captions and the graph.
    keyTargets_ = {lbWeek, lbSummerTime, lbWinterTime, lbDaysSummerTime,
                   Panel1, lbSunrise,    lbdaylight};
    for (const auto& row : TwilightRows) keyTargets_ << row[0];
    keyTargets_ << lbMoonLight << Image1;
    QWidget* previous = Calendar1;
    QWidget::setTabOrder(SpinEdit1, SpinEdit2);
    QWidget::setTabOrder(SpinEdit2, Calendar1);
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

void TForm1::MoveFocusRing(QWidget* focused) {
    if (FocusRing == nullptr) return;
    // The calendar's focus sits on its table inside it.
    QWidget* target = nullptr;
    if (focused != nullptr && (focused == Calendar1 || Calendar1->isAncestorOf(focused)))
        target = Calendar1;
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

bool TForm1::ActivateControl(QObject* watched) {
    if (watched == lbSummerTime) {
        lbSummerTimeClick();
    } else if (watched == lbWinterTime) {
        lbWinterTimeClick();
    } else if (watched == lbDaysSummerTime) {
        lbDaysSummerTimeClick();
    } else if (watched == Panel1) {
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
    } else if (watched == Image1) {
        Image1Click();
    } else {
        return false;
    }
    return true;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
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
            if (watched == lbdaylight) next = lbMoonLight;
            if (watched == lbMoonLight) next = lbdaylight;
            if (watched == TwilightRows[0][0] || watched == TwilightRows[1][0] ||
                watched == TwilightRows[2][0] || watched == TwilightRows[3][0])
                next = lbSunrise;
            const bool done = ActivateControl(watched);
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

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        lbSunRiseHourMouseDown(event->button());
        event->accept();
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void TForm1::SetPanel1Lowered(bool lowered) {
    Panel1->setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
}

void TForm1::Image1Click() {
    if (MoonPanelShown()) {
        emit moonGraphRequested();
    } else {
        emit sunGraphRequested();
    }
}

void TForm1::Exit1Click() {
    close();
}

}  // namespace dawn
