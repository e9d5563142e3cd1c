#include "ui/skyview/skyviewpainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace dawn {

namespace {

constexpr double kPi = 3.14159265358979323846;

const QColor kSunColour(0xb0, 0x40, 0x00);
const QColor kGoldenColour(0xf0, 0xa0, 0x00);
const QColor kBlueColour(0x20, 0x60, 0xd0);
const QColor kMoonColour(0x50, 0x50, 0x78);
const QColor kGridColour(0xb8, 0xb8, 0xb8);
const QColor kBelowColour(0xec, 0xec, 0xf0);
// The land of a horizon profile: see-through, so that the grid and the ring
// below the horizon show through it.
const QColor kLandColour(0x9a, 0x8c, 0x6e, 110);
const QColor kSkylineColour(0x5a, 0x4a, 0x30);

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// A font of `pixels` height that fits `text` into `width`, made smaller if
// it must be.
QFont FittingFont(const QFont& base, double pixels, const QString& text, double width) {
    QFont font = base;
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    for (int i = 0;
         i < 40 && QFontMetricsF(font).horizontalAdvance(text) > width && font.pixelSize() > 6; ++i)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QColor ColourOf(SunLight light) {
    switch (light) {
        case SunLight::Golden:
            return kGoldenColour;
        case SunLight::Blue:
            return kBlueColour;
        default:
            return kSunColour;
    }
}

}  // namespace

QPointF SkyViewLayout::PointOf(const HorizonPosition& p) const {
    const double r = (90.0 - p.altitudeDegrees) / 90.0 * horizonRadius;
    const double a = p.azimuthDegrees * kPi / 180.0;
    // North up, east to the right.
    return {centre.x() + r * std::sin(a), centre.y() - r * std::cos(a)};
}

SkyViewLayout LayOutSkyView(const QRectF& area, const SkyView& view, const QFont& base) {
    SkyViewLayout layout;
    layout.area = area;
    const double side = std::min(area.width(), area.height());
    layout.unit = std::max(9.0, side / 42.0);
    const double margin = layout.unit * 0.6;
    const QRectF inner = area.adjusted(margin, margin, -margin, -margin);

    // The title on top.
    const QString title = Text(view.title);
    QFont bold = base;
    bold.setBold(true);
    const QFont titleFont = FittingFont(bold, layout.unit * 1.4, title, inner.width());
    const double titleHeight = QFontMetricsF(titleFont).height();
    layout.texts.push_back({title, QRectF(inner.left(), inner.top(), inner.width(), titleHeight),
                            titleFont, Qt::black, Qt::AlignHCenter | Qt::AlignVCenter});

    // The legend at the bottom, in one line, smaller if it must be.
    const QString sample = QStringLiteral("\u25A0 ");
    const std::vector<std::pair<QString, QColor>> entries = {{Text(view.sun.name), kSunColour},
                                                             {Text(view.goldenHour), kGoldenColour},
                                                             {Text(view.blueHour), kBlueColour},
                                                             {Text(view.moon.name), kMoonColour}};
    QString all;
    for (const auto& e : entries) all += sample + e.first + QStringLiteral("   ");
    const QFont legendFont = FittingFont(base, layout.unit, all.trimmed(), inner.width());
    const QFontMetricsF legendMetrics(legendFont);
    const double legendHeight = legendMetrics.height();
    double x = inner.left() +
               std::max(0.0, (inner.width() - legendMetrics.horizontalAdvance(all.trimmed())) / 2);
    const double legendTop = inner.bottom() - legendHeight;
    for (const auto& e : entries) {
        const QString text = sample + e.first;
        const double w = legendMetrics.horizontalAdvance(text);
        layout.texts.push_back({text, QRectF(x, legendTop, w, legendHeight), legendFont, e.second,
                                Qt::AlignLeft | Qt::AlignVCenter});
        x += w + legendMetrics.horizontalAdvance(QStringLiteral("   "));
    }

    // The diagram between them, with room for the compass letters.
    QFont compassFont = base;
    compassFont.setPixelSize(static_cast<int>(layout.unit * 1.2));
    compassFont.setBold(true);
    const QFontMetricsF compassMetrics(compassFont);
    double letterWidth = 0;
    for (const std::string& c : view.compass)
        letterWidth = std::max(letterWidth, compassMetrics.horizontalAdvance(Text(c)));
    const double letterRoom = std::max(letterWidth, compassMetrics.height()) + layout.unit * 0.4;
    const QRectF disc(
        inner.left(), inner.top() + titleHeight + layout.unit * 0.4, inner.width(),
        legendTop - layout.unit * 0.4 - (inner.top() + titleHeight + layout.unit * 0.4));
    layout.centre = disc.center();
    layout.lowestRadius = std::max(10.0, std::min(disc.width(), disc.height()) / 2 - letterRoom);
    layout.horizonRadius = layout.lowestRadius * 90.0 / (90.0 - kSkyViewLowestAltitude);

    const double toLetter = layout.lowestRadius + letterRoom / 2;
    for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 2;
        const QPointF at(layout.centre.x() + toLetter * std::sin(a),
                         layout.centre.y() - toLetter * std::cos(a));
        const QRectF box(at.x() - letterRoom / 2, at.y() - letterRoom / 2, letterRoom, letterRoom);
        layout.texts.push_back({Text(view.compass[static_cast<std::size_t>(i)]), box, compassFont,
                                Qt::black, Qt::AlignCenter});
    }

