#pragma once
// What the program's start-up takes from outside: the working folder, the
// user's locale, today's date, and the seams tests set by hand. LoadAppState
// turns them into the plain shared state (present/appstate.h).
#include <QLocale>
#include <QString>
#include <chrono>
#include <string>

#include "present/appstate.h"
#include "ui/common/soundoutput.h"

namespace dawn {

class ClockSource;
class MessageBoxes;

// A folder's name as the system gives it: bytes, in whatever encoding the
// folder was named (file names are not always UTF-8). Made from the bytes of
// the working folder, or from a name Qt holds (tests), in the file-name
// encoding.
struct FolderName {
    FolderName(std::string systemBytes) : bytes(std::move(systemBytes)) {}
    FolderName(const QString& name);
    std::string bytes;
};

struct StartupInputs {
    FolderName AppDir;  // the working folder
    QLocale Locale;     // the user's locale
    std::chrono::year_month_day Today;
    // Whether the window starts its one-second clock (tests drive it by hand).
    bool StartClock = true;
    // The clock the tick reads, from the first tick on; the computer's clock
    // when null. Not owned; it must outlive the window.
    const ClockSource* Clock = nullptr;
    // The message boxes of the main window; the real ones when null. Not
    // owned; they must outlive the window.
    MessageBoxes* Messages = nullptr;
    // What makes the alarm sounds' media layer; the module dawnhelm-sound
    // when empty.
    SoundOutputFactory Sounds = {};
};

// Fills a fresh state from the inputs: the locale formats, today and the
// reference year, the settings file and the label file of the folder, and
// the applied language. Loader messages end up in PendingMessages.
void LoadAppState(AppState& state, const StartupInputs& inputs);

}  // namespace dawn
