#include "ui/picture/jpegdecoder.h"

#include <jpeglib.h>
// The message codes of libjpeg.
#include <jerror.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace dawn {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back to the setjmp of the C-style step that called into the
// library (StartDecoding or ReadRows below); those steps keep only trivial
// locals, so no destructor is skipped. Nothing C++ with a destructor lives
// between a setjmp and the library call that may jump to it.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char error[JMSG_LENGTH_MAX];
    char warning[JMSG_LENGTH_MAX];
};

struct ProgressManager {
    jpeg_progress_mgr pub;
    const JpegProgress* callback;
    int lastPercent;
    bool callbackFailed;
    // The picture being filled, shown to the callback during the rows pass.
    const QImage* partial;
};

struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    ProgressManager progress;
};

void OnErrorExit(j_common_ptr cinfo) {
    ErrorManager* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->error);
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) are kept, the first one as text; trace messages dropped.
void OnEmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    ErrorManager* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (cinfo->err->num_warnings == 0) (*cinfo->err->format_message)(cinfo, err->warning);
    cinfo->err->num_warnings++;
}

void Report(ProgressManager* p, ProgressStage stage, int percent) {
    if (p->callback == nullptr || !*p->callback || p->callbackFailed) return;
    // An exception must not travel through the library's C frames.
    try {
        (*p->callback)(stage, percent, p->partial);
    } catch (...) {
        p->callbackFailed = true;
    }
}

void OnProgress(j_common_ptr cinfo) {
    ProgressManager* p = reinterpret_cast<ProgressManager*>(cinfo->progress);
    const jpeg_progress_mgr& m = p->pub;
    if (m.total_passes <= 0 || m.pass_limit <= 0) return;
    long long done = static_cast<long long>(m.completed_passes) * m.pass_limit + m.pass_counter;
    long long all = static_cast<long long>(m.total_passes) * m.pass_limit;
    int percent = static_cast<int>(done * 100 / all);
    if (percent > 99) percent = 99;
    if (percent < 0) percent = 0;
    // The library may learn of more passes as it reads a progressive file,
    // so its own fraction can fall back; the percent shown never does.
    if (percent <= p->lastPercent) return;
    p->lastPercent = percent;
    Report(p, ProgressStage::Running, percent);
}

// Reads the header and chooses the output, under a cap on the decoder's
// memory. False when rejected.
bool ReadHeader(Decoder* d, const unsigned char* data, unsigned long size, long maxMemory) {
    if (setjmp(d->err.jump)) return false;
    jpeg_create_decompress(&d->cinfo);
    // Beyond the cap libjpeg would need a backing store, which this build
    // does not have: it stops with an error instead of allocating.
    d->cinfo.mem->max_memory_to_use = maxMemory;
    d->cinfo.progress = &d->progress.pub;
    jpeg_mem_src(&d->cinfo, data, size);
    jpeg_read_header(&d->cinfo, TRUE);
    // CMYK pictures decode as CMYK and are turned into RGB row by row.
    const bool cmyk =
        d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
    d->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    d->cinfo.scale_num = 1;
    d->cinfo.scale_denom = 1;
    d->cinfo.dct_method = JDCT_ISLOW;
    d->cinfo.do_fancy_upsampling = TRUE;
    d->cinfo.quantize_colors = FALSE;
    d->cinfo.buffered_image = FALSE;
    return true;
}

// Starts the decompressor (for a progressive file this reads all of its
// scans). False when rejected.
bool StartDecoding(Decoder* d) {
    if (setjmp(d->err.jump)) return false;
    jpeg_start_decompress(&d->cinfo);
    return true;
}

// Decodes every row into `bits` (rows of `stride` bytes, three per pixel);
// with a CMYK output each row goes through `cmykRow` first. False when
// rejected; the rows decoded so far stay in `bits`.
bool ReadRows(Decoder* d, unsigned char* bits, long stride, unsigned char* cmykRow) {
    if (setjmp(d->err.jump)) return false;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        unsigned char* dest = bits + stride * static_cast<long>(d->cinfo.output_scanline);
        JSAMPROW row = cmykRow != nullptr ? cmykRow : dest;
        if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1) break;
        if (cmykRow != nullptr) {
            // Adobe writes CMYK inverted; plain CMYK is taken as written.
            const bool inverted = d->cinfo.saw_Adobe_marker;
            for (JDIMENSION x = 0; x < d->cinfo.output_width; ++x) {
                unsigned c = cmykRow[4 * x], m = cmykRow[4 * x + 1], y = cmykRow[4 * x + 2],
                         k = cmykRow[4 * x + 3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                dest[3 * x] = static_cast<unsigned char>(c * k / 255);
                dest[3 * x + 1] = static_cast<unsigned char>(m * k / 255);
                dest[3 * x + 2] = static_cast<unsigned char>(y * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

QString TextOf(const char* message) {
    return QString::fromLocal8Bit(message);
}

}  // namespace

JpegDecodeResult DecodeJpeg(const QByteArray& data, const JpegProgress& progress,
                            const JpegLimits& limits) {
    JpegDecodeResult result;
    Decoder d;
    std::memset(&d, 0, sizeof d);
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = OnErrorExit;
    d.err.pub.emit_message = OnEmitMessage;
    d.progress.pub.progress_monitor = OnProgress;
    d.progress.callback = &progress;
    d.progress.lastPercent = 0;

    Report(&d.progress, ProgressStage::Starting, 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    bool ok =
        ReadHeader(&d, bytes, static_cast<unsigned long>(data.size()), limits.maxDecoderBytes);
    if (ok) {
        // The size the header claims, before a single byte is decoded.
        const qint64 width = d.cinfo.image_width;
        const qint64 height = d.cinfo.image_height;
        if (width * height > limits.maxPixels) {
            result.error = QStringLiteral(
                               "The picture is too large to show (%1 x %2 pixels; at most %3 "
                               "megapixels)")
                               .arg(width)
                               .arg(height)
                               .arg(limits.maxPixels / 1'000'000);
            ok = false;
        } else {
            ok = StartDecoding(&d);
            if (!ok && (d.err.pub.msg_code == JERR_NO_BACKING_STORE ||
                        d.err.pub.msg_code == JERR_OUT_OF_MEMORY)) {
                result.error = QStringLiteral(
                                   "The picture needs more memory to decode than is allowed "
                                   "(%1 x %2 pixels)")
                                   .arg(width)
                                   .arg(height);
            }
        }
    }
    if (ok) {
        const qint64 width = d.cinfo.output_width;
        const qint64 height = d.cinfo.output_height;
        QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
        if (image.isNull()) {
            result.error = QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
                               .arg(width)
                               .arg(height);
            ok = false;
        } else {
            image.fill(Qt::gray);
            QByteArray cmykRow;
            if (d.cinfo.out_color_space == JCS_CMYK)
                cmykRow.resize(static_cast<qsizetype>(width * 4));
            d.progress.partial = &image;
            ok = ReadRows(
                &d, image.bits(), static_cast<long>(image.bytesPerLine()),
                cmykRow.isEmpty() ? nullptr : reinterpret_cast<unsigned char*>(cmykRow.data()));
            d.progress.partial = nullptr;
            if (ok) result.image = std::move(image);
        }
    }
    if (!ok && result.error.isEmpty()) result.error = TextOf(d.err.error);
    if (ok && d.err.pub.num_warnings > 0) result.warning = TextOf(d.err.warning);
    jpeg_destroy_decompress(&d.cinfo);
    Report(&d.progress, ProgressStage::Ending, ok ? 100 : d.progress.lastPercent);
    return result;
}

}  // namespace dawn
