#include "ui/picture/jpegdecoder.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <vector>

namespace dawn {
namespace {

enum class Kind { Baseline, Progressive, Cmyk };

// A width x height picture, red on the left half and blue on the right,
// written with libjpeg.
QByteArray MakeJpeg(int width, int height, Kind kind) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    const int components = kind == Kind::Cmyk ? 4 : 3;
    c.input_components = components;
    c.in_color_space = kind == Kind::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    if (kind == Kind::Progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width * components));
    for (int x = 0; x < width; ++x) {
        unsigned char* p = &row[static_cast<size_t>(x * components)];
        const bool left = x < width / 2;
        if (kind == Kind::Cmyk) {  // stored inverted, as Adobe writes it
            p[0] = left ? 255 : 0;
            p[1] = 0;
            p[2] = left ? 0 : 255;
            p[3] = 255;
        } else {
            p[0] = left ? 255 : 0;
            p[1] = 0;
            p[2] = left ? 0 : 255;
        }
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    free(out);
    return bytes;
}

struct Report {
    ProgressStage stage;
    int percent;
    bool hadPartial;
};

JpegDecodeResult DecodeRecording(const QByteArray& data, std::vector<Report>& reports) {
    return DecodeJpeg(data, [&](ProgressStage stage, int percent, const QImage* partial) {
        reports.push_back({stage, percent, partial != nullptr});
    });
}

TEST(DecodeJpeg, DecodesInFullColourAndReportsProgressUpTo100) {
    for (Kind kind : {Kind::Baseline, Kind::Progressive, Kind::Cmyk}) {
        SCOPED_TRACE(static_cast<int>(kind));
        std::vector<Report> reports;
        JpegDecodeResult r = DecodeRecording(MakeJpeg(64, 48, kind), reports);
        ASSERT_FALSE(r.image.isNull()) << r.error.toStdString();
        EXPECT_TRUE(r.error.isEmpty());
        EXPECT_TRUE(r.warning.isEmpty());
        EXPECT_EQ(r.image.size(), QSize(64, 48));
        const QColor left = r.image.pixelColor(8, 24), right = r.image.pixelColor(56, 24);
        EXPECT_GT(left.red(), 220);
        EXPECT_LT(left.blue(), 40);
        EXPECT_GT(right.blue(), 220);
        EXPECT_LT(right.red(), 40);

        ASSERT_GE(reports.size(), 3u);
        EXPECT_EQ(reports.front().stage, ProgressStage::Starting);
        EXPECT_EQ(reports.back().stage, ProgressStage::Ending);
        EXPECT_EQ(reports.back().percent, 100);
        bool sawPartial = false;
        for (size_t i = 1; i + 1 < reports.size(); ++i) {
            EXPECT_EQ(reports[i].stage, ProgressStage::Running);
            EXPECT_GT(reports[i].percent, reports[i - 1].percent);
            EXPECT_LE(reports[i].percent, 99);
            sawPartial = sawPartial || reports[i].hadPartial;
        }
        EXPECT_TRUE(sawPartial);
    }
}

// A damaged progressive file (found by fuzzing) whose scans make the
// library raise its count of passes while it reads them: its own fraction
// falls back, but the progress shown only climbs.
TEST(DecodeJpeg, ProgressNeverFallsBackWhenTheLibraryFindsMorePasses) {
    static const unsigned char kFile[] = {
        0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00,
        0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x05, 0x03, 0x04, 0x04, 0x04,
        0x03, 0x05, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x06, 0x07, 0x0c, 0x08, 0x07, 0x07, 0x07,
        0x07, 0x0f, 0x0b, 0x0b, 0x09, 0x0c, 0x11, 0x0f, 0x12, 0x12, 0x11, 0x0f, 0x11, 0x11, 0x13,
        0x16, 0x1c, 0x17, 0x13, 0x14, 0x1a, 0x15, 0x11, 0x11, 0x18, 0x21, 0x18, 0x1a, 0x1d, 0x1d,
        0x1f, 0x1f, 0x1f, 0x13, 0x17, 0x22, 0x24, 0x22, 0x1e, 0x24, 0x1c, 0x1e, 0x1f, 0x1e, 0x01,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x05, 0x03, 0x04,
        0x04, 0x04, 0x03, 0x05, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x06, 0x07, 0x0c, 0x08, 0x07,
        0x07, 0x07, 0x07, 0x0f, 0x0b, 0x0b, 0x09, 0x0c, 0x11, 0x0f, 0x12, 0x12, 0x11, 0x0f, 0x11,
        0x11, 0x13, 0x16, 0x1c, 0x17, 0x13, 0x14, 0x1a, 0x15, 0x11, 0x11, 0x18, 0x21, 0x18, 0x1a,
        0x1d, 0x1d, 0x1f, 0x1f, 0x1f, 0x13, 0x17, 0x22, 0x24, 0x22, 0x1e, 0x24, 0x1c, 0x1e, 0x1f,
        0x1e, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x05, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
        0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x05, 0x03, 0x04, 0x04, 0x04, 0x03,
        0x05, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x06, 0x07, 0x0c, 0x08, 0x07, 0x07, 0x07, 0x07,
        0x0f, 0x0b, 0x0b, 0x09, 0x0c, 0x11, 0x0f, 0x12, 0x12, 0x11, 0x0f, 0x11, 0x11, 0x13, 0x16,
        0x1c, 0x17, 0x13, 0x14, 0x1a, 0x15, 0x11, 0x11, 0x18, 0x21, 0x18, 0x1a, 0x1d, 0x1d, 0x1f,
        0x1f, 0x1f, 0x13, 0x17, 0x22, 0x24, 0x22, 0x1e, 0x24, 0x1c, 0x1e, 0x1f, 0x1e, 0x01, 0x00,
        0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x05, 0x03, 0x04, 0x04,
        0x04, 0x03, 0x05, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x06, 0x07, 0x0c, 0x08, 0x07, 0x07,
        0x07, 0x07, 0x0f, 0x0b, 0x0b, 0x09, 0x0c, 0x11, 0x0f, 0x12, 0x12, 0x11, 0x0f, 0x11, 0x11,
        0x13, 0x16, 0x1c, 0x17, 0x13, 0x14, 0x1a, 0x15, 0x11, 0x11, 0x18, 0x21, 0x18, 0x1a, 0x1d,
        0x1d, 0x1f, 0x1f, 0x1f, 0x13, 0x17, 0x22, 0x24, 0x22, 0x1e, 0x24, 0x1c, 0x1e, 0x1f, 0x1e,
        0xff, 0xdb, 0x00, 0x43, 0x01, 0x05, 0x05, 0x05, 0x07, 0x06, 0x07, 0x0e, 0x08, 0x08, 0x0e,
        0x1e, 0x14, 0x11, 0x14, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e,
        0x1e, 0x1e, 0x1e, 0x1e, 0xda, 0xe1, 0xe1, 0xe1, 0x1e, 0x32, 0x2e, 0x00, 0x00, 0x00, 0x00,
        0x00, 0xff, 0x3f, 0x08, 0x00, 0xd0, 0x60, 0x00, 0x00, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e,
        0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0x1e, 0xff, 0xc0, 0x00, 0x11, 0x08, 0x04,
        0x10, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4,
        0x00, 0x16, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x08, 0x01, 0x01, 0x00, 0x01, 0x05, 0x02, 0xb5, 0xad,
        0x6f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x10, 0x00, 0x00, 0x01, 0xc6, 0xa5, 0x11, 0x2a,
        0xff, 0xc4, 0x00, 0x15, 0x10, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x12, 0xff, 0xda, 0x00,
        0x08, 0x01, 0x01, 0x00, 0x01, 0x05, 0x02, 0xb5, 0x00, 0x00, 0x00, 0x14, 0x61, 0x62, 0xff,
        0xc4, 0x00, 0x14, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x62, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00,
        0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x27, 0xc6, 0xde, 0xd0, 0x00, 0x00, 0x00, 0x00, 0x64,
        0x00, 0x00, 0x00, 0x12, 0xff, 0xda, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x05, 0x02, 0xb5,
        0x00, 0x00, 0x00, 0x14, 0x61, 0x62, 0xff, 0xc4, 0x00, 0x14, 0x01, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x62,
        0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x27, 0xc6,
        0xde, 0xd0, 0x7b, 0x44, 0xb3, 0xf4, 0x3f, 0x44, 0x45, 0x64, 0x0a, 0xac, 0x9b, 0x3f, 0xff,
        0xd9,
    };
    std::vector<Report> reports;
    DecodeRecording(QByteArray(reinterpret_cast<const char*>(kFile), sizeof kFile), reports);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().stage, ProgressStage::Ending);
    for (size_t i = 1; i + 1 < reports.size(); ++i)
        EXPECT_GT(reports[i].percent, reports[i - 1].percent) << "report " << i;
}

