// Fuzzes the layout of the graph's title with arbitrary captions, fonts and
// widths. Each line comes back bounded whatever its length (a caption of
// megabytes must not cost more than a short one), every input line gives one
// title line, and no text of the caption survives as markup.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/graph/titlelayout.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_title_layout";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);  // fonts need the application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(4 + data[0] % 40);
    const qreal width = 1 + data[1] * 8;
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2))
            .split(QLatin1Char('\n'));
    const QString html = dawn::TitleHtml(lines, font, width);
    const QStringList out = html.split(QStringLiteral("<br>"));
    if (out.size() != lines.size()) std::abort();
    for (const QString& line : lines) {
        if (dawn::FitTitleLine(line, font, width).size() > dawn::kMaxTitleLineChars + 1)
            std::abort();
    }
    // Escaped text holds no tag: the only ones are the line breaks.
    for (const QString& piece : out) {
        if (piece.contains(QLatin1Char('<')) || piece.contains(QLatin1Char('>'))) std::abort();
        if (piece.size() > 8 * (dawn::kMaxTitleLineChars + 1)) std::abort();
    }
    return 0;
}
