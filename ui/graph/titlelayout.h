#pragma once
// The graph's title as the chart draws it. Its lines hold captions from the
// label table, which a user can make as long as he likes; the chart's own
// fitting of a title that is too wide tries every shorter prefix of the text,
// which costs memory with the square of its length (a 21 KB caption took
// gigabytes). Here each line is first cut to a bounded length and then
// elided to the width in one pass, so the chart never has to shorten it.
//
// Needs only Qt's GUI module (fonts), no widgets.
#include <QFont>
#include <QString>
#include <QStringList>

namespace dawn {

// No title line keeps more characters than this before it is measured.
inline constexpr qsizetype kMaxTitleLineChars = 400;

// One title line cut to kMaxTitleLineChars characters and elided with "…" to
// `width` pixels in `font`.
QString FitTitleLine(const QString& line, const QFont& font, qreal width);

// The title as rich text: every line fitted (FitTitleLine), escaped, its
// blanks kept as they are written, the lines joined by line breaks.
QString TitleHtml(const QStringList& lines, const QFont& font, qreal width);

}  // namespace dawn