    // The sun's hours beside its path, where it is in the diagram.
    QFont hourFont = base;
    hourFont.setPixelSize(static_cast<int>(layout.unit * 0.8));
    const QFontMetricsF hourMetrics(hourFont);
    for (std::size_t k = 0; k < view.sun.hourMarks.size(); ++k) {
        const SkyPathPoint& p = view.sun.points[view.sun.hourMarks[k]];
        if (p.position.altitudeDegrees < kSkyViewLowestAltitude) continue;
        const QPointF at = layout.PointOf(p.position);
        const QString text = Text(view.sun.hourTexts[k]);
        const double w = hourMetrics.horizontalAdvance(text), h = hourMetrics.height();
        // Outward from the zenith, so the text stays off the path.
        QPointF out = at - layout.centre;
        const double length = std::hypot(out.x(), out.y());
        out = length > 0 ? out / length : QPointF(0, -1);
        QPointF c = at - out * (h * 0.9);
        QRectF box(c.x() - w / 2, c.y() - h / 2, w, h);
        layout.texts.push_back({text, box, hourFont, kSunColour, Qt::AlignCenter});
    }
    return layout;
}

void PaintSkyView(QPainter& painter, const QRectF& area, const SkyView& view, const QFont& base) {
    const SkyViewLayout layout = LayOutSkyView(area, view, base);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const QPointF c = layout.centre;
    const double unit = layout.unit;

    // The ring below the horizon, the horizon and the altitudes 30° and 60°.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBelowColour);
    painter.drawEllipse(c, layout.lowestRadius, layout.lowestRadius);
    painter.setBrush(Qt::white);
    painter.drawEllipse(c, layout.horizonRadius, layout.horizonRadius);
    // The land of the horizon profile, from its skyline down to the ring's
    // outer edge: a path passes behind the hills where it crosses it.
    if (!view.skyline.empty()) {
        QPolygonF land;
        for (const HorizonPosition& p : view.skyline)
            land << layout.PointOf(
                {std::max(p.altitudeDegrees, kSkyViewLowestAltitude), p.azimuthDegrees});
        QPolygonF skyline = land;
        for (auto p = view.skyline.rbegin(); p != view.skyline.rend(); ++p)
            land << layout.PointOf({kSkyViewLowestAltitude, p->azimuthDegrees});
        painter.setBrush(kLandColour);
        painter.drawPolygon(land, Qt::WindingFill);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kSkylineColour, std::max(1.0, unit / 8)));
        painter.drawPolyline(skyline);
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(Qt::NoBrush);
    QPen grid(kGridColour, std::max(1.0, unit / 12));
    painter.setPen(grid);
    for (const double altitude : {30.0, 60.0}) {
        const double r = (90 - altitude) / 90 * layout.horizonRadius;
        painter.drawEllipse(c, r, r);
    }
    painter.drawLine(QPointF(c.x(), c.y() - layout.lowestRadius),
                     QPointF(c.x(), c.y() + layout.lowestRadius));
    painter.drawLine(QPointF(c.x() - layout.lowestRadius, c.y()),
                     QPointF(c.x() + layout.lowestRadius, c.y()));
    painter.setPen(QPen(Qt::black, std::max(1.0, unit / 8)));
    painter.drawEllipse(c, layout.horizonRadius, layout.horizonRadius);

    // The rise and set azimuths: ticks across the horizon.
    const auto tick = [&](const std::optional<double>& azimuth, const QColor& colour) {
        if (!azimuth) return;
        painter.setPen(QPen(colour, std::max(1.5, unit / 5)));
        painter.drawLine(layout.PointOf({4.0, *azimuth}), layout.PointOf({-6.0, *azimuth}));
    };
    tick(view.sun.riseAzimuth, kSunColour);
    tick(view.sun.setAzimuth, kSunColour);
    tick(view.moon.riseAzimuth, kMoonColour);
    tick(view.moon.setAzimuth, kMoonColour);

    // The paths, the sun's coloured by its light; the hours as dots.
    const auto path = [&](const SkyPath& p, bool sun) {
        for (std::size_t i = 0; i + 1 < p.points.size(); ++i) {
            const SkyPathPoint& a = p.points[i];
            const SkyPathPoint& b = p.points[i + 1];
            if (a.position.altitudeDegrees < kSkyViewLowestAltitude ||
                b.position.altitudeDegrees < kSkyViewLowestAltitude)
                continue;
            const QColor colour = sun ? ColourOf(a.light) : kMoonColour;
            const double width = sun && a.light != SunLight::Other ? unit / 2.5 : unit / 5;
            painter.setPen(QPen(colour, std::max(1.5, width), Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(layout.PointOf(a.position), layout.PointOf(b.position));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(sun ? kSunColour : kMoonColour);
        for (const std::size_t i : p.hourMarks) {
            if (p.points[i].position.altitudeDegrees < kSkyViewLowestAltitude) continue;
            painter.drawEllipse(layout.PointOf(p.points[i].position), unit / 5, unit / 5);
        }
        painter.setBrush(Qt::NoBrush);
    };
    path(view.moon, false);
    path(view.sun, true);

    // The marked moment: both bodies as discs.
    const auto mark = [&](const SkyPath& p, const QColor& fill) {
        if (view.marked >= p.points.size()) return;
        const HorizonPosition& at = p.points[view.marked].position;
        if (at.altitudeDegrees < kSkyViewLowestAltitude) return;
        painter.setPen(QPen(Qt::black, std::max(1.0, unit / 10)));
        painter.setBrush(fill);
        painter.drawEllipse(layout.PointOf(at), unit * 0.55, unit * 0.55);
        painter.setBrush(Qt::NoBrush);
    };
    mark(view.moon, QColor(0xd8, 0xd8, 0xe8));
    mark(view.sun, QColor(0xff, 0xd0, 0x20));

    for (const SkyViewText& t : layout.texts) {
        painter.setFont(t.font);
        painter.setPen(t.colour);
        painter.drawText(t.rect, t.flags, t.text);
    }
    painter.restore();
}

QByteArray SkyViewPdfBytes(const SkyView& view, const QFont& base) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(Text(view.title));
        writer.setCreator(QStringLiteral("Dawnhelm"));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        PaintSkyView(
            painter,
            QRectF(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size()),
            view, base);
        painter.end();
    }
    return bytes;
}

QByteArray SkyViewPngBytes(const SkyView& view, const QFont& base, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintSkyView(painter, QRectF(QPointF(0, 0), QSizeF(size)), view, base);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

}  // namespace dawn
