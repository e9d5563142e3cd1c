#pragma once
// SettingsDialog, the configuration dialog: place, time zone, summer-time rules,
// language and the saved places (settings panel), and the alarm media, the
// alarms, the observer's height, horizon profile and own events (media panel).
//
// The dialog is a view of a SettingsForm (present/settingsform.h); the media
// files, the horizon profile and the own events, which are files, keep their
// own handlers. A control's user signal forwards one edit to the form, whose
// rules (the carries of the three spin pairs, the fitting of the weekend
// items to the reference year, the drop of a chosen zone at an edit by hand)
// give the new settings; the dialog stores them in the shared state at once,
// recomputes the shown day (ApplyEdits), and copies the whole form back into
// the controls with their signals blocked, so that no handler runs for a
// value the program sets. dayChanged asks the main window behind it to draw
// the day again. There is no cancel; hiding the dialog saves the settings
// file.
#include <QDialog>
#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "astro/astro.h"
#include "core/daynumber.h"
#include "core/userevents.h"
#include "ui/common/messages.h"
#include "ui/config/filechooser.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace dawn {

struct AlarmChoice;
struct AppState;
class RadioGroup;
class ClickLabel;
enum class PairKind;
enum class PairPart;
enum class ClockChange : std::uint8_t;
struct PairControls;
struct SettingsForm;
struct FormEdit;
struct PlaceListEdit;
struct SavedPlace;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Builds the dialog and fills it from the settings in `state` (FormCreate).
    // The boxes and the file choosers must outlive the dialog.
    explicit SettingsDialog(AppState& state, QWidget* parent = nullptr,
                            MessageBoxes& messages = RealMessageBoxes(),
                            FileChoosers& choosers = RealFileChooser());
    ~SettingsDialog() override;

    // The panels' scroll area, and the dialog's size for its screen.
    QScrollArea* PanelScroll = nullptr;
    void FitToScreen();

    // --- settings panel -------------------------------------------------
    QWidget* PanelConfig = nullptr;
    RadioGroup* LanguageBox = nullptr;
    QGroupBox* LatitudeBox = nullptr;
    QSpinBox* LatitudeDegreesSpin = nullptr;
    QLabel* lbLatitudeSeparator = nullptr;
    QSpinBox* LatitudeMinutesSpin = nullptr;
    QGroupBox* LongitudeBox = nullptr;
    QSpinBox* LongitudeDegreesSpin = nullptr;
    QLabel* lbLongitudeSeparator = nullptr;
    QSpinBox* LongitudeMinutesSpin = nullptr;
    QGroupBox* TimezoneBox = nullptr;
    QSpinBox* TimeZoneHoursSpin = nullptr;  // read by the export header and the mail link
    QLabel* lbTimeZoneSeparator = nullptr;
    QSpinBox* TimeZoneMinutesSpin = nullptr;  // read by the export header and the mail link
    QGroupBox* SummerTime = nullptr;
    RadioGroup* SummerMonth = nullptr;
    RadioGroup* SummerWeekends = nullptr;
    QPushButton* btnSummerStartDay = nullptr;
    QGroupBox* WinterTime = nullptr;
    RadioGroup* WinterMonth = nullptr;
    RadioGroup* WinterWeekends = nullptr;
    QPushButton* btnWinterStartDay = nullptr;
    QGroupBox* GroupSaison = nullptr;
    QCheckBox* SaisonCheckBox = nullptr;
    QGroupBox* GroupTime = nullptr;
    QCheckBox* ClockCheckBox = nullptr;
    QGroupBox* GroupFirstWeek = nullptr;
    QCheckBox* CheckNewYear = nullptr;
    // The place search: a city's name, and the matches biggest first.
    QGroupBox* PlaceBox = nullptr;
    QLineEdit* PlaceSearchEdit = nullptr;
    QListWidget* PlaceMatchList = nullptr;
    // The saved places (Dawnplaces.txt), as the places window keeps them:
    // the shown place is added, a place renamed, removed or moved, each edit
    // saved at once; "Show this place" (or a double click, or Enter) makes
    // the chosen place the shown one.
    QGroupBox* SavedPlacesBox = nullptr;
    QListWidget* SavedPlacesList = nullptr;
    QPushButton* PlaceAddButton = nullptr;
    QPushButton* PlaceRenameButton = nullptr;
    QPushButton* PlaceRemoveButton = nullptr;
    QPushButton* PlaceUpButton = nullptr;
    QPushButton* PlaceDownButton = nullptr;
    QPushButton* PlaceShowButton = nullptr;
    // Seam for tests: asks for a place's new name; nothing for a cancel.
    std::function<std::optional<QString>(const QString& current)> AskPlaceName;

    // --- media panel ----------------------------------------------------
    QWidget* PanelFiles = nullptr;
    QGroupBox* FileGroupBox = nullptr;
    QGroupBox* SunRiseFileBox = nullptr;
    QPushButton* SunRiseSoundBrowse = nullptr;
    QLineEdit* SunRiseSoundEdit = nullptr;
    QPushButton* SunRiseSoundButton = nullptr;
    QPushButton* SunRiseImageBrowse = nullptr;
    QLineEdit* SunRiseImageEdit = nullptr;
    QPushButton* ShowSunRiseImage = nullptr;
    QCheckBox* ImageSunRiseStretch = nullptr;
    QGroupBox* SunSetFileBox = nullptr;
    QPushButton* SunSetSoundBrowse = nullptr;
    QLineEdit* SunSetSoundEdit = nullptr;
    QPushButton* SunSetSoundButton = nullptr;
    QPushButton* SunSetImageBrowse = nullptr;
    QLineEdit* SunSetImageEdit = nullptr;
    QPushButton* ShowSunSetImage = nullptr;
    QCheckBox* ImageSunSetStretch = nullptr;
    QGroupBox* Activate = nullptr;
    QCheckBox* SoundCheckFileName = nullptr;
    QCheckBox* ImageCheckFileName = nullptr;
    // The alarms block below the switches: per alarm (sunrise, sunset, civil
    // dawn, civil dusk, in that order, then the eclipse alarm) its name, its
    // offset from the event in minutes, the unit and the way it reaches the
    // user.
    QGroupBox* AlarmBox = nullptr;
    QLabel* lbAlarmOffset = nullptr;
    static constexpr std::size_t kEclipseAlarmRow = 4;
    std::array<QLabel*, 5> AlarmNames{};
    std::array<QSpinBox*, 5> AlarmOffsets{};
    std::array<QLabel*, 5> AlarmMinutes{};
    std::array<QComboBox*, 5> AlarmWays{};
    // Below the alarms: the observer's height in metres, the horizon
    // profile's file with the reader's messages, and the user's own events,
    // a list with an editor for one event (name, kind, value, side or base,
    // beyond the noon shadow, its alarm) and its buttons.
    QGroupBox* SightBox = nullptr;
    QLabel* lbHeight = nullptr;
    QDoubleSpinBox* HeightSpin = nullptr;
    QLabel* lbProfile = nullptr;
    QLineEdit* ProfileEdit = nullptr;
    QPushButton* ProfileBrowse = nullptr;
    QLabel* ProfileMessage = nullptr;
    QLabel* lbOwnEvents = nullptr;
    QListWidget* OwnEventList = nullptr;
    QLabel* lbOwnEventName = nullptr;
    QLineEdit* OwnEventName = nullptr;
    QComboBox* OwnEventKind = nullptr;  // by UserEventKind
    QLabel* lbOwnEventValue = nullptr;
    QLineEdit* OwnEventValue = nullptr;
    QLabel* lbOwnEventWhich = nullptr;
    QComboBox* OwnEventWhich = nullptr;  // the side, or the offset's base (editable)
    QCheckBox* OwnEventBeyondNoon = nullptr;
    QLabel* lbOwnEventAlarm = nullptr;
    QSpinBox* OwnEventAlarmOffset = nullptr;
    QComboBox* OwnEventAlarmWay = nullptr;  // picture, notification, both, no alarm
    QPushButton* OwnEventAdd = nullptr;
    QPushButton* OwnEventChange = nullptr;
    QPushButton* OwnEventRemove = nullptr;
    QLabel* OwnEventMessage = nullptr;  // why an edit was refused, plain text

    // --- bottom strip ---------------------------------------------------
    QGroupBox* gbEphemeride = nullptr;
    ClickLabel* ProgramIcon = nullptr;
    QLabel* MoonIcon = nullptr;
    QLabel* lbAboutSunrise = nullptr;
    QLabel* lbAboutSunSet = nullptr;
    QLabel* lbAboutMoonRise = nullptr;
    QLabel* lbAboutMoonset = nullptr;
    QGroupBox* gbContact = nullptr;
    QLabel* lbMakers = nullptr;
    ClickLabel* lbHomePage = nullptr;
    QLabel* lbDawnhelm = nullptr;
    QLabel* lbVersion = nullptr;
    QPushButton* MediaFiles = nullptr;
    QPushButton* OKButton = nullptr;

    // What the settings panel shows.
    const SettingsForm& Form() const;

    // --- handlers (public so that the program and tests can run them) ---
    void FormCreate();
    void FormActivate();
    void FormHide();
    void OKButtonClick();
    void LanguageBoxClick();
    // A double click on a pair's group: its default place, once confirmed.
    void LatitudeBoxDblClick();
    void LongitudeBoxDblClick();
    void TimezoneBoxDblClick();
    void btnSummerStartDayMouseDown(Qt::MouseButton button);
    void btnWinterStartDayMouseDown(Qt::MouseButton button);
    // Recomputes the shown day from the settings, asks the main window to
    // draw it, and shows the form's texts for it.
    void ApplyEdits();
    // The search field changed: the list shows the cities now matching.
    void PlaceSearchEdited();
    // A match was chosen: its place, zone and summer time become the settings.
    void PlaceMatchChosen(int row);
    // Reads the saved places again (each opening); file problems are shown.
    void RefreshSavedPlaces();
    const std::vector<SavedPlace>& SavedPlaces() const;
    void SavedPlaceAddClick();
    void SavedPlaceRenameClick();
    void SavedPlaceRemoveClick();
    void SavedPlaceMoveClick(int by);
    void SavedPlaceShowClick();
    bool ConfirmDefault(const QString& message);

    void MediaFilesClick();
    void FileGroupBoxEnter();
    void SunRiseSoundEditClick();
    void SunSetSoundEditClick();
    void SunRiseImageEditClick();
    void SunSetImageEditClick();
    void SunRiseSoundButtonClick();
    void SunSetSoundButtonClick();
    void ShowSunRiseImageClick();
    void ShowSunSetImageClick();
    void ImageSunRiseStretchClick();
    void ImageSunSetStretchClick();
    void SoundCheckFileNameClick();
    void ImageCheckFileNameClick();
    // `alarm` indexes the alarms block's rows.
    void AlarmOffsetChange(int alarm);
    void AlarmWayChange(int alarm);
    // The alarms block shows the settings' alarms in the applied language,
    // and the height, profile and own events below it theirs.
    void ShowAlarms();
    void ShowAlarmRows();
    // The height, the profile and the own events.
    void ShowSight();
    void HeightSpinChange();
    void ProfileEditDone();
    void ProfileBrowseClick();
    void OwnEventChosen(int row);
    void OwnEventAddClick();
    void OwnEventChangeClick();
    void OwnEventRemoveClick();

    // True while the summer-time group holds the upper place of the panel.
    bool SummerGroupOnTop() const;

