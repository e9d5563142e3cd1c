// The configuration dialog: its controls, its creation and its lifecycle
// (opening, leaving for another window of the program, closing).
#include "ui/config/settingsdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "places/zone.h"
#include "present/placechoice.h"
#include "present/summerrules.h"
#include "ui/common/helpwindow.h"
#include "ui/common/links.h"
#include "ui/common/messages.h"
#include "ui/config/radiogroup.h"
#include "ui/config/settingsdialog_impl.h"
#include "ui/config/widgets.h"

namespace dawn {
namespace {

QStringList NumberItems(int count) {
    QStringList items;
    for (int i = 1; i <= count; ++i) items << QString::number(i);
    return items;
}

PairSpinBox* NewSpin(QWidget* parent, const char* name, int min, int max, int value) {
    auto* spin = new PairSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(min, max);
    spin->setValue(value);
    spin->setFixedWidth(64);
    return spin;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& text, bool checked) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QLatin1String(name));
    check->setChecked(checked);
    return check;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text,
                       const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NewFileEdit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setToolTip(QStringLiteral("Click to browse files"));
    edit->setMinimumWidth(160);
    return edit;
}

// A small crescent moon beside the program's sun in the ephemeris box.
QPixmap MoonPicture(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QRectF(2, 2, side - 4, side - 4));
    QPainterPath shadow;
    shadow.addEllipse(QRectF(side * 0.32, 0, side - 4, side - 4));
    p.fillPath(disc.subtracted(shadow), QColor(230, 225, 170));
    p.setPen(QPen(QColor(120, 115, 80), 1));
    p.drawPath(disc.subtracted(shadow));
    return pixmap;
}

}  // namespace

