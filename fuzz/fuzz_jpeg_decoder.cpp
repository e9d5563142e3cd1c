// Fuzzes the JPEG decoding wrapper with arbitrary file contents, with its
// memory cap on. The limits are small so that every input decodes in a
// moment: a picture within them decodes or is refused with a message, never
// both and never neither, and the progress climbs from 0 to its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/picture/jpegdecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const dawn::JpegLimits limits{4'000'000, 32L * 1024 * 1024};
    int last = -1;
    int endings = 0;
    const dawn::JpegDecodeResult r = dawn::DecodeJpeg(
        bytes,
        [&](dawn::ProgressStage stage, int percent, const QImage*) {
            if (percent < 0 || percent > 100 || percent < last || endings > 0) std::abort();
            last = percent;
            if (stage == dawn::ProgressStage::Ending) ++endings;
        },
        limits);
    if (endings != 1 || r.image.isNull() == r.error.isEmpty()) std::abort();
    if (!r.image.isNull() &&
        static_cast<qint64>(r.image.width()) * r.image.height() > limits.maxPixels) {
        std::abort();
    }
    return 0;
}