signals:
    // The shared state's shown day was recomputed: the main window draws it.
    void dayChanged();
    // The saved places file was written: the places window reads it again.
    void savedPlacesChanged();
    // The previews of the media panel. The program plays a sound through the
    // main window's player, so that a preview and an alarm never play at
    // once, and shows a picture in the picture window like an alarm's.
    void soundPreviewRequested(const QString& fileName);
    void imagePreviewRequested(const QString& fileName, bool stretch, const QString& caption,
                               std::chrono::minutes eventTime, DayNumber eventDate);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    struct RuleControls;
    enum class MediaSlot { SunRiseSound, SunSetSound, SunRiseImage, SunSetImage };

    void BuildSettingsPanel();
    void BuildPlaceSearch();
    void BuildSavedPlaces();
    // The list with `chosen` selected (-1: none), and the buttons that need a
    // place enabled when there is one.
    void ShowSavedPlaces(int chosen);
    int ChosenSavedPlace() const;
    void ShowPlaceEdit(const PlaceListEdit& edit);
    // Opens the city list the first time the dialog is shown; a field that
    // cannot search says why.
    void OpenPlaceSearch();
    void BuildMediaPanel();
    void BuildStrip();
    void BuildSightBox(QWidget* parent);
    void ShowOwnEventList();
    void ShowOwnEventWhich();
    // The editor's event; nullopt (and the reason shown) when its value is
    // not a number.
    std::optional<UserEvent> EditedOwnEvent();
    // Saves `events` to the events file when they read back as they are, and
    // makes them the state's; false (the reason shown) otherwise.
    bool SaveOwnEvents(const std::vector<UserEvent>& events);
    void Wire();

    // The controls of the three spin pairs and of the two rules.
    PairControls ControlsOf(PairKind kind);
    RuleControls RuleControlsOf(ClockChange change);
    // An edit's outcome into the shared state, then onto the controls.
    void Apply(const FormEdit& edit);
    void EditPairPart(PairKind kind, PairPart part, int value);
    void TypePairPart(PairKind kind, PairPart part, long long typed);
    void PlaceDefault(PairKind kind);
    void WeekdayMouseDown(ClockChange change, Qt::MouseButton button);
    // The form onto the controls, their signals blocked.
    void ShowForm();
    void ShowPair(PairKind kind);
    void ShowRuleGroup(ClockChange change);
    void PlaceRuleGroups(bool summerOnTop);
    void ChooseMediaFile(MediaSlot slot);
    void PlaySoundPreview(EventKind event);
    void ShowImagePreview(EventKind event);

    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace dawn
