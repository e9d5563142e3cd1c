// The media panel's last group: the observer's height, the horizon profile
// and the user's own events with their alarms. The height and the profile are
// settings (saved with them when the dialog closes); the events are saved to
// their own file at each add, change or remove.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/textfile.h"
#include "present/alarmpanel.h"
#include "present/lightpanel.h"
#include "ui/config/settingsdialog_impl.h"

namespace dawn {
namespace {

// The events an offset may count from besides the user's own.
constexpr const auto& kBuiltInBases = kBuiltInEventNames;

QString Joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out << Q(l);
    return out.join(QLatin1Char('\n'));
}

}  // namespace

void SettingsDialog::BuildSightBox(QWidget* parent) {
    SightBox = new QGroupBox(parent);
    SightBox->setObjectName(QStringLiteral("SightBox"));
    auto* grid = new QGridLayout(SightBox);
    grid->setVerticalSpacing(2);
    auto label = [this](const char* name) {
        auto* l = new QLabel(SightBox);
        l->setObjectName(QLatin1String(name));
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    lbHeight = label("lbHeight");
    HeightSpin = new QDoubleSpinBox(SightBox);
    HeightSpin->setObjectName(QStringLiteral("HeightSpin"));
    HeightSpin->setRange(0, kMaxObserverHeightMetres);
    HeightSpin->setDecimals(1);
    lbHeight->setBuddy(HeightSpin);
    grid->addWidget(lbHeight, 0, 0);
    grid->addWidget(HeightSpin, 0, 1);

    lbProfile = label("lbProfile");
    ProfileEdit = new QLineEdit(SightBox);
    ProfileEdit->setObjectName(QStringLiteral("ProfileEdit"));
    ProfileBrowse = new QPushButton(QStringLiteral("..."), SightBox);
    ProfileBrowse->setObjectName(QStringLiteral("ProfileBrowse"));
    lbProfile->setBuddy(ProfileEdit);
    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(ProfileEdit, 1);
    profileRow->addWidget(ProfileBrowse);
    grid->addWidget(lbProfile, 1, 0);
    grid->addLayout(profileRow, 1, 1, 1, 3);
    // The reader's messages, as plain text: a file's lines never show as
    // rich text.
    ProfileMessage = label("ProfileMessage");
    ProfileMessage->setWordWrap(true);
    grid->addWidget(ProfileMessage, 2, 0, 1, 4);

    lbOwnEvents = label("lbOwnEvents");
    grid->addWidget(lbOwnEvents, 3, 0, 1, 4);
    OwnEventList = new QListWidget(SightBox);
    OwnEventList->setObjectName(QStringLiteral("OwnEventList"));
    OwnEventList->setMaximumHeight(6 * fontMetrics().height());
    grid->addWidget(OwnEventList, 4, 0, 1, 4);

    lbOwnEventName = label("lbOwnEventName");
    OwnEventName = new QLineEdit(SightBox);
    OwnEventName->setObjectName(QStringLiteral("OwnEventName"));
    OwnEventName->setMaxLength(static_cast<int>(kMaxUserEventNameBytes));
    lbOwnEventName->setBuddy(OwnEventName);
    OwnEventKind = new QComboBox(SightBox);
    OwnEventKind->setObjectName(QStringLiteral("OwnEventKind"));
    OwnEventKind->addItems({QString(), QString(), QString()});
    grid->addWidget(lbOwnEventName, 5, 0);
    grid->addWidget(OwnEventName, 5, 1);
    grid->addWidget(OwnEventKind, 5, 2, 1, 2);

    lbOwnEventValue = label("lbOwnEventValue");
    OwnEventValue = new QLineEdit(SightBox);
    OwnEventValue->setObjectName(QStringLiteral("OwnEventValue"));
    lbOwnEventValue->setBuddy(OwnEventValue);
    lbOwnEventWhich = label("lbOwnEventWhich");
    OwnEventWhich = new QComboBox(SightBox);
    OwnEventWhich->setObjectName(QStringLiteral("OwnEventWhich"));
    OwnEventWhich->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lbOwnEventWhich->setBuddy(OwnEventWhich);
    grid->addWidget(lbOwnEventValue, 6, 0);
    grid->addWidget(OwnEventValue, 6, 1);
    grid->addWidget(lbOwnEventWhich, 6, 2);
    grid->addWidget(OwnEventWhich, 6, 3);

    OwnEventBeyondNoon = new QCheckBox(SightBox);
    OwnEventBeyondNoon->setObjectName(QStringLiteral("OwnEventBeyondNoon"));
    grid->addWidget(OwnEventBeyondNoon, 7, 0, 1, 4);

    lbOwnEventAlarm = label("lbOwnEventAlarm");
    OwnEventAlarmOffset = new QSpinBox(SightBox);
    OwnEventAlarmOffset->setObjectName(QStringLiteral("OwnEventAlarmOffset"));
    OwnEventAlarmOffset->setRange(static_cast<int>(kMinAlarmOffset.count()),
                                  static_cast<int>(kMaxAlarmOffset.count()));
    lbOwnEventAlarm->setBuddy(OwnEventAlarmOffset);
    OwnEventAlarmWay = new QComboBox(SightBox);
    OwnEventAlarmWay->setObjectName(QStringLiteral("OwnEventAlarmWay"));
    OwnEventAlarmWay->addItems({QString(), QString(), QString(), QString()});
    OwnEventAlarmWay->setCurrentIndex(kNoAlarmWay);  // a new event rings nothing
    OwnEventAlarmWay->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(lbOwnEventAlarm, 8, 0);
    grid->addWidget(OwnEventAlarmOffset, 8, 1);
    grid->addWidget(OwnEventAlarmWay, 8, 2, 1, 2);

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const char* name) {
        auto* b = new QPushButton(SightBox);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    OwnEventAdd = button("OwnEventAdd");
    OwnEventChange = button("OwnEventChange");
    OwnEventRemove = button("OwnEventRemove");
    buttons->addStretch();
    grid->addLayout(buttons, 9, 0, 1, 4);
    OwnEventMessage = label("OwnEventMessage");
    OwnEventMessage->setWordWrap(true);
    grid->addWidget(OwnEventMessage, 10, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(HeightSpin, &QDoubleSpinBox::valueChanged, this, [this] { HeightSpinChange(); });
    connect(ProfileEdit, &QLineEdit::editingFinished, this, [this] { ProfileEditDone(); });
    connect(ProfileBrowse, &QPushButton::clicked, this, [this] { ProfileBrowseClick(); });
    connect(OwnEventList, &QListWidget::currentRowChanged, this,
            [this](int row) { OwnEventChosen(row); });
    connect(OwnEventKind, &QComboBox::currentIndexChanged, this, [this] { ShowOwnEventWhich(); });
    connect(OwnEventAdd, &QPushButton::clicked, this, [this] { OwnEventAddClick(); });
    connect(OwnEventChange, &QPushButton::clicked, this, [this] { OwnEventChangeClick(); });
    connect(OwnEventRemove, &QPushButton::clicked, this, [this] { OwnEventRemoveClick(); });
}

void SettingsDialog::ShowSight() {
    const AppState& st = d->state;
    SightBox->setTitle(d->Label(label::kSightPage));
    lbHeight->setText(d->Label(label::kObserverHeight));
    lbProfile->setText(d->Label(label::kHorizonProfile));
    lbOwnEvents->setText(d->Label(label::kOwnEvents));
    lbOwnEventName->setText(d->Label(label::kOwnEventName));
    lbOwnEventValue->setText(d->Label(label::kOwnEventValue));
    lbOwnEventWhich->setText(d->Label(label::kOwnEventWhich));
    OwnEventBeyondNoon->setText(d->Label(label::kOwnEventBeyondNoon));
    const AlarmPanelView alarms = AlarmPanelOf(st.Settings.Alarms, st.Current);
    lbOwnEventAlarm->setText(Q(alarms.title));
    OwnEventAlarmOffset->setSuffix(QLatin1Char(' ') + Q(alarms.minutes));
    OwnEventAlarmOffset->setToolTip(Q(alarms.offsetHint));
    for (int way = 0; way < kAlarmWayCount; ++way)
        OwnEventAlarmWay->setItemText(way, Q(alarms.ways[static_cast<std::size_t>(way)]));
    const int kinds[] = {label::kOwnEventElevation, label::kOwnEventShadow, label::kOwnEventOffset};
    for (int k = 0; k < 3; ++k) OwnEventKind->setItemText(k, d->Label(kinds[k]));
    OwnEventAdd->setText(d->Label(label::kOwnEventAdd));
    OwnEventChange->setText(d->Label(label::kOwnEventChange));
    OwnEventRemove->setText(d->Label(label::kOwnEventRemove));

    const QSignalBlocker blockHeight(HeightSpin);
    HeightSpin->setValue(d->form.heightMetres);
    ProfileEdit->setText(QString::fromStdString(st.Settings.HorizonProfilePath));
    ShowOwnEventList();
    ShowOwnEventWhich();
}

void SettingsDialog::ShowOwnEventList() {
    const int row = OwnEventList->currentRow();
    const QSignalBlocker block(OwnEventList);
    OwnEventList->clear();
    // Each event as its line in the file: the whole of it at a glance.
    const std::vector<std::string> lines = UserEventLines(d->state.OwnEvents);
    for (std::size_t i = 1; i < lines.size(); ++i) OwnEventList->addItem(Q(lines[i]));
    OwnEventList->setCurrentRow(std::min(row, OwnEventList->count() - 1));
    OwnEventChange->setEnabled(OwnEventList->currentRow() >= 0);
    OwnEventRemove->setEnabled(OwnEventList->currentRow() >= 0);
}

void SettingsDialog::ShowOwnEventWhich() {
    const QString kept = OwnEventWhich->currentText();
    const bool offset = OwnEventKind->currentIndex() == 2;
    const QSignalBlocker block(OwnEventWhich);
    OwnEventWhich->clear();
    OwnEventWhich->setEditable(offset);
    if (offset) {
        for (const std::string_view base : kBuiltInBases)
            OwnEventWhich->addItem(QLatin1String(base.data(), static_cast<qsizetype>(base.size())));
        for (const UserEvent& e : d->state.OwnEvents) OwnEventWhich->addItem(Q(e.name));
        OwnEventWhich->setCurrentText(kept);
    } else {
        // By UserEventSide: rising, setting, both.
        OwnEventWhich->addItems({d->Label(label::kAlignmentsRise), d->Label(label::kAlignmentsSet),
                                 d->Label(label::kAlarmWays + 2)});
        OwnEventWhich->setCurrentIndex(2);
    }
    OwnEventBeyondNoon->setEnabled(OwnEventKind->currentIndex() == 1);
}

void SettingsDialog::HeightSpinChange() {
    // The spin edit keeps what is being typed: the form's height is copied
    // into it only when the group is captioned anew.
    Apply(EditHeight(d->form, d->state, HeightSpin->value()));
}

void SettingsDialog::ProfileEditDone() {
    const std::string path = ProfileEdit->text().trimmed().toStdString();
    if (path == d->state.Settings.HorizonProfilePath && !d->state.HorizonProfile.empty()) return;
    d->state.Settings.HorizonProfilePath = path;
    ProfileMessage->setText(Joined(LoadHorizonProfile(d->state)));
    ApplyEdits();
}

void SettingsDialog::ProfileBrowseClick() {
    FileRequest request;
    request.title = d->Label(label::kHorizonProfile);
    request.filter = QStringLiteral("Horizon profiles (*.txt *.hzn *.csv)|*.txt;*.hzn;*.csv");
    request.presetPath = Q(HorizonProfileFile(d->state));
    const std::optional<QString> chosen = d->choosers.openFile(this, request);
    if (!chosen) return;
    ProfileEdit->setText(*chosen);
    d->state.HorizonProfile.clear();  // read anew even when the path is the same
    ProfileEditDone();
}

void SettingsDialog::OwnEventChosen(int row) {
    OwnEventChange->setEnabled(row >= 0);
    OwnEventRemove->setEnabled(row >= 0);
    if (row < 0 || row >= static_cast<int>(d->state.OwnEvents.size())) return;
    const UserEvent& e = d->state.OwnEvents[static_cast<std::size_t>(row)];
    OwnEventName->setText(Q(e.name));
    OwnEventKind->setCurrentIndex(static_cast<int>(e.kind));
    ShowOwnEventWhich();
    const std::vector<std::string> line = UserEventLines({e});
    // The value as the file writes it, in its shortest form.
    const QString field = Q(line[1]).section(QLatin1Char(';'), 2, 2);
    OwnEventValue->setText(field);
    if (e.kind == UserEventKind::Offset)
        OwnEventWhich->setCurrentText(Q(e.base));
    else
        OwnEventWhich->setCurrentIndex(static_cast<int>(e.side));
    OwnEventBeyondNoon->setChecked(e.beyondNoon);
    OwnEventAlarmOffset->setValue(e.alarm ? static_cast<int>(e.alarm->offset.count()) : 0);
    OwnEventAlarmWay->setCurrentIndex(e.alarm ? static_cast<int>(e.alarm->channel) : kNoAlarmWay);
}

std::optional<UserEvent> SettingsDialog::EditedOwnEvent() {
    UserEvent e;
    e.name = OwnEventName->text().trimmed().toStdString();
    e.kind = static_cast<UserEventKind>(std::clamp(OwnEventKind->currentIndex(), 0, 2));
    const std::string value = OwnEventValue->text().trimmed().toStdString();
    if (!ParseNumberInRange(value, -1e6, 1e6, e.value)) {
        OwnEventMessage->setText(d->Label(label::kOwnEventValue) + QStringLiteral(": \"") +
                                 OwnEventValue->text() + QStringLiteral("\" is not a number."));
        return std::nullopt;
    }
    if (e.kind == UserEventKind::Offset)
        e.base = OwnEventWhich->currentText().trimmed().toStdString();
    else
        e.side = static_cast<UserEventSide>(std::clamp(OwnEventWhich->currentIndex(), 0, 2));
    e.beyondNoon = e.kind == UserEventKind::Shadow && OwnEventBeyondNoon->isChecked();
    if (OwnEventAlarmWay->currentIndex() != kNoAlarmWay)
        e.alarm = UserEventAlarm{std::chrono::minutes(OwnEventAlarmOffset->value()),
                                 static_cast<AlarmChannel>(OwnEventAlarmWay->currentIndex())};
    return e;
}

bool SettingsDialog::SaveOwnEvents(const std::vector<UserEvent>& events) {
    // The list is checked as the file will be read back: a value out of its
    // range, a name used twice or with a ';', an offset from nothing or in a
    // circle are refused with the reader's words, and nothing is written.
    const std::vector<std::string> lines = UserEventLines(events);
    const UserEventsRead again = UserEventsFromLines(lines, kUserEventsFileName);
    if (!again.messages.empty() || again.events != events) {
        OwnEventMessage->setText(again.messages.empty() ? d->Label(label::kOwnEventName)
                                                        : Q(again.messages.front()));
        return false;
    }
    const TextFileResult saved =
        SaveUserEvents(OwnEventsPath(d->state), events, d->state.KeepOwnEventsBeforeSave);
    if (!saved.ok()) {
        OwnEventMessage->setText(Q(saved.error));
        return false;
    }
    d->state.OwnEvents = events;
    d->state.KeepOwnEventsBeforeSave = false;
    OwnEventMessage->clear();
    ShowOwnEventList();
    ApplyEdits();
    return true;
}

void SettingsDialog::OwnEventAddClick() {
    const std::optional<UserEvent> e = EditedOwnEvent();
    if (!e) return;
    std::vector<UserEvent> events = d->state.OwnEvents;
    events.push_back(*e);
    if (SaveOwnEvents(events)) OwnEventList->setCurrentRow(OwnEventList->count() - 1);
}

void SettingsDialog::OwnEventChangeClick() {
    const int row = OwnEventList->currentRow();
    if (row < 0 || row >= static_cast<int>(d->state.OwnEvents.size())) return;
    const std::optional<UserEvent> e = EditedOwnEvent();
    if (!e) return;
    std::vector<UserEvent> events = d->state.OwnEvents;
    // Offsets that counted from the old name follow the new one.
    const std::string old = events[static_cast<std::size_t>(row)].name;
    for (UserEvent& other : events)
        if (other.kind == UserEventKind::Offset && other.base == old) other.base = e->name;
    events[static_cast<std::size_t>(row)] = *e;
    SaveOwnEvents(events);
}

void SettingsDialog::OwnEventRemoveClick() {
    const int row = OwnEventList->currentRow();
    if (row < 0 || row >= static_cast<int>(d->state.OwnEvents.size())) return;
    std::vector<UserEvent> events = d->state.OwnEvents;
    events.erase(events.begin() + row);
    SaveOwnEvents(events);
}

}  // namespace dawn
