#include "ui/common/mediapath.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace dawn {
namespace {

// The default media of a folder whose name is not UTF-8 (Latin-1 "Liège")
// open as pictures and sounds, by their own bytes; a UTF-8 path is itself.
TEST(MediaFileForQt, OpensFilesInAFolderNamedInAnotherEncoding) {
    QTemporaryDir temp;
    const std::string folder = temp.path().toStdString() + "/Li\xe8ge";
    std::filesystem::create_directory(folder);
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(red.save(&buffer, "PNG"));
    const std::string picture = folder + "/sunrise.png";
    std::ofstream(picture, std::ios::binary).write(png.constData(), png.size());

    const QString opened = MediaFileForQt(picture);
    EXPECT_TRUE(QFileInfo(opened).isFile());
    EXPECT_EQ(QFileInfo(opened).suffix(), QStringLiteral("png"));
    QImageReader reader(opened);
    EXPECT_EQ(reader.read().size(), QSize(8, 4)) << reader.errorString().toStdString();
    EXPECT_EQ(MediaFileForQt(picture), opened);  // one link per file for the run

    // A missing file stays missing, and a UTF-8 path is handed on unchanged.
    EXPECT_FALSE(QFileInfo(MediaFileForQt(folder + "/gone.wav")).isFile());
    const std::string utf8 = temp.path().toStdString() + "/Li\xc3\xa8ge.wav";
    EXPECT_EQ(MediaFileForQt(utf8), QString::fromStdString(utf8));
}

}  // namespace
}  // namespace dawn
