#pragma once
// The alarm sound player of the main window: one sound at a time, played in
// the background, so the clock keeps ticking while it plays. Also used by the
// sound preview buttons of the configuration dialog.
#include <QObject>
#include <QString>
#include <memory>

#include "ui/common/messages.h"
#include "ui/common/soundoutput.h"

class QWidget;

namespace dawn {

// Makes Qt Multimedia use its GStreamer backend, which plays WAV and the other
// common formats and copes with a machine that has no audio device. Call it
// before the QApplication is created; a backend named in the environment
// already is left alone.
void ChooseMediaBackend();

// The media layer of an installed or built program: the module
// dawnhelm-sound beside the program or in its library folder, loaded on the
// first call.
SoundOutputFactory SoundModule();

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // Messages are shown over `messageParent` in `messages`, which must
    // outlive the player. The media layer is made by `makeOutput` when the
    // first sound plays.
    explicit SoundPlayer(MessageBoxes& messages, QWidget* messageParent = nullptr,
                         QObject* parent = nullptr, SoundOutputFactory makeOutput = SoundModule());
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
    MessageBoxes& messages_;
    QWidget* messageParent_;
    SoundOutputFactory makeOutput_;
    std::unique_ptr<SoundOutput> output_;
    QString currentFile_;
    int openTimeoutMs_ = 1500;
};

}  // namespace dawn
