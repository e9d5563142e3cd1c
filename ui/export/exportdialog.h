#pragma once
// The export dialog: a range of dates written as a semicolon-separated text
// file of rise and set times and azimuths, of the sun or of the moon (the body
// of the panel the main window shows), or, chosen in the kind box, of the
// sun's twilight and noon or of the moon's phase. The dialog reads the pickers, asks for
// the file name, and WriteExport (present/export.h) writes the file as it
// computes it, into a file beside the chosen one that replaces it at the end.
// The same range can also be written as a calendar file (.ics) for a desktop
// calendar: sunrise and sunset, and moonrise and moonset, civil dawn and
// dusk and the almanac's events when their boxes are ticked. The Light box
// adds the light to both files (present/export.h): the blue and golden
// hours, the rise and set from the settings' height and behind its horizon
// profile, and the user's own events of Dawnevents.txt beside the settings.
#include <QDialog>
#include <QString>
#include <memory>
#include <optional>

#include "core/daynumber.h"
#include "present/export.h"
#include "ui/common/messages.h"
#include "ui/common/savefolder.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace dawn {

struct AppState;

// The save dialog behind a seam, so tests can answer it. Returns the chosen
// path, or an empty text when the user cancels.
class ExportFileChooser {
public:
    virtual ~ExportFileChooser() = default;
    // `proposedName` is the file name to offer ("dawnhelm_data.txt" or
    // "moonhelm_data.txt"), proposed afresh by every export.
    virtual QString chooseSaveFile(QWidget* parent, const QString& proposedName) = 0;
    // The same for a calendar file ("dawnhelm.ics").
    virtual QString chooseCalendarFile(QWidget* parent, const QString& proposedName) {
        return chooseSaveFile(parent, proposedName);
    }
};

class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // The export writes what the shared state shows: the body of its shown
    // panel, and the header as the main window shows it. The boxes must
    // outlive the dialog.
    explicit ExportDialog(AppState& state, QWidget* parent = nullptr,
                          MessageBoxes& messages = RealMessageBoxes());
    ~ExportDialog() override;

    // Installs `chooser` (not owned); nullptr restores the real save dialog.
    void setFileChooser(ExportFileChooser* chooser);

    QLabel* StartDate = nullptr;
    QLabel* StopDate = nullptr;
    QDateEdit* DateTimePickerStart = nullptr;
    QDateEdit* DateTimePickerStop = nullptr;
    QPushButton* btnExport = nullptr;
    QCheckBox* CalendarMoon = nullptr;
    QCheckBox* CalendarTwilight = nullptr;
    QCheckBox* CalendarAlmanac = nullptr;  // the almanac's events too
    QCheckBox* ExportLight = nullptr;      // the light too, in both files
    QPushButton* btnCalendar = nullptr;
    // What the file lists: the rise and set of the shown panel's body (the
    // first entry, chosen at start), twilight, or the moon's phase; the
    // entries are named in the applied language each time the dialog shows.
    QComboBox* ExportKindBox = nullptr;
    // The folder the real save dialog opens in: the program's folder, then
    // the folder of the last file exported successfully.
    SaveFolder ExportFolder;
    // The real save dialog.
    std::unique_ptr<ExportFileChooser> SaveDialogExport;

public slots:
    // Asks for the file and writes the chosen range into it; the dialog
    // closes unless the range is reversed, the user cancelled the writing, or
    // the write failed.
    void btnExportClick();
    // The same for the calendar file; a cancel leaves the old file as it was.
    void btnCalendarClick();
    // The calendar file's captions in the applied language; run at each
    // opening, as the language may have changed since.
    void PutLabelsOnControls();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NameKinds();
    // The light options when the Light box is ticked; the messages of the
    // profile and the events file are shown first, and what was read is used.
    std::optional<LightOptions> LightOfSettings();

    AppState& state_;
    MessageBoxes& messages_;
    ExportFileChooser* chooser_ = nullptr;
};

}  // namespace dawn
