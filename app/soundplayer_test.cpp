#include "ui/main/soundplayer.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <cmath>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/sound/mediasound.h"

namespace dawn {
namespace {

// Half a second of a 440 Hz tone as 16-bit mono PCM WAV.
void WriteTone(const QString& path) {
    const int rate = 8000, samples = rate / 2;
    QByteArray pcm;
    QDataStream pcmOut(&pcm, QIODevice::WriteOnly);
    pcmOut.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < samples; ++i) pcmOut << qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    out.writeRawData(pcm.constData(), int(pcm.size()));
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        player.setOpenTimeout(10000);  // generous for a loaded CI machine
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    SoundPlayer player{messages, nullptr, nullptr, MakeMediaSound};
};

TEST_F(SoundPlayerTest, MissingFileIsReportedAndNothingPlays) {
    EXPECT_EQ(player.PlaySound(Path("gone.wav")), SoundStart::Missing);
    EXPECT_EQ(player.PlaySound(QString()), SoundStart::Missing);
    EXPECT_EQ(messages.shown, QStringList({"Missing SoundFile", "Missing SoundFile"}));
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SoundPlayerTest, PlaysInTheBackgroundAndANewSoundReplacesTheOld) {
    WriteTone(Path("a.wav"));
    WriteTone(Path("b.wav"));
    // Without an audio device the sound may end at once; it must neither fail nor block.
    EXPECT_EQ(player.PlaySound(Path("a.wav")), SoundStart::Playing);
    EXPECT_EQ(player.PlaySound(Path("b.wav")), SoundStart::Playing);
    EXPECT_EQ(player.CurrentFile(), Path("b.wav"));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

TEST_F(SoundPlayerTest, UnplayableFileShowsTheMediaLayersError) {
    QFile f(Path("notes.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("this is a text file and no sound at all\n").repeated(20));
    f.close();
    EXPECT_EQ(player.PlaySound(Path("notes.wav")), SoundStart::Failed);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].endsWith("\n" + Path("notes.wav")));
    EXPECT_GT(messages.shown[0].indexOf('\n'), 0);  // the error text comes first
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SoundPlayerTest, AMediaLayerThatCannotBeLoadedIsReportedOnce) {
    WriteTone(Path("a.wav"));
    int attempts = 0;
    SoundPlayer unloadable{messages, nullptr, nullptr,
                           [&attempts](MessageBoxes&, QWidget*, QString& error) {
                               ++attempts;
                               error = QStringLiteral("no such module");
                               return std::unique_ptr<SoundOutput>();
                           }};
    EXPECT_EQ(unloadable.PlaySound(Path("a.wav")), SoundStart::Failed);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("no such module"));
    EXPECT_TRUE(messages.shown[0].endsWith("\n" + Path("a.wav")));
    EXPECT_FALSE(unloadable.IsPlaying());
    unloadable.Stop();  // nothing to stop, nothing breaks
    EXPECT_EQ(attempts, 1);
}

// The module the program loads: its entry makes a media layer that plays.
TEST_F(SoundPlayerTest, TheBuiltModuleMakesAWorkingMediaLayer) {
    QLibrary module(QStringLiteral(DAWN_SOUND_MODULE));
    using Make = SoundOutput* (*)(MessageBoxes*, QWidget*);
    const auto make = reinterpret_cast<Make>(module.resolve("dawnhelm_make_sound_output"));
    ASSERT_NE(make, nullptr) << module.errorString().toStdString();
    std::unique_ptr<SoundOutput> output(make(&messages, nullptr));
    WriteTone(Path("a.wav"));
    EXPECT_EQ(output->Play(Path("a.wav"), 10000), SoundStart::Playing);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

}  // namespace
}  // namespace dawn
