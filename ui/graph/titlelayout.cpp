#include "ui/graph/titlelayout.h"

#include <QFontMetricsF>

namespace dawn {

QString FitTitleLine(const QString& line, const QFont& font, qreal width) {
    QString cut = line.left(kMaxTitleLineChars);
    // Never leave half of a character that takes two UTF-16 units.
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
    return QFontMetricsF(font).elidedText(cut, Qt::ElideRight, width);
}

QString TitleHtml(const QStringList& lines, const QFont& font, qreal width) {
    QStringList html;
    for (const QString& line : lines) {
        html << FitTitleLine(line, font, width)
                    .toHtmlEscaped()
                    .replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    }
    return html.join(QStringLiteral("<br>"));
}

}  // namespace dawn
