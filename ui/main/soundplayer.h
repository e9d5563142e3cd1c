#pragma once
// The alarm sound player of the main window: one sound at a time, played in
// the background through Qt Multimedia, so the clock keeps ticking while it
// plays. Also used by the sound preview buttons of the configuration dialog.
#include <QMediaPlayer>
#include <QObject>
#include <QString>

#include "ui/main/messages.h"

class QAudioOutput;
class QWidget;

namespace dawn {

// Makes Qt Multimedia use its GStreamer backend, which plays WAV and the other
// common formats and copes with a machine that has no audio device. Call it
// before the QApplication is created; a backend named in the environment
// already is left alone.
void ChooseMediaBackend();

enum class SoundStart {
    Playing,  // the sound plays in the background
    Missing,  // no such file: "Missing SoundFile" was shown
    Failed,   // the media layer cannot play it: its error was shown
};

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // Messages are shown over `messageParent` in `messages`, which must
    // outlive the player.
    explicit SoundPlayer(MessageBoxes& messages, QWidget* messageParent = nullptr,
                         QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Plays `fileName` in the background; a sound still playing is stopped
    // first. The call waits until the media layer has opened the file (at
    // most openTimeout() ms, with the timer and other events still running
    // but user input held back), so that a file it cannot play is reported
    // here and the caller can skip what should follow. An error that shows
    // only later, during playback, is reported when it happens.
    SoundStart PlaySound(const QString& fileName);

    void Stop();
    bool IsPlaying() const;
    // The file given to the last PlaySound that reached the media layer.
    QString CurrentFile() const { return currentFile_; }

    int openTimeout() const { return openTimeoutMs_; }
    void setOpenTimeout(int ms) { openTimeoutMs_ = ms; }

private:
    void EnsurePlayer();
    void DiscardPlayer();
    void OnError(QMediaPlayer::Error error, const QString& text);

    MessageBoxes& messages_;
    QWidget* messageParent_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString currentFile_;
    int openTimeoutMs_ = 1500;
    // Each PlaySound opens a new generation; errors of the one being opened
    // are collected, errors of a playing one are shown once.
    quint64 generation_ = 0;
    quint64 waitingFor_ = 0;
    QString openError_;
    bool errorShown_ = false;
};

}  // namespace dawn
