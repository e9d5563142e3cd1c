#include "ui/sound/mediasound.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "ui/common/messages.h"

namespace dawn {

MediaSound::MediaSound(MessageBoxes& messages, QWidget* messageParent)
    : messages_(messages), messageParent_(messageParent) {}

MediaSound::~MediaSound() = default;

void MediaSound::DiscardPlayer() {
    // After an error the media layer holds the next change of that player for
    // a second, so a failed player is replaced instead of stopped.
    if (player_ == nullptr) return;
    player_->disconnect(this);
    player_->deleteLater();
    output_->deleteLater();
    player_ = nullptr;
    output_ = nullptr;
}

void MediaSound::EnsurePlayer() {
    if (player_ != nullptr) return;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::errorOccurred, this, &MediaSound::OnError);
}

void MediaSound::OnError(QMediaPlayer::Error error, const QString& text) {
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

SoundStart MediaSound::Play(const QString& fileName, int openTimeoutMs) {
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
        QTimer::singleShot(openTimeoutMs, &loop, &QEventLoop::quit);
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

void MediaSound::Stop() {
    if (player_ != nullptr) player_->stop();
}

bool MediaSound::IsPlaying() const {
    return player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState;
}

std::unique_ptr<SoundOutput> MakeMediaSound(MessageBoxes& messages, QWidget* messageParent,
                                            QString& /*error*/) {
    return std::make_unique<MediaSound>(messages, messageParent);
}

}  // namespace dawn