TEST(DecodeJpeg, RejectedDataGivesAnEmptyPictureAndTheDecoderMessage) {
    const QByteArray good = MakeJpeg(32, 32, Kind::Baseline);
    QByteArray huge = good;
    // The frame header (SOF0) holds the height and width after its length and precision.
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);
    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a and then some text that is no picture")},
        {"only the start marker", good.left(2)},
        {"header cut short", good.left(40)},
        {"60000 x 60000 pixels", huge},
    };
    for (const auto& c : cases) {
        std::vector<Report> reports;
        JpegDecodeResult r = DecodeRecording(c.data, reports);
        EXPECT_TRUE(r.image.isNull()) << c.what;
        EXPECT_FALSE(r.error.isEmpty()) << c.what;
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back().stage, ProgressStage::Ending) << c.what;
        EXPECT_LT(reports.back().percent, 100) << c.what;
    }
}

TEST(DecodeJpeg, TruncatedFileShowsWhatWasDecodedWithTheWarning) {
    const QByteArray good = MakeJpeg(64, 64, Kind::Baseline);
    // Cut halfway through the compressed data that follows the scan header.
    const qsizetype sos = good.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(sos, 0);
    std::vector<Report> reports;
    JpegDecodeResult r = DecodeRecording(good.left(sos + (good.size() - sos) / 2), reports);
    ASSERT_FALSE(r.image.isNull()) << r.error.toStdString();
    EXPECT_EQ(r.image.size(), QSize(64, 64));
    EXPECT_FALSE(r.warning.isEmpty());
    EXPECT_GT(r.image.pixelColor(8, 2).red(), 220);  // the top rows were decoded
    EXPECT_EQ(reports.back().percent, 100);
}

