// The media panel of the configuration dialog: the sound and picture files of
// the sunrise and sunset alarms, their previews and the alarm switches.
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/config/filechooser.h"
#include "ui/config/radiogroup.h"
#include "ui/config/taboutbox.h"
#include "ui/config/taboutbox_impl.h"
#include "ui/main/messages.h"
#include "ui/main/soundplayer.h"
#include "ui/main/tform1.h"

namespace dawn {
namespace {

QString FileNamePart(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

}  // namespace

void TAboutBox::MediaFilesClick() {
    PanelFiles->setVisible(PanelFiles->isHidden());
    PanelConfig->setVisible(PanelFiles->isHidden());
    if (!PanelFiles->isHidden()) {
        FileGroupBoxEnter();
        MediaFiles->setText(d->state.Label(label::kSettings));
        PanelFiles->setFocus();
    } else {
        MediaFiles->setText(d->state.Label(label::kMedia));
        LanguageBox->setFocus();
    }
}

void TAboutBox::FileGroupBoxEnter() {
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

void TAboutBox::ChooseMediaFile(MediaSlot slot) {
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
    if (const std::optional<QString> chosen = Choosers().openFile(this, request)) {
        const std::string path = QFile::encodeName(*chosen).toStdString();
        if (HasLineBreak(path)) {
            Messages().showMessage(
                this, QStringLiteral("This file name holds a line break, which the settings file "
                                     "cannot keep; please rename the file or choose another:\n%1")
                          .arg(*chosen));
        } else {
            *c.setting = path;
        }
    }
    c.edit->setText(FileNamePart(*c.setting));
}

void TAboutBox::SunRiseSoundEditClick() {
    ChooseMediaFile(MediaSlot::SunRiseSound);
}
void TAboutBox::SunSetSoundEditClick() {
    ChooseMediaFile(MediaSlot::SunSetSound);
}
void TAboutBox::SunRiseImageEditClick() {
    ChooseMediaFile(MediaSlot::SunRiseImage);
}
void TAboutBox::SunSetImageEditClick() {
    ChooseMediaFile(MediaSlot::SunSetImage);
}

void TAboutBox::PlaySoundPreview(bool sunrise) {
    const SiteSettings& s = d->state.Settings;
    const QString file = QString::fromStdString(sunrise ? s.SunRiseSoundFile : s.SunSetSoundFile);
    if (d->playSound) {
        d->playSound(file);
    } else if (d->main) {
        // The main window's player, so that a preview and an alarm never play
        // at once.
        d->main->PlaySound(file);
    } else {
        if (!d->ownPlayer) d->ownPlayer = std::make_unique<SoundPlayer>(this);
        d->ownPlayer->PlaySound(file);
    }
}

void TAboutBox::SunRiseSoundButtonClick() {
    PlaySoundPreview(true);
}
void TAboutBox::SunSetSoundButtonClick() {
    PlaySoundPreview(false);
}

void TAboutBox::ShowImagePreview(bool sunrise) {
    const SiteSettings& s = d->state.Settings;
    const QString file = QString::fromStdString(sunrise ? s.SunRiseImageFile : s.SunSetImageFile);
    const bool stretch = sunrise ? s.SunRiseImageStretch : s.SunSetImageStretch;
    QString caption;
    if (d->main)
        caption = (sunrise ? d->main->lbSunrise : d->main->lbSunset)->text().trimmed();
    else
        caption = d->state.Label(sunrise ? label::kSunrise : label::kSunset).trimmed();
    // The preview names the file on a second line; the alarm shows the
    // caption alone.
    caption += QLatin1Char('\n') + file;
    const std::chrono::minutes when = sunrise ? d->state.Day.SunRiseTime : d->state.Day.SunSetTime;
    if (d->showImage) {
        d->showImage(file, stretch, caption, when);
    } else if (d->main) {
        // The picture window shows it as it shows an alarm's picture.
        emit d->main->imageRequested(file, stretch, caption, when, ShownDay());
    } else if (!QFileInfo(file).isFile()) {
        Messages().showMessage(this, QStringLiteral("Missing ImageFile"));
    }
}

void TAboutBox::ShowSunRiseImageClick() {
    ShowImagePreview(true);
}
void TAboutBox::ShowSunSetImageClick() {
    ShowImagePreview(false);
}

void TAboutBox::ImageSunRiseStretchClick() {
    d->state.Settings.SunRiseImageStretch = ImageSunRiseStretch->isChecked();
}
void TAboutBox::ImageSunSetStretchClick() {
    d->state.Settings.SunSetImageStretch = ImageSunSetStretch->isChecked();
}
void TAboutBox::SoundCheckFileNameClick() {
    d->state.Settings.AlarmSoundEnabled = SoundCheckFileName->isChecked();
}
void TAboutBox::ImageCheckFileNameClick() {
    d->state.Settings.AlarmImageEnabled = ImageCheckFileName->isChecked();
}

}  // namespace dawn
