// The media panel of the configuration dialog: the sound and picture files of
// the sunrise and sunset alarms, their previews, the alarm switches and the
// alarms' offsets and ways.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/textfile.h"
#include "present/alarmpanel.h"
#include "present/settingsform.h"
#include "present/texts.h"
#include "ui/common/mediapath.h"
#include "ui/common/messages.h"
#include "ui/config/filechooser.h"
#include "ui/config/radiogroup.h"
#include "ui/config/settingsdialog.h"
#include "ui/config/settingsdialog_impl.h"

namespace dawn {
namespace {

QString FileNamePart(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

}  // namespace

void SettingsDialog::MediaFilesClick() {
    PanelFiles->setVisible(PanelFiles->isHidden());
    PanelConfig->setVisible(PanelFiles->isHidden());
    if (!PanelFiles->isHidden()) {
        FileGroupBoxEnter();
        MediaFiles->setText(d->Label(label::kSettings));
        PanelFiles->setFocus();
    } else {
        MediaFiles->setText(d->Label(label::kMedia));
        LanguageBox->setFocus();
    }
}

void SettingsDialog::FileGroupBoxEnter() {
    // An edit whose file is missing keeps what it shows (its design text or
    // the name shown last).
    const SiteSettings& s = d->state.Settings;
    const std::pair<const std::string*, QLineEdit*> files[] = {
        {&s.SunRiseSoundFile, SunRiseSoundEdit},
        {&s.SunRiseImageFile, SunRiseImageEdit},
        {&s.SunSetSoundFile, SunSetSoundEdit},
        {&s.SunSetImageFile, SunSetImageEdit}};
    for (auto [path, edit] : files)
        if (QFileInfo(QString::fromStdString(*path)).isFile()) edit->setText(FileNamePart(*path));
}

void SettingsDialog::ChooseMediaFile(MediaSlot slot) {
    SiteSettings& s = d->state.Settings;
    struct Chooser {
        std::string* setting;
        QLineEdit* edit;
        const char* filter;
        const char* title;
        bool picture;
    };
    const Chooser c = [&]() -> Chooser {
        switch (slot) {
            case MediaSlot::SunRiseSound:
                return {&s.SunRiseSoundFile, SunRiseSoundEdit, "Sound files (*.wav)|*.WAV",
                        "Select SunRiseSound", false};
            case MediaSlot::SunSetSound:
                return {&s.SunSetSoundFile, SunSetSoundEdit, "Sound files (*.wav)|*.WAV",
                        "Select SunSetSound", false};
            case MediaSlot::SunRiseImage:
                return {&s.SunRiseImageFile, SunRiseImageEdit,
                        "Image files (*.bmp,*.jpg,)|*.BMP;*.JPG", "Select SunRiseImage", true};
            case MediaSlot::SunSetImage:
                break;
        }
        return {&s.SunSetImageFile, SunSetImageEdit, "Image files (*.bmp,*.jpg)|*.BMP;*.JPG",
                "Select SunSetImage", true};
    }();
    const QString current = QString::fromStdString(*c.setting);
    const QFileInfo info(current);
    FileRequest request;
    request.filter = QLatin1String(c.filter);
    request.title = QLatin1String(c.title);
    // The chooser opens in the folder of the file in use, or in the
    // program's folder when that file is gone.
    request.startFolder =
        info.isFile() ? info.absolutePath() : QString::fromStdString(d->state.AppDir);
    request.presetPath = current;
    request.picturePreview = c.picture;
    // Any file the chooser accepts is taken, named as the system names it; a
    // file that cannot be played or shown is reported by the preview or the
    // alarm. A name with a line break cannot be kept in the settings file,
    // where it would split its line.
    if (const std::optional<QString> chosen = d->choosers.openFile(this, request)) {
        const std::string path = QFile::encodeName(*chosen).toStdString();
        if (HasLineBreak(path)) {
            d->messages.showMessage(
                this, QStringLiteral("This file name holds a line break, which the settings file "
                                     "cannot keep; please rename the file or choose another:\n%1")
                          .arg(*chosen));
        } else {
            *c.setting = path;
        }
    }
    c.edit->setText(FileNamePart(*c.setting));
}

void SettingsDialog::SunRiseSoundEditClick() {
    ChooseMediaFile(MediaSlot::SunRiseSound);
}
void SettingsDialog::SunSetSoundEditClick() {
    ChooseMediaFile(MediaSlot::SunSetSound);
}
void SettingsDialog::SunRiseImageEditClick() {
    ChooseMediaFile(MediaSlot::SunRiseImage);
}
void SettingsDialog::SunSetImageEditClick() {
    ChooseMediaFile(MediaSlot::SunSetImage);
}

void SettingsDialog::PlaySoundPreview(EventKind event) {
    const SiteSettings& s = d->state.Settings;
    emit soundPreviewRequested(
        MediaFileForQt(event == EventKind::Rise ? s.SunRiseSoundFile : s.SunSetSoundFile));
}

void SettingsDialog::SunRiseSoundButtonClick() {
    PlaySoundPreview(EventKind::Rise);
}
void SettingsDialog::SunSetSoundButtonClick() {
    PlaySoundPreview(EventKind::Set);
}

void SettingsDialog::ShowImagePreview(EventKind event) {
    const SiteSettings& s = d->state.Settings;
    const bool rise = event == EventKind::Rise;
    const std::string& path = rise ? s.SunRiseImageFile : s.SunSetImageFile;
    const QString file = MediaFileForQt(path);
    const bool stretch = rise ? s.SunRiseImageStretch : s.SunSetImageStretch;
    // The caption as the main window shows it; the preview names the file on
    // a second line (as it reads), the alarm shows the caption alone.
    const QString caption = Q(Trimmed(d->state.Label(rise ? label::kSunrise : label::kSunset))) +
                            QLatin1Char('\n') + Q(DecodeLine(path));
    emit imagePreviewRequested(file, stretch, caption, d->state.Day.Event(Body::Sun, event).Clock,
                               d->state.Shown);
}

void SettingsDialog::ShowSunRiseImageClick() {
    ShowImagePreview(EventKind::Rise);
}
void SettingsDialog::ShowSunSetImageClick() {
    ShowImagePreview(EventKind::Set);
}

void SettingsDialog::ImageSunRiseStretchClick() {
    Apply(Switch(d->form, d->state, FormSwitch::SunRiseStretch, ImageSunRiseStretch->isChecked()));
}
void SettingsDialog::ImageSunSetStretchClick() {
    Apply(Switch(d->form, d->state, FormSwitch::SunSetStretch, ImageSunSetStretch->isChecked()));
}
void SettingsDialog::SoundCheckFileNameClick() {
    Apply(Switch(d->form, d->state, FormSwitch::AlarmSound, SoundCheckFileName->isChecked()));
}
void SettingsDialog::ImageCheckFileNameClick() {
    Apply(Switch(d->form, d->state, FormSwitch::AlarmImage, ImageCheckFileName->isChecked()));
}

void SettingsDialog::ShowAlarms() {
    ShowAlarmRows();
    ShowSight();
}

void SettingsDialog::ShowAlarmRows() {
    const AlarmPanelView& view = d->form.alarms;
    AlarmBox->setTitle(Q(view.title));
    lbAlarmOffset->setText(Q(view.offset));
    for (std::size_t i = 0; i < AlarmNames.size(); ++i) {
        const AlarmRowView& row = i < view.rows.size() ? view.rows[i] : d->form.eclipseAlarm;
        AlarmNames[i]->setText(Q(row.name));
        AlarmMinutes[i]->setText(Q(view.minutes));
        const QSignalBlocker blockOffset(AlarmOffsets[i]);
        const QSignalBlocker blockWay(AlarmWays[i]);
        // The edit being typed in keeps its text when its value stands.
        if (AlarmOffsets[i]->value() != row.offsetMinutes)
            AlarmOffsets[i]->setValue(row.offsetMinutes);
        AlarmOffsets[i]->setEnabled(row.offsetEnabled);
        AlarmOffsets[i]->setToolTip(Q(view.offsetHint));
        for (int way = 0; way < kAlarmWayCount; ++way)
            AlarmWays[i]->setItemText(way, Q(view.ways[static_cast<std::size_t>(way)]));
        AlarmWays[i]->setCurrentIndex(row.way);
    }
}

void SettingsDialog::AlarmOffsetChange(int alarm) {
    const auto row = static_cast<std::size_t>(alarm);
    Apply(EditAlarmOffset(d->form, d->state, row, AlarmOffsets.at(row)->value()));
}

void SettingsDialog::AlarmWayChange(int alarm) {
    // An alarm turned off has no offset to edit.
    const auto row = static_cast<std::size_t>(alarm);
    Apply(ChooseAlarmWay(d->form, d->state, row, AlarmWays.at(row)->currentIndex()));
}

}  // namespace dawn
