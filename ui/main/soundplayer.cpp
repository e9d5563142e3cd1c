#include "ui/main/soundplayer.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "ui/main/messages.h"

namespace dawn {

void ChooseMediaBackend() {
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

SoundPlayer::SoundPlayer(MessageBoxes& messages, QWidget* messageParent, QObject* parent)
    : QObject(parent), messages_(messages), messageParent_(messageParent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::DiscardPlayer() {
    // After an error the media layer holds the next change of that player for
    // a second, so a failed player is replaced instead of stopped.
    if (player_ == nullptr) return;
    player_->disconnect(this);
    player_->deleteLater();
    output_->deleteLater();
    player_ = nullptr;
    output_ = nullptr;
}

void SoundPlayer::EnsurePlayer() {
    if (player_ != nullptr) return;
    // The backend is picked when the first player is made.
    ChooseMediaBackend();
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::errorOccurred, this, &SoundPlayer::OnError);
}

void SoundPlayer::OnError(QMediaPlayer::Error error, const QString& text) {
    if (error == QMediaPlayer::NoError) return;
    const QString message = text.isEmpty() ? player_->errorString() : text;
    if (waitingFor_ == generation_) {
        if (openError_.isEmpty())
            openError_ = message.isEmpty() ? QStringLiteral("The sound cannot be played") : message;
        return;
    }
    if (errorShown_) return;
    errorShown_ = true;
    DiscardPlayer();
    messages_.showMessage(messageParent_, message + QLatin1Char('\n') + currentFile_);
}

SoundStart SoundPlayer::PlaySound(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        messages_.showMessage(messageParent_, QStringLiteral("Missing SoundFile"));
        return SoundStart::Missing;
    }
    EnsurePlayer();
    player_->stop();
    const quint64 generation = ++generation_;
    waitingFor_ = generation;
    openError_.clear();
    errorShown_ = false;
    currentFile_ = fileName;
    player_->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    player_->play();

    // Wait until the media layer plays the file or has given up on it. (Not
    // just until it is loaded: stopping a sound that is still getting ready
    // to play holds the caller for a second.)
    auto settled = [this, generation] {
        if (generation_ != generation || !openError_.isEmpty()) return true;
        switch (player_->mediaStatus()) {
            case QMediaPlayer::BufferingMedia:
            case QMediaPlayer::BufferedMedia:
            case QMediaPlayer::EndOfMedia:
            case QMediaPlayer::InvalidMedia:
                return true;
            default:
                return false;
        }
    };
    if (!settled()) {
        QEventLoop loop;
        auto check = [&] {
            if (settled()) loop.quit();
        };
        connect(player_, &QMediaPlayer::mediaStatusChanged, &loop, check);
        connect(player_, &QMediaPlayer::errorOccurred, &loop, check);
        QTimer::singleShot(openTimeoutMs_, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (generation_ != generation) return SoundStart::Playing;  // a newer sound took over meanwhile
    waitingFor_ = 0;
    if (openError_.isEmpty() && player_->mediaStatus() == QMediaPlayer::InvalidMedia)
        openError_ = player_->errorString().isEmpty() ? QStringLiteral("The sound cannot be played")
                                                      : player_->errorString();
    if (!openError_.isEmpty()) {
        errorShown_ = true;
        DiscardPlayer();
        messages_.showMessage(messageParent_, openError_ + QLatin1Char('\n') + fileName);
        return SoundStart::Failed;
    }
    return SoundStart::Playing;
}

void SoundPlayer::Stop() {
    if (player_ != nullptr) player_->stop();
}

bool SoundPlayer::IsPlaying() const {
    return player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState;
}

}  // namespace dawn
