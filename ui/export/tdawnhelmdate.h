#pragma once
// The export dialog: a range of dates written as a semicolon-separated text
// file of rise and set times and azimuths, of the sun or of the moon (the body
// follows the panel shown in the main window). The lines are built by
// dawn::BuildExportLines (core/exportlines.h); the dialog only reads the
// pickers, asks for the file name and writes the file.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/exportlines.h"
#include "ui/main/savefolder.h"

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

// What the export takes from the main window at the moment of the click: the
// body of the visible panel and the header's values as the window shows them.
struct ExportView {
    ExportBody body = ExportBody::Sun;
    ExportHeader header;
};

class TDawnhelmDate : public QDialog {
    Q_OBJECT
public:
    // When `parent` is the main window, the export reads its panel and
    // captions; otherwise it works them out from `state` for the sun panel.
    explicit TDawnhelmDate(AppState& state, QWidget* parent = nullptr);
    ~TDawnhelmDate() override;

    // Installs `chooser` (not owned); nullptr restores the real save dialog.
    void setFileChooser(ExportFileChooser* chooser);
    // Replaces where the panel and the header values come from.
    void setViewSource(std::function<ExportView()> source);

    QLabel* StartDate = nullptr;
    QLabel* StopDate = nullptr;
    QDateEdit* DateTimePickerStart = nullptr;
    QDateEdit* DateTimePickerStop = nullptr;
    QPushButton* btnExport = nullptr;
    // The folder the real save dialog opens in: the program's folder, then
    // the folder of the last file exported successfully.
    SaveFolder ExportFolder;
    // The real save dialog.
    std::unique_ptr<ExportFileChooser> SaveDialogExport;

public slots:
    // Builds the lines of the chosen range, asks for the file and writes it;
    // the dialog closes unless the range is reversed or the write failed.
    void btnExportClick();

private:
    ExportView CurrentView() const;
    // The lines of the range, with a progress dialog when it takes a while;
    // empty optional when the user cancelled.
    std::optional<std::vector<std::string>> BuildLines(const ExportView& view, DayNumber from,
                                                       DayNumber to);

    AppState& state_;
    ExportFileChooser* chooser_ = nullptr;
    std::function<ExportView()> viewSource_;
};

}  // namespace dawn