TEST(DecodeJpeg, AThrowingProgressHandlerDoesNotBreakDecoding) {
    int calls = 0;
    JpegDecodeResult r =
        DecodeJpeg(MakeJpeg(16, 16, Kind::Baseline), [&](ProgressStage, int, const QImage*) {
            ++calls;
            throw std::runtime_error("handler failed");
        });
    EXPECT_FALSE(r.image.isNull());
    EXPECT_EQ(calls, 1);  // not called again after it threw
}

// `jpeg` with the frame header's height and width replaced.
QByteArray Claiming(QByteArray jpeg, char frameMarker, int width, int height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF", 1) + frameMarker);
    if (sof < 0) return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

// Decompression bombs: a file of a few kilobytes that claims a huge picture
// is refused from its header, before the decoder allocates a thing (no
// progress is reported: not a single scan was read), and a picture within the
// size limit that would make the decoder exceed its memory cap is refused by
// the decoder.
TEST(DecodeJpeg, PicturesBeyondTheLimitsAreRefusedBeforeTheyCostMemory) {
    const QByteArray progressive = MakeJpeg(64, 64, Kind::Progressive);
    const QByteArray baseline = MakeJpeg(64, 64, Kind::Baseline);
    const JpegLimits small{1'000'000, 1L * 1024 * 1024};
    struct Case {
        const char* what;
        QByteArray data;
        JpegLimits limits;
        const char* message;  // null: decoded
    };
    const Case cases[] = {
        {"progressive, claims 30000 x 30000",
         Claiming(progressive, '\xC2', 30000, 30000),
         {},
         "too large to show (30000 x 30000 pixels; at most 100 megapixels)"},
        {"baseline, claims 60000 x 20000",
         Claiming(baseline, '\xC0', 60000, 20000),
         {},
         "too large to show (60000 x 20000"},
        {"progressive, 1000 x 1000 under a 1 MB cap", Claiming(progressive, '\xC2', 1000, 1000),
         small, "needs more memory to decode than is allowed (1000 x 1000 pixels)"},
        // Row by row, a baseline picture needs little of the decoder's memory.
        {"baseline, 1000 x 1000 under a 1 MB cap", MakeJpeg(1000, 1000, Kind::Baseline), small,
         nullptr},
        {"progressive, 64 x 64 under a 1 MB cap", progressive, small, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.data.isEmpty());
        std::vector<Report> reports;
        const JpegDecodeResult r = DecodeJpeg(
            c.data,
            [&](ProgressStage stage, int percent, const QImage* partial) {
                reports.push_back({stage, percent, partial != nullptr});
            },
            c.limits);
        if (c.message == nullptr) {
            EXPECT_FALSE(r.image.isNull()) << r.error.toStdString();
            continue;
        }
        EXPECT_TRUE(r.image.isNull());
        EXPECT_TRUE(r.error.contains(QLatin1String(c.message))) << r.error.toStdString();
        if (c.limits.maxPixels == JpegLimits{}.maxPixels) {
            ASSERT_EQ(reports.size(), 2u);  // Starting and Ending only
            EXPECT_EQ(reports.back().stage, ProgressStage::Ending);
        }
    }
}

}  // namespace
}  // namespace dawn
