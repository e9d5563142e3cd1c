#include "ui/export/tdawnhelmdate.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "core/textfile.h"
#include "ui/export/exportheader.h"
#include "ui/main/appstate.h"
#include "ui/main/messages.h"
#include "ui/main/tform1.h"

namespace dawn {
namespace {

// QDate counts Julian day numbers; 30 December 1899, day 0 of DayNumber, is
// Julian day 2415019.
constexpr qint64 kJulianDayOfDayZero = 2415019;

QDate ToQDate(DayNumber d) {
    return QDate::fromJulianDay(d.Value() + kJulianDayOfDayZero);
}
DayNumber ToDayNumber(const QDate& d) {
    return DayNumber(static_cast<std::int32_t>(d.toJulianDay() - kJulianDayOfDayZero));
}

// The save dialog: text files, ".txt" added to a name without extension,
// starting in the working folder and then in the folder of the last file
// exported. Qt's dialog asks before it replaces an existing file.
class RealSaveDialog final : public ExportFileChooser {
public:
    explicit RealSaveDialog(const SaveFolder& folder) : folder_(folder) {}

    QString chooseSaveFile(QWidget* parent, const QString& proposedName) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.setNameFilter(QStringLiteral("Text files (*.txt)"));
        dialog.setDirectory(folder_.Folder());
        dialog.selectFile(proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }

private:
    const SaveFolder& folder_;
};

}  // namespace

TDawnhelmDate::TDawnhelmDate(AppState& state, QWidget* parent)
    : QDialog(parent),
      ExportFolder(state.AppDir.empty()
                       ? QDir::currentPath()
                       : QFile::decodeName(QByteArray::fromStdString(state.AppDir))),
      SaveDialogExport(std::make_unique<RealSaveDialog>(ExportFolder)),
      state_(state) {
    setWindowTitle(QStringLiteral("DawnhelmDate"));
    setObjectName(QStringLiteral("DawnhelmDate"));

    StartDate = new QLabel(QStringLiteral("Start date"), this);
    StopDate = new QLabel(QStringLiteral("Stop date"), this);
    const QDate today = ToQDate(state_.Today);
    for (QDateEdit** picker : {&DateTimePickerStart, &DateTimePickerStop}) {
        auto* edit = new QDateEdit(this);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(state_.Locale.DateFormat);
        edit->setDateRange(QDate(1900, 1, 1), QDate(2500, 1, 1));
        edit->setDate(today);
        *picker = edit;
    }
    DateTimePickerStart->setObjectName(QStringLiteral("DateTimePickerStart"));
    DateTimePickerStop->setObjectName(QStringLiteral("DateTimePickerStop"));
    btnExport = new QPushButton(QStringLiteral("Export to textfile with comma"), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    btnExport->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(StartDate, 0, 0);
    grid->addWidget(DateTimePickerStart, 0, 1);
    grid->addWidget(StopDate, 1, 0);
    grid->addWidget(DateTimePickerStop, 1, 1);
    grid->addWidget(btnExport, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // Font metrics can come out a few pixels short of the drawn text (hinted
    // fonts on X11), and a window fitted exactly to them cuts the last
    // characters of the dates and of the button. A little room avoids that.
    const int room = 2 * fontMetrics().averageCharWidth();
    for (QWidget* w :
         std::initializer_list<QWidget*>{DateTimePickerStart, DateTimePickerStop, btnExport}) {
        w->setMinimumWidth(w->sizeHint().width() + room);
    }

    connect(btnExport, &QPushButton::clicked, this, &TDawnhelmDate::btnExportClick);
}

TDawnhelmDate::~TDawnhelmDate() = default;

void TDawnhelmDate::setFileChooser(ExportFileChooser* chooser) {
    chooser_ = chooser;
}

void TDawnhelmDate::setViewSource(std::function<ExportView()> source) {
    viewSource_ = std::move(source);
}

ExportView TDawnhelmDate::CurrentView() const {
    if (viewSource_) return viewSource_();
    if (auto* main = qobject_cast<TForm1*>(parentWidget())) {
        ExportView view;
        view.body = main->MoonPanelShown() ? ExportBody::Moon : ExportBody::Sun;
        view.header.versionText = kVersionText;
        view.header.coordinatesCaption = main->lbCoordinates->text().toStdString();
        view.header.latitudeText = main->lbLatitude->text().toStdString();
        view.header.longitudeText = main->lbLongitude->text().toStdString();
        view.header.timeZoneLabel = state_.Current[label::kTimeZone];
        view.header.timeZoneMinutes = state_.Settings.TimeZoneMinutes;
        return view;
    }
    ExportView view;
    view.header = ExportHeaderFor(state_.Settings, state_.Labels, state_.Current, state_.Day,
                                  ExportBody::Sun);
    return view;
}

std::optional<std::vector<std::string>> TDawnhelmDate::BuildLines(const ExportView& view,
                                                                  DayNumber from, DayNumber to) {
    const std::int64_t total = static_cast<std::int64_t>(to - from) + 1;
    // The longest range takes about a second: the progress dialog only shows
    // when the work runs past half a second, and keeps the window alive.
    QProgressDialog progress(QStringLiteral("Computing %1 dates...").arg(total),
                             QStringLiteral("Cancel"), 0, static_cast<int>(total), this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const LocaleTexts& locale = state_.Locale;
    auto lines = BuildExportLines(
        view.header, view.body, state_.Settings, from, to, locale.TimeSeparatorUtf8(),
        [&locale](DayNumber d) { return locale.DateText(ToQDate(d)).toStdString(); },
        [&progress](std::int64_t done, std::int64_t) {
            progress.setValue(static_cast<int>(done));
            return !progress.wasCanceled();
        });
    QApplication::restoreOverrideCursor();
    return lines;
}

void TDawnhelmDate::btnExportClick() {
    const QDate start = DateTimePickerStart->date();
    const QDate stop = DateTimePickerStop->date();
    if (start > stop) {
        Messages().showMessage(this, QStringLiteral("Stop date must be greater then start date"));
        return;
    }
    const ExportView view = CurrentView();
    const QString proposedName = QString::fromUtf8(ExportFileName(view.body));

    // Every line is in memory before the save dialog opens; nothing is
    // written while dates are computed.
    auto lines = BuildLines(view, ToDayNumber(start), ToDayNumber(stop));
    if (!lines) return;  // cancelled: the dialog stays open with its dates

    ExportFileChooser& chooser = chooser_ ? *chooser_ : *SaveDialogExport;
    const QString path = chooser.chooseSaveFile(this, proposedName);
    if (path.isEmpty()) {
        accept();
        return;
    }
    const TextFileResult written =
        WriteTextFileAtomic(QFile::encodeName(path).toStdString(), *lines, "\r\n");
    if (!written.ok()) {
        Messages().showMessage(this, QString::fromStdString(written.error));
        return;
    }
    ExportFolder.Written(path);
    accept();
}

}  // namespace dawn
