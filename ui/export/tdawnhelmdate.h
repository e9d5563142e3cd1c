#pragma once
// The export dialog: a range of dates written as a semicolon-separated text
// file of rise and set times and azimuths, of the sun or of the moon (the body
// follows the panel shown in the main window). The lines are built by
// dawn::BuildExportLines (core/exportlines.h); the dialog only reads the
// pickers, asks for the file name and writes the file.
#include <QDialog>
#include <QString>

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
};

class TDawnhelmDate : public QDialog {
    Q_OBJECT
public:
    explicit TDawnhelmDate(AppState& state, QWidget* parent = nullptr);
    ~TDawnhelmDate() override;

    // Installs `chooser` (not owned); nullptr restores the real save dialog.
    void setFileChooser(ExportFileChooser* chooser);

    QLabel* StartDate = nullptr;
    QLabel* StopDate = nullptr;
    QDateEdit* DateTimePickerStart = nullptr;
    QDateEdit* DateTimePickerStop = nullptr;
    QPushButton* btnExport = nullptr;

public slots:
    // Builds the lines of the chosen range, asks for the file and writes it;
    // the dialog closes unless the range is reversed or the write failed.
    void btnExportClick();

private:
    AppState& state_;
    ExportFileChooser* chooser_ = nullptr;
};

}  // namespace dawn
