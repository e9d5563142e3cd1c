#include "ui/config/filechooser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

namespace dawn {
namespace {

TEST(FileFilterTest, PatternsMatchBothCases) {
    EXPECT_EQ(NameFilterOf("Sound files (*.wav)|*.WAV"), "Sound files (*.wav) (*.wav *.WAV)");
    EXPECT_EQ(PatternsOf("Image files (*.bmp,*.jpg,)|*.BMP;*.JPG"),
              (QStringList{"*.bmp", "*.BMP", "*.jpg", "*.JPG", "*.jpeg", "*.JPEG"}));
    EXPECT_EQ(NameFilterOf("All files"), "All files");
}

TEST(FileDialogTest, PictureChooserStartsInItsFolderAndPreviews) {
    QTemporaryDir dir;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString dawn = dir.filePath("dawn.JPG");
    ASSERT_TRUE(picture.save(dawn, "JPG"));

    FileRequest request{"Select SunRiseImage", "Image files (*.bmp,*.jpg,)|*.BMP;*.JPG", dir.path(),
                        dir.filePath("gone.jpg"), true};
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(nullptr, request);
    EXPECT_EQ(dialog->windowTitle(), "Select SunRiseImage");
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(dialog->nameFilters(), QStringList{NameFilterOf(request.filter)});

    auto* preview = dialog->findChild<QLabel*>("picturePreview");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->pixmap().isNull());  // the preset file is gone
    emit dialog->currentChanged(dawn);
    EXPECT_FALSE(preview->pixmap().isNull());
    EXPECT_LE(preview->pixmap().width(), preview->width());

    // The preview is added beside the file list, not taken from it.
    request.picturePreview = false;
    const std::unique_ptr<QFileDialog> plain = MakeFileDialog(nullptr, request);
    EXPECT_EQ(plain->findChild<QLabel*>("picturePreview"), nullptr);
    EXPECT_GE(dialog->width(), plain->width() + preview->width());
}

}  // namespace
}  // namespace dawn
