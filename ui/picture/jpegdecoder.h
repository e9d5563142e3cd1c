#pragma once
// Decodes JPEG pictures with libjpeg: 24-bit colour, full size, the slow
// best-quality inverse DCT and no progressive display, reporting its progress
// as it goes. Decoder errors never escape as a crash or a jump: a picture the
// decoder rejects, or one too large for the limits, comes back empty with a
// message, and one it decodes with trouble (a truncated file is finished with
// grey) comes back with what was decoded and the decoder's first warning.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

namespace dawn {

enum class ProgressStage { Starting, Running, Ending };

// Called with Starting and 0 before decoding, Running with each new
// percentage while it decodes (the decoder's own count stops at 99), and
// Ending after it finished: 100 for a decoded picture, the last percentage
// reached for a rejected one. `partial` is the picture as far as decoded
// during the rows pass (valid only during the call), null otherwise.
using JpegProgress =
    std::function<void(ProgressStage stage, int percentDone, const QImage* partial)>;

struct JpegDecodeResult {
    QImage image;     // RGB888; null when the decoder rejected the data
    QString error;    // the decoder's message for rejected data
    QString warning;  // the first warning for data decoded with trouble
};

// What one picture may cost. A file of a few kilobytes can claim 30000 x
// 30000 pixels, and a progressive one makes the decoder hold every
// coefficient of the whole picture: the size is checked from the header before
// anything is decoded, and the decoder's own memory is capped.
struct JpegLimits {
    qint64 maxPixels = 100'000'000;  // width x height (the picture takes 3 bytes each)
    // What libjpeg may allocate; a progressive picture of 100 megapixels in
    // full colour resolution needs about 600 MB of it.
    long maxDecoderBytes = 640L * 1024 * 1024;
};

JpegDecodeResult DecodeJpeg(const QByteArray& data, const JpegProgress& progress = {},
                            const JpegLimits& limits = {});

}  // namespace dawn
