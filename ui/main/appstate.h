#pragma once
// The one place where the program's single records live: the folder it was
// started in, the locale texts, today's date, the settings, the day record of
// the date shown in the main window and the label table with its applied
// language. The main window creates it at start-up (or a test fills it) and
// every window holds it by reference; nobody keeps a copy of these records.
//
// Plain data and small helpers only: no widgets.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <chrono>
#include <string>

#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "dawn_version.h"
#include "i18n/labels.h"
#include "ui/main/localetexts.h"

namespace dawn {

class ClockSource;

inline constexpr const char* kApplicationTitle = "dawnhelm";

struct AppState {
    // The working folder at start-up, captured once; the settings file, the
    // label file and the default media are looked up there ("/" separated,
    // no trailing separator).
    std::string AppDir;
    LocaleTexts Locale;
    // Today's date: set at start-up and moved on by the clock.
    DayNumber Today;
    // The year the summer-time rules are resolved for: today's year at
    // start-up, then the year shown by the calendar after every redraw.
    int ReferenceYear = 1900;

    SiteSettings Settings;
    // The record of the date shown in the main window (the alarms read it).
    DayEphemeris Day;

    LabelTable Labels;
    CurrentLabels Current;
    // The label file had a problem when it was read: the first save keeps it
    // as Dawnlabel.txt.bak (SaveLabelTable clears this).
    bool KeepLabelFileBeforeSave = false;

    // Messages of the loaders (a settings line that is not a number, skipped
    // label lines), shown once after the main window is up.
    QStringList PendingMessages;

    // Applies Settings.LanguageIndex to Current, with the locale's weekdays.
    void ApplyLanguage();
    // Recomputes Day for `date` with the settings and the time separator.
    void ComputeShownDay(DayNumber date);
    // Label n of the applied language as a QString.
    QString Label(int n) const { return QString::fromStdString(Current[n]); }
    // Label n read straight from the table at the applied language's column
    // (the day view's status messages, so that an edit in the grid shows at
    // the next drawing).
    QString TableLabel(int n) const {
        return QString::fromStdString(Labels.Label(Current.languageIndex, n));
    }
};

// A folder's name as the system gives it: bytes, in whatever encoding the
// folder was named (file names are not always UTF-8). Made from the bytes of
// the working folder, or from a name Qt holds (tests), in the file-name
// encoding.
struct FolderName {
    FolderName(std::string systemBytes) : bytes(std::move(systemBytes)) {}
    FolderName(const QString& name);
    std::string bytes;
};

// The inputs of the start-up that come from outside the program: what the
// entry reads from the system, and what a test sets by hand.
struct StartupInputs {
    FolderName AppDir;  // the working folder
    QLocale Locale;     // the user's locale
    std::chrono::year_month_day Today;
    // Whether the window starts its one-second clock (tests drive it by hand).
    bool StartClock = true;
    // The clock the tick reads, from the first tick on; the computer's clock
    // when null. Not owned; it must outlive the window.
    const ClockSource* Clock = nullptr;
};

// Fills a fresh AppState from the inputs: the locale texts, today and the
// reference year, the settings file and the label file of AppDir, and the
// applied language. Loader messages end up in PendingMessages.
void LoadAppState(AppState& state, const StartupInputs& inputs);

}  // namespace dawn
