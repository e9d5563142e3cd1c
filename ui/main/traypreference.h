#pragma once
// The one remembered choice of tray mode: "StartHidden" under the group
// Software/dawnhelm/systray of the user's settings file (an INI file in the
// user's configuration folder). Present as "1": the program was left in the
// notification area and starts hidden. Absent: it starts with its window
// shown. The value is only ever written as "1"; turning tray mode off
// removes the whole group. Anything but a regular file in the file's place (a
// pipe, a device, a folder) is neither read nor replaced.
#include <QString>
#include <optional>

namespace dawn {

class TrayPreference {
public:
    // The user's own settings file (dawnhelm/dawnhelm.ini in the user's
    // configuration folder).
    TrayPreference();
    // Another settings file (tests).
    explicit TrayPreference(QString iniFile);

    const QString& fileName() const { return file_; }

    // True when StartHidden holds a non-zero integer; text that is no
    // integer, a missing value and an unreadable file read as not set.
    bool startHidden() const;
    // Writes StartHidden = "1". Returns the message for the user when the
    // file cannot be written.
    std::optional<QString> setStartHidden() const;
    // Removes the group with its value; a failure is not reported.
    void clear() const;

private:
    QString file_;
};

}  // namespace dawn