SettingsDialog::SettingsDialog(AppState& state, QWidget* parent, MessageBoxes& messages,
                               FileChoosers& choosers)
    : QDialog(parent), d(std::make_unique<Impl>(state, messages, choosers)) {
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("Configuration"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    LoadHelpResources();

    BuildSettingsPanel();
    BuildMediaPanel();
    BuildStrip();

    // The two panels take turns in one place; the place is as large as the
    // larger of them, so the window keeps its size when they are switched.
    auto* panels = new QGridLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(PanelConfig, 0, 0);
    panels->addWidget(PanelFiles, 0, 0);
    const QSize a = PanelConfig->sizeHint();
    const QSize b = PanelFiles->sizeHint();
    PanelConfig->setMinimumSize(std::max(a.width(), b.width()), std::max(a.height(), b.height()));
    PanelFiles->setMinimumSize(PanelConfig->minimumSize());

    auto* strip = new QHBoxLayout;
    strip->addWidget(gbEphemeride);
    strip->addWidget(gbContact, 1);
    auto* names = new QVBoxLayout;
    names->addWidget(lbDawnhelm);
    names->addWidget(lbVersion);
    names->addStretch();
    strip->addLayout(names);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(MediaFiles);
    buttons->addWidget(OKButton);
    buttons->addStretch();
    strip->addLayout(buttons);

    // The panels scroll where the screen is too small for them (double
    // scale on a laptop); the strip with OK stays in view below them.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("PanelContent"));
    content->setLayout(panels);
    PanelScroll = new QScrollArea(this);
    PanelScroll->setObjectName(QStringLiteral("PanelScroll"));
    PanelScroll->setWidgetResizable(true);
    PanelScroll->setFrameShape(QFrame::NoFrame);
    PanelScroll->setWidget(content);
    PanelScroll->setMinimumHeight(4 * fontMetrics().height());
    auto* top = new QVBoxLayout(this);
    top->addWidget(PanelScroll, 1);
    top->addLayout(strip);
    FitToScreen();

    Wire();
    FormCreate();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::BuildSettingsPanel() {
    PanelConfig = new QWidget(this);
    PanelConfig->setObjectName(QStringLiteral("PanelConfig"));
    PanelConfig->setProperty(kHelpContextProperty, kHelpSettingsPanel);

    LanguageBox = new RadioGroup(QStringLiteral("Language"), 2, PanelConfig);
    LanguageBox->setObjectName(QStringLiteral("LanguageBox"));
    LanguageBox->setProperty(kHelpContextProperty, kHelpLanguageBox);
    LanguageBox->setItems(kLanguageItems);
    LanguageBox->setItemIndex(0);

    // The design values are those of the default place, Velmoren.
    auto pairBox = [this](const char* name, const QString& title, const QString& hint,
                          QSpinBox*& whole, const char* wholeName, int wholeLimit, int wholeValue,
                          QLabel*& separator, const char* separatorName,
                          const QString& separatorText, QSpinBox*& minutes, const char* minutesName,
                          int minutesMin, int minutesValue) {
        QGroupBox* box = NewGroup(PanelConfig, name, title);
        box->setToolTip(hint);
        whole = NewSpin(box, wholeName, -wholeLimit, wholeLimit, wholeValue);
        separator = new QLabel(separatorText, box);
        separator->setObjectName(QLatin1String(separatorName));
        separator->setTextFormat(Qt::PlainText);  // it shows a hemisphere letter from the labels
        separator->setAlignment(Qt::AlignCenter);
        separator->setMinimumWidth(14);
        minutes = NewSpin(box, minutesName, minutesMin, 59, minutesValue);
        auto* row = new QHBoxLayout(box);
        row->addWidget(whole);
        row->addWidget(separator);
        row->addWidget(minutes);
        row->addStretch();
        box->installEventFilter(this);
        return box;
    };
    LatitudeBox = pairBox("LatitudeBox", QStringLiteral("Latitude"),
                          QStringLiteral("Velmoren = 50n47"), LatitudeDegreesSpin,
                          "LatitudeDegreesSpin", 90, 50, lbLatitudeSeparator, "lbLatitudeSeparator",
                          QStringLiteral("n"), LatitudeMinutesSpin, "LatitudeMinutesSpin", 0, 47);
    lbLatitudeSeparator->setToolTip(QStringLiteral("noord"));
    LongitudeBox =
        pairBox("LongitudeBox", QStringLiteral("Longitude"), QStringLiteral("Velmoren = 5e28"),
                LongitudeDegreesSpin, "LongitudeDegreesSpin", 180, 5, lbLongitudeSeparator,
                "lbLongitudeSeparator", QStringLiteral("o"), LongitudeMinutesSpin,
                "LongitudeMinutesSpin", 0, 28);
    lbLongitudeSeparator->setToolTip(QStringLiteral("oost"));
    TimezoneBox = pairBox("TimezoneBox", QStringLiteral("TimeZone"),
                          QStringLiteral("Velmoren = +1"), TimeZoneHoursSpin, "TimeZoneHoursSpin",
                          23, 1, lbTimeZoneSeparator, "lbTimeZoneSeparator", QStringLiteral("+"),
                          TimeZoneMinutesSpin, "TimeZoneMinutesSpin", -59, 0);
    lbTimeZoneSeparator->setToolTip(QStringLiteral("oost"));
    TimeZoneHoursSpin->setToolTip(QStringLiteral("Hours"));
    TimeZoneMinutesSpin->setToolTip(QStringLiteral("Minutes"));

    auto ruleGroup = [this](const char* name, const QString& title, RadioGroup*& month,
                            const char* monthName, RadioGroup*& weekends, const char* weekendsName,
                            QPushButton*& button, const char* buttonName) {
        QGroupBox* group = NewGroup(PanelConfig, name, title);
        month = new RadioGroup(QStringLiteral("Month"), 3, group);
        month->setObjectName(QLatin1String(monthName));
        month->setItems(NumberItems(12));
        weekends = new RadioGroup(QStringLiteral("Weekend"), 2, group);
        weekends->setObjectName(QLatin1String(weekendsName));
        weekends->setItems(NumberItems(5));
        button = NewButton(group, buttonName, QStringLiteral("Weekday"),
                           QStringLiteral("Weekday that summertime starts"));
        button->setMinimumWidth(96);
        button->installEventFilter(this);
        auto* side = new QVBoxLayout;
        side->addWidget(weekends);
        side->addWidget(button);
        side->addStretch();
        auto* row = new QHBoxLayout(group);
        row->addWidget(month);
        row->addLayout(side);
        return group;
    };
    SummerTime =
        ruleGroup("SummerTime", QStringLiteral("Summertime"), SummerMonth, "SummerMonth",
                  SummerWeekends, "SummerWeekends", btnSummerStartDay, "btnSummerStartDay");
    WinterTime =
        ruleGroup("WinterTime", QStringLiteral("Wintertime"), WinterMonth, "WinterMonth",
                  WinterWeekends, "WinterWeekends", btnWinterStartDay, "btnWinterStartDay");

    GroupSaison = NewGroup(PanelConfig, "GroupSaison", QStringLiteral("Saison"));
    SaisonCheckBox = NewCheck(GroupSaison, "SaisonCheckBox", QStringLiteral("DST"), true);
    SaisonCheckBox->setToolTip(QStringLiteral("Daylight Saving Time "));
    (new QHBoxLayout(GroupSaison))->addWidget(SaisonCheckBox);
    GroupTime = NewGroup(PanelConfig, "GroupTime", QStringLiteral("Time"));
    ClockCheckBox = NewCheck(GroupTime, "ClockCheckBox", QStringLiteral("Clock"), false);
    ClockCheckBox->setToolTip(QStringLiteral("Show Time"));
    (new QHBoxLayout(GroupTime))->addWidget(ClockCheckBox);
    GroupFirstWeek = NewGroup(PanelConfig, "GroupFirstWeek", QStringLiteral("First Week"));
    GroupFirstWeek->setToolTip(QStringLiteral("First Week"));
    CheckNewYear = NewCheck(GroupFirstWeek, "CheckNewYear", QStringLiteral("NewYear"), false);
    CheckNewYear->setToolTip(QStringLiteral("first week"));
    (new QHBoxLayout(GroupFirstWeek))->addWidget(CheckNewYear);

    auto* left = new QVBoxLayout;
    left->addWidget(LanguageBox);
    left->addWidget(LatitudeBox);
    left->addWidget(LongitudeBox);
    left->addWidget(TimezoneBox);
    left->addStretch();
    d->ruleColumn = new QVBoxLayout;
    d->ruleColumn->addWidget(SummerTime);
    d->ruleColumn->addWidget(WinterTime);
    d->ruleColumn->addStretch();
    auto* flags = new QHBoxLayout;
    flags->addWidget(GroupSaison);
    flags->addWidget(GroupTime);
    flags->addWidget(GroupFirstWeek);
    auto* grid = new QGridLayout(PanelConfig);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addLayout(left, 0, 0);
    grid->addLayout(d->ruleColumn, 0, 1);
    grid->addLayout(flags, 1, 0, 1, 2);
    BuildPlaceSearch();
    grid->addWidget(PlaceBox, 2, 0, 1, 2);
    BuildSavedPlaces();
    grid->addWidget(SavedPlacesBox, 3, 0, 1, 2);
}

void SettingsDialog::BuildPlaceSearch() {
    PlaceBox = NewGroup(PanelConfig, "PlaceBox", QStringLiteral("Place"));
    PlaceSearchEdit = new QLineEdit(PlaceBox);
    PlaceSearchEdit->setObjectName(QStringLiteral("PlaceSearchEdit"));
    PlaceSearchEdit->setPlaceholderText(QStringLiteral("Type the name of a city"));
    PlaceSearchEdit->setMaxLength(200);
    PlaceMatchList = new QListWidget(PlaceBox);
    PlaceMatchList->setObjectName(QStringLiteral("PlaceMatchList"));
    PlaceMatchList->setMaximumHeight(90);
    auto* column = new QVBoxLayout(PlaceBox);
    column->addWidget(PlaceSearchEdit);
    column->addWidget(PlaceMatchList);
}

void SettingsDialog::BuildMediaPanel() {
    PanelFiles = new QWidget(this);
    PanelFiles->setObjectName(QStringLiteral("PanelFiles"));
    PanelFiles->setProperty(kHelpContextProperty, kHelpMediaPanel);
    PanelFiles->setFocusPolicy(Qt::StrongFocus);
    PanelFiles->hide();

    FileGroupBox = NewGroup(PanelFiles, "FileGroupBox", QStringLiteral("Media"));
    const QIcon browse = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon play = style()->standardIcon(QStyle::SP_MediaPlay);
    const QIcon show = style()->standardIcon(QStyle::SP_FileDialogContentsView);

    auto fileRow = [&](const char* name, const QString& title, QPushButton*& soundBrowse,
                       const char* soundBrowseName, const QString& soundBrowseHint,
                       QLineEdit*& soundEdit, const char* soundEditName, QPushButton*& playButton,
                       const char* playName, QPushButton*& imageBrowse, const char* imageBrowseName,
                       const QString& imageBrowseHint, QLineEdit*& imageEdit,
                       const char* imageEditName, const QString& imageDesign,
                       QPushButton*& showButton, const char* showName, QCheckBox*& stretch,
                       const char* stretchName) {
        QGroupBox* box = NewGroup(FileGroupBox, name, title);
        soundBrowse = NewButton(box, soundBrowseName, QString(), soundBrowseHint);
        soundBrowse->setIcon(browse);
        soundEdit = NewFileEdit(box, soundEditName, QStringLiteral("*.wav"));
        playButton = NewButton(box, playName, QString(), QStringLiteral("Play Sound"));
        playButton->setIcon(play);
        imageBrowse = NewButton(box, imageBrowseName, QString(), imageBrowseHint);
        imageBrowse->setIcon(browse);
        imageEdit = NewFileEdit(box, imageEditName, imageDesign);
        showButton = NewButton(box, showName, QString(), QStringLiteral("Show Image"));
        showButton->setIcon(show);
        stretch = NewCheck(box, stretchName, QStringLiteral("Stretch"), true);
        stretch->setToolTip(QStringLiteral("Stretched"));
        soundEdit->installEventFilter(this);
        imageEdit->installEventFilter(this);
        auto* grid = new QGridLayout(box);
        grid->addWidget(soundBrowse, 0, 0);
        grid->addWidget(soundEdit, 0, 1);
        grid->addWidget(playButton, 0, 2);
        grid->addWidget(imageBrowse, 1, 0);
        grid->addWidget(imageEdit, 1, 1);
        grid->addWidget(showButton, 1, 2);
        grid->addWidget(stretch, 1, 3);
        grid->setColumnStretch(1, 1);
        return box;
    };
    SunRiseFileBox =
        fileRow("SunRiseFileBox", QStringLiteral("SunRise"), SunRiseSoundBrowse,
                "SunRiseSoundBrowse", QStringLiteral("Select SunRise Wave"), SunRiseSoundEdit,
                "SunRiseSoundEdit", SunRiseSoundButton, "SunRiseSoundButton", SunRiseImageBrowse,
                "SunRiseImageBrowse", QStringLiteral("Select SunRise Image"), SunRiseImageEdit,
                "SunRiseImageEdit", QStringLiteral("*.bmp *.jpg "), ShowSunRiseImage,
                "ShowSunRiseImage", ImageSunRiseStretch, "ImageSunRiseStretch");
    SunSetFileBox =
        fileRow("SunSetFileBox", QStringLiteral("SunSet"), SunSetSoundBrowse, "SunSetSoundBrowse",
                QStringLiteral("Select SunSet Wave"), SunSetSoundEdit, "SunSetSoundEdit",
                SunSetSoundButton, "SunSetSoundButton", SunSetImageBrowse, "SunSetImageBrowse",
                QStringLiteral("Select SunSet Image"), SunSetImageEdit, "SunSetImageEdit",
                QStringLiteral("*.bmp *.jpg"), ShowSunSetImage, "ShowSunSetImage",
                ImageSunSetStretch, "ImageSunSetStretch");

    Activate = NewGroup(FileGroupBox, "Activate", QStringLiteral("Activate"));
    SoundCheckFileName = NewCheck(Activate, "SoundCheckFileName", QStringLiteral("Alarm"), true);
    ImageCheckFileName = NewCheck(Activate, "ImageCheckFileName", QStringLiteral("Image"), true);
    auto* switches = new QHBoxLayout(Activate);
    switches->addWidget(SoundCheckFileName);
    switches->addWidget(ImageCheckFileName);
    switches->addStretch();

    // The alarms: a row per alarm under one caption for the offsets. The
    // texts come from the labels (ShowAlarms).
    AlarmBox = NewGroup(FileGroupBox, "AlarmBox", QStringLiteral("Alarms"));
    auto* alarms = new QGridLayout(AlarmBox);
    alarms->setVerticalSpacing(2);
    lbAlarmOffset = new QLabel(QStringLiteral("Offset"), AlarmBox);
    lbAlarmOffset->setObjectName(QStringLiteral("lbAlarmOffset"));
    alarms->addWidget(lbAlarmOffset, 0, 1, 1, 2);
    const char* const rowNames[] = {"SunRise", "SunSet", "CivilDawn", "CivilDusk", "Eclipse"};
    for (std::size_t i = 0; i < AlarmNames.size(); ++i) {
        const QString base = QLatin1String(rowNames[i]);
        const int row = static_cast<int>(i) + 1;
        AlarmNames[i] = new QLabel(AlarmBox);
        AlarmNames[i]->setObjectName(base + QStringLiteral("AlarmName"));
        AlarmNames[i]->setTextFormat(Qt::PlainText);
        auto* offset = new QSpinBox(AlarmBox);
        offset->setObjectName(base + QStringLiteral("AlarmOffset"));
        offset->setRange(-180, 180);
        offset->setFixedWidth(64);  // as wide as the place's spin edits: "-180" fits
        AlarmOffsets[i] = offset;
        AlarmMinutes[i] = new QLabel(AlarmBox);
        AlarmMinutes[i]->setObjectName(base + QStringLiteral("AlarmMinutes"));
        AlarmMinutes[i]->setTextFormat(Qt::PlainText);
        auto* way = new QComboBox(AlarmBox);
        way->setObjectName(base + QStringLiteral("AlarmWay"));
        way->addItems({QString(), QString(), QString(), QString()});
        way->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        AlarmWays[i] = way;
        alarms->addWidget(AlarmNames[i], row, 0);
        alarms->addWidget(offset, row, 1);
        alarms->addWidget(AlarmMinutes[i], row, 2);
        alarms->addWidget(way, row, 3);
        AlarmNames[i]->setBuddy(offset);
    }
    alarms->setColumnStretch(4, 1);

    auto* column = new QVBoxLayout(FileGroupBox);
    column->addWidget(SunRiseFileBox);
    column->addWidget(SunSetFileBox);
    column->addWidget(Activate);
    column->addWidget(AlarmBox);
    BuildSightBox(FileGroupBox);
    column->addWidget(SightBox);
    column->addStretch();
    auto* panel = new QVBoxLayout(PanelFiles);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(FileGroupBox);
}

void SettingsDialog::BuildStrip() {
    gbEphemeride = NewGroup(this, "gbEphemeride", QStringLiteral("Ephemeris"));
    ProgramIcon = new ClickLabel(gbEphemeride);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(dawn::ProgramIcon().pixmap(32, 32));
    ProgramIcon->setToolTip(QStringLiteral("Recompute the day"));
    ProgramIcon->setCursor(Qt::PointingHandCursor);
    MoonIcon = new QLabel(gbEphemeride);
    MoonIcon->setObjectName(QStringLiteral("MoonIcon"));
    MoonIcon->setPixmap(MoonPicture(28));
    auto clock = [this](const char* name) {
        auto* l = new QLabel(QStringLiteral("--:--"), gbEphemeride);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    lbAboutSunrise = clock("lbAboutSunrise");
    lbAboutSunSet = clock("lbAboutSunSet");
    lbAboutMoonRise = clock("lbAboutMoonRise");
    lbAboutMoonset = clock("lbAboutMoonset");
    auto* eph = new QGridLayout(gbEphemeride);
    eph->addWidget(ProgramIcon, 0, 0, 2, 1);
    eph->addWidget(lbAboutSunrise, 0, 1);
    eph->addWidget(lbAboutSunSet, 1, 1);
    eph->addWidget(MoonIcon, 0, 2, 2, 1);
    eph->addWidget(lbAboutMoonRise, 0, 3);
    eph->addWidget(lbAboutMoonset, 1, 3);

    gbContact = NewGroup(this, "gbContact", QString());
    lbMakers = new QLabel(QStringLiteral("The Dawnhelm makers"), gbContact);
    lbMakers->setObjectName(QStringLiteral("lbMakers"));
    lbHomePage = new ClickLabel(gbContact);
    lbHomePage->setObjectName(QStringLiteral("lbHomePage"));
    lbHomePage->setText(QStringLiteral("homepage: ") + QLatin1String(kHomePageAddress));
    lbHomePage->setToolTip(QStringLiteral("get here the latest version of dawnhelm"));
    lbHomePage->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    lbHomePage->setCursor(Qt::PointingHandCursor);
    auto* contact = new QVBoxLayout(gbContact);
    contact->addWidget(lbMakers);
    contact->addWidget(lbHomePage);

    lbDawnhelm = new QLabel(QStringLiteral("Dawnhelm"), this);
    lbDawnhelm->setObjectName(QStringLiteral("lbDawnhelm"));
    QFont bold = lbDawnhelm->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    lbDawnhelm->setFont(bold);
    lbVersion = new QLabel(QLatin1String(kVersionText), this);
    lbVersion->setObjectName(QStringLiteral("lbVersion"));

    MediaFiles = NewButton(this, "MediaFiles", QStringLiteral("Media"), QString());
    OKButton = NewButton(this, "OKButton", QStringLiteral("OK"), QString());
    OKButton->setDefault(true);
}

void SettingsDialog::Wire() {
    connect(LanguageBox, &RadioGroup::itemIndexChanged, this, [this] { LanguageBoxClick(); });
    // Each part of a pair forwards the value its arrows, keys or wheel gave,
    // and a typed value once committed; the pair's rule carries both.
    const struct {
        QSpinBox* spin;
        PairKind kind;
        PairPart part;
    } pairEdits[] = {
        {LatitudeDegreesSpin, PairKind::Latitude, PairPart::Whole},
        {LatitudeMinutesSpin, PairKind::Latitude, PairPart::Minutes},
        {LongitudeDegreesSpin, PairKind::Longitude, PairPart::Whole},
        {LongitudeMinutesSpin, PairKind::Longitude, PairPart::Minutes},
        {TimeZoneHoursSpin, PairKind::TimeZone, PairPart::Whole},
        {TimeZoneMinutesSpin, PairKind::TimeZone, PairPart::Minutes},
    };
    for (const auto& e : pairEdits) {
        connect(
            e.spin, &QSpinBox::valueChanged, this,
            [this, kind = e.kind, part = e.part](int value) { EditPairPart(kind, part, value); });
        if (auto* spin = qobject_cast<PairSpinBox*>(e.spin)) {
            connect(spin, &PairSpinBox::typed, this,
                    [this, kind = e.kind, part = e.part](long long value) {
                        TypePairPart(kind, part, value);
                    });
        }
    }
    for (ClockChange change : {ClockChange::Summer, ClockChange::Winter}) {
        const RuleControls c = RuleControlsOf(change);
        connect(c.month, &RadioGroup::itemIndexChanged, this,
                [this, change](int item) { Apply(ChooseMonth(d->form, d->state, change, item)); });
        connect(c.weekends, &RadioGroup::itemIndexChanged, this, [this, change](int item) {
            Apply(ChooseWeekend(d->form, d->state, change, item));
        });
    }
    connect(SaisonCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { Apply(SwitchSummerTime(d->form, d->state, on)); });
    connect(CheckNewYear, &QCheckBox::toggled, this, [this](bool on) {
        Apply(Switch(d->form, d->state, FormSwitch::FirstWeekNewYear, on));
    });
    connect(PlaceSearchEdit, &QLineEdit::textChanged, this, [this] { PlaceSearchEdited(); });
    PlaceSearchEdit->installEventFilter(this);
    PlaceMatchList->installEventFilter(this);
    connect(PlaceMatchList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { PlaceMatchChosen(PlaceMatchList->row(item)); });
    connect(PlaceMatchList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { PlaceMatchChosen(PlaceMatchList->row(item)); });
    connect(ClockCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { Apply(Switch(d->form, d->state, FormSwitch::Clock, on)); });
    connect(ProgramIcon, &ClickLabel::clicked, this, [this] { ApplyEdits(); });
    connect(lbHomePage, &ClickLabel::clicked, this, [] { OpenHomePage(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(MediaFiles, &QPushButton::clicked, this, [this] { MediaFilesClick(); });

    connect(SunRiseSoundBrowse, &QPushButton::clicked, this, [this] { SunRiseSoundEditClick(); });
    connect(SunRiseImageBrowse, &QPushButton::clicked, this, [this] { SunRiseImageEditClick(); });
    connect(SunSetSoundBrowse, &QPushButton::clicked, this, [this] { SunSetSoundEditClick(); });
    connect(SunSetImageBrowse, &QPushButton::clicked, this, [this] { SunSetImageEditClick(); });
    connect(SunRiseSoundButton, &QPushButton::clicked, this, [this] { SunRiseSoundButtonClick(); });
    connect(SunSetSoundButton, &QPushButton::clicked, this, [this] { SunSetSoundButtonClick(); });
    connect(ShowSunRiseImage, &QPushButton::clicked, this, [this] { ShowSunRiseImageClick(); });
    connect(ShowSunSetImage, &QPushButton::clicked, this, [this] { ShowSunSetImageClick(); });
    connect(ImageSunRiseStretch, &QCheckBox::toggled, this, [this] { ImageSunRiseStretchClick(); });
    connect(ImageSunSetStretch, &QCheckBox::toggled, this, [this] { ImageSunSetStretchClick(); });
    connect(SoundCheckFileName, &QCheckBox::toggled, this, [this] { SoundCheckFileNameClick(); });
    connect(ImageCheckFileName, &QCheckBox::toggled, this, [this] { ImageCheckFileNameClick(); });
    for (std::size_t i = 0; i < AlarmOffsets.size(); ++i) {
        const int alarm = static_cast<int>(i);
        connect(AlarmOffsets[i], &QSpinBox::valueChanged, this,
                [this, alarm] { AlarmOffsetChange(alarm); });
        connect(AlarmWays[i], &QComboBox::currentIndexChanged, this,
                [this, alarm] { AlarmWayChange(alarm); });
    }

    // The file names are refreshed whenever the focus moves into the media
    // group from outside it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        auto inside = [this](QWidget* w) {
            return w && (w == FileGroupBox || FileGroupBox->isAncestorOf(w));
        };
        if (inside(now) && !inside(old)) FileGroupBoxEnter();
    });
}

void SettingsDialog::FormCreate() {
    PanelConfig->show();
    PanelFiles->hide();
    Apply(FillForm(d->state));
    ShowSight();
    FileGroupBoxEnter();
}

void SettingsDialog::OpenPlaceSearch() {
    if (d->placesOpened) return;
    d->placesOpened = true;
    const CityIndexOpenResult opened = OpenCityIndex();
    d->cities = opened.index;
    if (!d->cities) {
        PlaceSearchEdit->setEnabled(false);
        PlaceMatchList->setEnabled(false);
        PlaceSearchEdit->setPlaceholderText(Q(opened.error));
        PlaceSearchEdit->setToolTip(Q(opened.error));
    }
}

void SettingsDialog::PlaceSearchEdited() {
    OpenPlaceSearch();
    if (!d->cities) return;
    d->matches = d->cities->Search(PlaceSearchEdit->text().toStdString(), kPlaceMatchCount);
    PlaceMatchList->clear();
    for (const City& c : d->matches) PlaceMatchList->addItem(Q(PlaceMatchText(c)));
}

void SettingsDialog::PlaceMatchChosen(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= d->matches.size()) return;
    const City city = d->matches[static_cast<std::size_t>(row)];
    const ZoneOpenResult zone = OpenZone(city.zone);
    if (!zone.zone) {
        d->messages.showMessage(this, Q(zone.message));
        return;
    }
    AppState& st = d->state;
    ChoosePlace(st.Settings, city, zone.zone, st.Today, st.ReferenceYear);
    d->form = WithSettingsShown(d->form, st, st.Settings);
    ApplyEdits();
}

void SettingsDialog::FormActivate() {
    OpenPlaceSearch();
    if (!PanelConfig->isHidden()) LanguageBox->setFocus();
    // Another window may have shown a date of another year, or changed the
    // settings: the rules are fitted anew and the day drawn again.
    d->form = WithRulesFitted(d->form, d->state);
    ApplyEdits();
}

void SettingsDialog::FormHide() {
    const SettingsSaveResult saved = SaveSettings(d->state.Settings, d->state.AppDir);
    if (!saved.ok) d->messages.showMessage(this, Q(saved.error));
    if (const auto failed = SaveEclipseAlarmIfChanged(d->state))
        d->messages.showMessage(this, Q(*failed));
}

void SettingsDialog::OKButtonClick() {
    PanelConfig->show();
    PanelFiles->hide();
    accept();
}

bool SettingsDialog::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::WindowActivate:
            // Each opening, and each return from a window of the program
            // opened over the dialog; not a return from another program.
            if (d->activateOnReturn) {
                d->activateOnReturn = false;
                FormActivate();
            }
            break;
        case QEvent::WindowDeactivate:
            if (isVisible() && QApplication::activeWindow() != nullptr) d->activateOnReturn = true;
            break;
        default:
            break;
    }
    return QDialog::event(e);
}

