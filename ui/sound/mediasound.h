#pragma once
// The sound player's media layer through Qt Multimedia. It is built into the
// module dawnhelm-sound, which the window program loads when it plays its
// first sound, and linked into the tests.
#include <QMediaPlayer>
#include <QObject>
#include <QString>

#include "ui/common/soundoutput.h"

class QAudioOutput;

namespace dawn {

class MediaSound final : public QObject, public SoundOutput {
    Q_OBJECT
public:
    MediaSound(MessageBoxes& messages, QWidget* messageParent);
    ~MediaSound() override;

    SoundStart Play(const QString& fileName, int openTimeoutMs) override;
    void Stop() override;
    bool IsPlaying() const override;

private:
    void EnsurePlayer();
    void DiscardPlayer();
    void OnError(QMediaPlayer::Error error, const QString& text);

    MessageBoxes& messages_;
    QWidget* messageParent_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString currentFile_;
    // Each Play opens a new generation; errors of the one being opened are
    // collected, errors of a playing one are shown once.
    quint64 generation_ = 0;
    quint64 waitingFor_ = 0;
    QString openError_;
    bool errorShown_ = false;
};

// The factory the module hands out.
std::unique_ptr<SoundOutput> MakeMediaSound(MessageBoxes& messages, QWidget* messageParent,
                                            QString& error);

}  // namespace dawn
