#pragma once
// What plays the alarm sounds: the media layer behind the sound player. The
// program loads it (the module dawnhelm-sound, with Qt Multimedia) when the
// first sound is played, so that the window starts without the media
// libraries; tests link it in.
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace dawn {

class MessageBoxes;

enum class SoundStart {
    Playing,  // the sound plays in the background
    Missing,  // no such file: "Missing SoundFile" was shown
    Failed,   // the media layer cannot play it: its error was shown
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Plays the existing file `fileName` in the background, stopping a sound
    // still playing. Waits until the media layer plays it or has given up on
    // it (at most `openTimeoutMs`, with the timer and other events still
    // running but user input held back); its error is shown and Failed
    // returned. An error that shows only later, during playback, is shown
    // when it happens.
    virtual SoundStart Play(const QString& fileName, int openTimeoutMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// Makes the media layer, showing its messages over `messageParent` in
// `messages` (both outlive it); null with `error` set when it cannot be made.
using SoundOutputFactory = std::function<std::unique_ptr<SoundOutput>(
    MessageBoxes& messages, QWidget* messageParent, QString& error)>;

}  // namespace dawn