void SettingsDialog::FitToScreen() {
    // The whole of both panels where the screen has room, else the screen's
    // free area with the panels scrolling; never smaller than the strip.
    QWidget* content = PanelScroll->widget();
    const QMargins m = layout()->contentsMargins();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize strip = layout()->itemAt(1)->sizeHint();
    const QSize whole(
        std::max(content->sizeHint().width() + scrollBar, strip.width()) + m.left() + m.right(),
        content->sizeHint().height() + layout()->spacing() + strip.height() + m.top() + m.bottom());
    QSize room = whole;
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        // Room for the window's frame and title bar.
        room = s->availableGeometry().size() - QSize(16, 48);
    }
    resize(whole.boundedTo(room).expandedTo(minimumSizeHint()));
}

void SettingsDialog::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) {
        FitToScreen();
        d->activateOnReturn = true;
        // Each opening starts a new search, and reads the saved places again.
        const QSignalBlocker quiet(PlaceSearchEdit);
        PlaceSearchEdit->clear();
        PlaceMatchList->clear();
        d->matches.clear();
        RefreshSavedPlaces();
    }
    QDialog::showEvent(e);
}

void SettingsDialog::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (e->spontaneous()) return;  // minimised with the main window, not closed
    d->activateOnReturn = false;
    FormHide();
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if ((watched == PlaceSearchEdit || watched == PlaceMatchList) && type == QEvent::KeyPress) {
        // Down from the search field goes to the suggestions; Enter on a
        // suggestion chooses it, and the dialog stays open to show it.
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (watched == PlaceSearchEdit && key == Qt::Key_Down && PlaceMatchList->count() > 0) {
            PlaceMatchList->setCurrentRow(0);
            PlaceMatchList->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (watched == PlaceMatchList && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
            PlaceMatchList->currentRow() >= 0) {
            PlaceMatchChosen(PlaceMatchList->currentRow());
            return true;
        }
    }
    if (type == QEvent::MouseButtonDblClick) {
        if (watched == LatitudeBox) LatitudeBoxDblClick();
        if (watched == LongitudeBox) LongitudeBoxDblClick();
        if (watched == TimezoneBox) TimezoneBoxDblClick();
    }
    if (watched == btnSummerStartDay || watched == btnWinterStartDay) {
        const ClockChange change =
            watched == btnSummerStartDay ? ClockChange::Summer : ClockChange::Winter;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            WeekdayMouseDown(change, static_cast<QMouseEvent*>(e)->button());
            return true;
        }
        if (type == QEvent::KeyPress) {
            // The keyboard steps like the mouse: Space or Enter forward,
            // Backspace back.
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                WeekdayMouseDown(change, Qt::LeftButton);
                return true;
            }
            if (key == Qt::Key_Backspace) {
                WeekdayMouseDown(change, Qt::RightButton);
                return true;
            }
        }
    }
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        const bool click = type == QEvent::MouseButtonRelease &&
                           static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton;
        bool tabbedIn = false;
        if (type == QEvent::FocusIn) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
            tabbedIn = why == Qt::TabFocusReason || why == Qt::BacktabFocusReason ||
                       why == Qt::ShortcutFocusReason;
        }
        if (click || tabbedIn) {
            // The chooser opens once the event that asked for it is done.
            QMetaObject::invokeMethod(
                this,
                [this, edit] {
                    if (edit == SunRiseSoundEdit) SunRiseSoundEditClick();
                    if (edit == SunSetSoundEdit) SunSetSoundEditClick();
                    if (edit == SunRiseImageEdit) SunRiseImageEditClick();
                    if (edit == SunSetImageEdit) SunSetImageEditClick();
                },
                Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace dawn
