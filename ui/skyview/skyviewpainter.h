#pragma once
// The sky view drawn: a polar diagram of the place's sky for a date, the
// zenith in the middle and the horizon the circle around it, north up and
// east to the right as on a map. The sun's and the moon's paths run across
// it with their hours marked; a ring below the horizon, down to -8°, shows
// where they pass under it, so the blue hour of the sun's path shows too.
// The same painting serves the window, the PNG picture and the PDF page.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "present/skyview.h"

class QPainter;

namespace dawn {

// Every text of the drawing with the place it takes, and the diagram's
// circle: what a test checks for texts cut or overlapping.
struct SkyViewText {
    QString text;
    QRectF rect;
    QFont font;
    QColor colour;
    int flags = 0;  // Qt::AlignmentFlag of the text in its rectangle
};

struct SkyViewLayout {
    QRectF area;
    QPointF centre;
    double horizonRadius = 0;  // pixels from the zenith to the horizon
    double lowestRadius = 0;   // to the ring's outer edge, -8°
    double unit = 0;           // the base text size in pixels
    std::vector<SkyViewText> texts;
    // Where a point of the sky lies in the drawing.
    QPointF PointOf(const HorizonPosition& p) const;
};

inline constexpr double kSkyViewLowestAltitude = -8.0;

SkyViewLayout LayOutSkyView(const QRectF& area, const SkyView& view, const QFont& base);
void PaintSkyView(QPainter& painter, const QRectF& area, const SkyView& view, const QFont& base);

// An A4 portrait PDF page or a PNG picture of `size`; empty when it could
// not be made.
QByteArray SkyViewPdfBytes(const SkyView& view, const QFont& base);
QByteArray SkyViewPngBytes(const SkyView& view, const QFont& base, QSize size = QSize(1000, 1000));

}  // namespace dawn
