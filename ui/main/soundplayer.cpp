#include "ui/main/soundplayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "ui/common/messages.h"

namespace dawn {

void ChooseMediaBackend() {
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

namespace {

using MakeOutput = SoundOutput* (*)(MessageBoxes*, QWidget*);

// The module's entry, looked up once: beside the program (a build tree), then
// in the program's library folder (an installation).
MakeOutput LoadModule(QString& error) {
    static QString loadError;
    static const MakeOutput entry = []() -> MakeOutput {
        const QString dir = QCoreApplication::applicationDirPath();
        const QString name = QStringLiteral("dawnhelm-sound.so");
        QString file = QDir(dir).filePath(name);
        if (!QFileInfo(file).isFile())
            file = QDir(dir).filePath(QStringLiteral(DAWN_MODULES_FROM_BIN "/") + name);
        QLibrary module(file);
        auto found = reinterpret_cast<MakeOutput>(module.resolve("dawnhelm_make_sound_output"));
        if (found == nullptr) loadError = module.errorString();
        return found;
    }();
    error = loadError;
    return entry;
}

}  // namespace

SoundOutputFactory SoundModule() {
    return [](MessageBoxes& messages, QWidget* messageParent,
              QString& error) -> std::unique_ptr<SoundOutput> {
        const MakeOutput make = LoadModule(error);
        if (make == nullptr) return nullptr;
        return std::unique_ptr<SoundOutput>(make(&messages, messageParent));
    };
}

SoundPlayer::SoundPlayer(MessageBoxes& messages, QWidget* messageParent, QObject* parent,
                         SoundOutputFactory makeOutput)
    : QObject(parent),
      messages_(messages),
      messageParent_(messageParent),
      makeOutput_(std::move(makeOutput)) {}

SoundPlayer::~SoundPlayer() = default;

SoundStart SoundPlayer::PlaySound(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        messages_.showMessage(messageParent_, QStringLiteral("Missing SoundFile"));
        return SoundStart::Missing;
    }
    if (output_ == nullptr) {
        // The backend is picked when the media layer is first made.
        ChooseMediaBackend();
        QString error;
        output_ = makeOutput_(messages_, messageParent_, error);
        if (output_ == nullptr) {
            messages_.showMessage(messageParent_, QStringLiteral("Sounds cannot be played here: ") +
                                                      error + QLatin1Char('\n') + fileName);
            return SoundStart::Failed;
        }
    }
    currentFile_ = fileName;
    return output_->Play(fileName, openTimeoutMs_);
}

void SoundPlayer::Stop() {
    if (output_ != nullptr) output_->Stop();
}

bool SoundPlayer::IsPlaying() const {
    return output_ != nullptr && output_->IsPlaying();
}

}  // namespace dawn
