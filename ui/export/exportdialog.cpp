#include "ui/export/exportdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>

#include "core/textfile.h"
#include "present/appstate.h"
#include "present/export.h"
#include "present/texts.h"
#include "reminders/calendarfile.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

// The save dialog: text files, ".txt" added to a name without extension,
// starting in the working folder and then in the folder of the last file
// exported. Qt's dialog asks before it replaces an existing file.
class RealSaveDialog final : public ExportFileChooser {
public:
    explicit RealSaveDialog(const SaveFolder& folder) : folder_(folder) {}

    QString chooseSaveFile(QWidget* parent, const QString& proposedName) override {
        return Choose(parent, proposedName, QStringLiteral("txt"),
                      QStringLiteral("Text files (*.txt)"));
    }
    QString chooseCalendarFile(QWidget* parent, const QString& proposedName) override {
        return Choose(parent, proposedName, QStringLiteral("ics"),
                      QStringLiteral("Calendar files (*.ics)"));
    }

private:
    QString Choose(QWidget* parent, const QString& proposedName, const QString& suffix,
                   const QString& filter) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
        dialog.setNameFilter(filter);
        dialog.setDirectory(folder_.Folder());
        dialog.selectFile(proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }

    const SaveFolder& folder_;
};

}  // namespace

ExportDialog::ExportDialog(AppState& state, QWidget* parent, MessageBoxes& messages)
    : QDialog(parent),
      ExportFolder(state.AppDir.empty()
                       ? QDir::currentPath()
                       : QFile::decodeName(QByteArray::fromStdString(state.AppDir))),
      SaveDialogExport(std::make_unique<RealSaveDialog>(ExportFolder)),
      state_(state),
      messages_(messages) {
    setWindowTitle(QStringLiteral("Export Data"));
    setObjectName(QStringLiteral("ExportDialog"));

    StartDate = new QLabel(QStringLiteral("Start date"), this);
    StopDate = new QLabel(QStringLiteral("Stop date"), this);
    const QDate today = ToQDate(state_.Today);
    for (QDateEdit** picker : {&DateTimePickerStart, &DateTimePickerStop}) {
        auto* edit = new QDateEdit(this);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(Q(state_.Locale.DateFormat));
        edit->setDateRange(QDate(1900, 1, 1), QDate(2500, 1, 1));
        edit->setDate(today);
        *picker = edit;
    }
    DateTimePickerStart->setObjectName(QStringLiteral("DateTimePickerStart"));
    DateTimePickerStop->setObjectName(QStringLiteral("DateTimePickerStop"));
    btnExport = new QPushButton(QStringLiteral("Export to text file with semicolons"), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    btnExport->setDefault(true);
    CalendarMoon = new QCheckBox(QStringLiteral("Moonrise and moonset"), this);
    CalendarMoon->setObjectName(QStringLiteral("CalendarMoon"));
    CalendarTwilight = new QCheckBox(QStringLiteral("Civil dawn and dusk"), this);
    CalendarTwilight->setObjectName(QStringLiteral("CalendarTwilight"));
    CalendarAlmanac = new QCheckBox(QStringLiteral("Almanac"), this);
    CalendarAlmanac->setObjectName(QStringLiteral("CalendarAlmanac"));
    ExportLight = new QCheckBox(QStringLiteral("Light"), this);
    ExportLight->setObjectName(QStringLiteral("ExportLight"));
    btnCalendar = new QPushButton(QStringLiteral("Calendar file (.ics)"), this);
    btnCalendar->setObjectName(QStringLiteral("btnCalendar"));

    ExportKindBox = new QComboBox(this);
    ExportKindBox->setObjectName(QStringLiteral("ExportKindBox"));
    for (int i = 0; i < 3; ++i) ExportKindBox->addItem(QString());
    NameKinds();

    auto* grid = new QGridLayout(this);
    grid->addWidget(StartDate, 0, 0);
    grid->addWidget(DateTimePickerStart, 0, 1);
    grid->addWidget(StopDate, 1, 0);
    grid->addWidget(DateTimePickerStop, 1, 1);
    grid->addWidget(ExportKindBox, 2, 0, 1, 2);
    grid->addWidget(btnExport, 3, 0, 1, 2);
    grid->addWidget(CalendarMoon, 4, 0, 1, 2);
    grid->addWidget(CalendarTwilight, 5, 0, 1, 2);
    grid->addWidget(CalendarAlmanac, 6, 0, 1, 2);
    grid->addWidget(ExportLight, 7, 0, 1, 2);
    grid->addWidget(btnCalendar, 8, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // Font metrics can come out a few pixels short of the drawn text (hinted
    // fonts on X11), and a window fitted exactly to them cuts the last
    // characters of the dates and of the button. A little room avoids that.
    const int room = 2 * fontMetrics().averageCharWidth();
    for (QWidget* w : std::initializer_list<QWidget*>{DateTimePickerStart, DateTimePickerStop,
                                                      btnExport, btnCalendar, ExportKindBox}) {
        w->setMinimumWidth(w->sizeHint().width() + room);
    }
    PutLabelsOnControls();

    connect(btnExport, &QPushButton::clicked, this, &ExportDialog::btnExportClick);
    connect(btnCalendar, &QPushButton::clicked, this, &ExportDialog::btnCalendarClick);
}

ExportDialog::~ExportDialog() = default;

namespace {

// A caption without its padding and its colon: "Sunrise     :" -> "Sunrise".
QString Bare(std::string_view caption) {
    return Q(std::string(CaptionWithoutColon(caption)));
}

// The progress of writing a range of `total` dates: it shows only when the
// work runs past half a second, keeps the window alive, and its Cancel stops
// the writing before the old file is touched.
void PrepareRangeProgress(QProgressDialog& progress, const QString& title) {
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setValue(0);
}

}  // namespace

void ExportDialog::NameKinds() {
    const bool moon = state_.Panel == Body::Moon;
    ExportKindBox->setItemText(0, Bare(state_.Label(moon ? label::kMoonrise : label::kSunrise)) +
                                      QStringLiteral(" / ") +
                                      Bare(state_.Label(moon ? label::kMoonset : label::kSunset)));
    ExportKindBox->setItemText(1, Bare(state_.Label(label::kTwilight)));
    ExportKindBox->setItemText(2, Bare(state_.Label(label::kMoonPhase)));
    const int room = 2 * fontMetrics().averageCharWidth();
    ExportKindBox->setMinimumWidth(ExportKindBox->sizeHint().width() + room);
}

void ExportDialog::PutLabelsOnControls() {
    setWindowTitle(Q(WithoutAccessKey(state_.Label(label::kMenuExport))));
    btnExport->setText(Q(state_.Label(label::kExportTextFile)));
    CalendarMoon->setText(Q(state_.Label(label::kCalendarMoon)));
    CalendarTwilight->setText(Q(state_.Label(label::kCalendarTwilight)));
    CalendarAlmanac->setText(Q(WithoutAccessKey(state_.Label(label::kMenuAlmanac))));
    ExportLight->setText(Q(Trimmed(state_.Label(label::kLightPanel))));
    btnCalendar->setText(Q(state_.Label(label::kCalendarFile)));
    // The same room as the other controls, for the caption of this language.
    btnCalendar->setMinimumWidth(0);
    btnCalendar->setMinimumWidth(btnCalendar->sizeHint().width() +
                                 2 * fontMetrics().averageCharWidth());
}

void ExportDialog::showEvent(QShowEvent* event) {
    NameKinds();
    PutLabelsOnControls();
    QDialog::showEvent(event);
}

void ExportDialog::setFileChooser(ExportFileChooser* chooser) {
    chooser_ = chooser;
}

std::optional<LightOptions> ExportDialog::LightOfSettings() {
    if (!ExportLight->isChecked()) return std::nullopt;
    std::vector<std::string> messages;
    LightOptions light = LightOptionsOf(
        state_.Settings,
        state_.AppDir.empty() ? std::string() : JoinPath(state_.AppDir, kUserEventsFileName),
        messages);
    if (!messages.empty()) {
        std::string text;
        for (const std::string& m : messages) text += (text.empty() ? "" : "\n") + m;
        messages_.showMessage(this, Q(text));
    }
    return light;
}

void ExportDialog::btnExportClick() {
    const QDate start = DateTimePickerStart->date();
    const QDate stop = DateTimePickerStop->date();
    if (start > stop) {
        messages_.showMessage(this, QStringLiteral("Stop date must be greater then start date"));
        return;
    }
    constexpr ExportKind kKinds[] = {ExportKind::RiseSet, ExportKind::Twilight,
                                     ExportKind::MoonPhase};
    const ExportKind kind = kKinds[std::clamp(ExportKindBox->currentIndex(), 0, 2)];
    const ExportJob job{ExportHeaderFor(state_),
                        state_.Panel,
                        state_.Settings,
                        ToDayNumber(start),
                        ToDayNumber(stop),
                        state_.Locale,
                        kind,
                        PhaseNamesOf(state_),
                        LightOfSettings()};
    ExportFileChooser& chooser = chooser_ ? *chooser_ : *SaveDialogExport;
    const QString path = chooser.chooseSaveFile(this, Q(ExportFileName(job.kind, job.body)));
    if (path.isEmpty()) {
        accept();
        return;
    }

    // The longest range takes well under a second: the progress dialog only
    // shows when the work runs past half a second, and keeps the window alive.
    const std::int64_t total = static_cast<std::int64_t>(job.to - job.from) + 1;
    QProgressDialog progress(QStringLiteral("Computing %1 dates...").arg(total),
                             QStringLiteral("Cancel"), 0, static_cast<int>(total), this);
    PrepareRangeProgress(progress, windowTitle());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TextFileResult written =
        WriteTextFileStreamed(QFile::encodeName(path).toStdString(), [&](TextSink& sink) {
            return WriteExport(job, sink, [&progress](std::int64_t done, std::int64_t) {
                       progress.setValue(static_cast<int>(done));
                       return !progress.wasCanceled();
                   }) == ExportEnd::Done;
        });
    QApplication::restoreOverrideCursor();
    // Cancelled: nothing was written, and the dialog stays open with its dates.
    if (written.status == TextFileStatus::Cancelled) return;
    if (!written.ok()) {
        messages_.showMessage(this, Q(written.error));
        return;
    }
    ExportFolder.Written(path);
    accept();
}

void ExportDialog::btnCalendarClick() {
    const QDate start = DateTimePickerStart->date();
    const QDate stop = DateTimePickerStop->date();
    if (start > stop) {
        messages_.showMessage(this, QStringLiteral("Stop date must be greater then start date"));
        return;
    }
    ExportFileChooser& chooser = chooser_ ? *chooser_ : *SaveDialogExport;
    const QString path = chooser.chooseCalendarFile(this, QStringLiteral("dawnhelm.ics"));
    if (path.isEmpty()) return;

    const CalendarJob job{
        state_.Settings,
        ToDayNumber(start),
        ToDayNumber(stop),
        CalendarMoon->isChecked(),
        CalendarTwilight->isChecked(),
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()),
        {},
        CalendarAlmanac->isChecked(),
        LightOfSettings()};
    // A century takes some seconds: the progress dialog shows after half a
    // second, and its Cancel stops the writing before the old file is touched.
    const std::int64_t total = static_cast<std::int64_t>(job.to - job.from) + 1;
    QProgressDialog progress(QStringLiteral("Writing %1 dates...").arg(total),
                             QStringLiteral("Cancel"), 0, static_cast<int>(total), this);
    PrepareRangeProgress(progress, windowTitle());
    CalendarResult result;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TextFileResult written =
        WriteTextFileStreamed(QFile::encodeName(path).toStdString(), [&](TextSink& sink) {
            result = WriteCalendarFile(
                job, [&sink](std::string_view piece) { return sink.Write(piece); },
                [&](DayNumber date) {
                    progress.setValue(static_cast<int>(date - job.from));
                    return !progress.wasCanceled();
                });
            return result.status == IcsStatus::Ok;
        });
    QApplication::restoreOverrideCursor();
    if (progress.wasCanceled()) return;
    if (result.status != IcsStatus::Ok) {
        messages_.showMessage(this, QStringLiteral("The calendar file was not written: %1")
                                        .arg(QString::fromStdString(result.error)));
        return;
    }
    if (!written.ok()) {
        messages_.showMessage(this, Q(written.error));
        return;
    }
    ExportFolder.Written(path);
    accept();
}

}  // namespace dawn
