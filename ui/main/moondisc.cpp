#include "ui/main/moondisc.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace dawn {

QPixmap MoonDiscPicture(int side, double fraction, LitSide litSide) {
    side = std::max(side, 4);
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = side / 2.0 - 1.0;
    const QPointF centre(side / 2.0, side / 2.0);
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(QColor(60, 60, 70));
    p.drawEllipse(centre, r, r);

    const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    if (f <= 0.0) return picture;
    // Drawn lit on the right, then mirrored for a moon lit on the left. The
    // lit part is the right half of the disc, bounded on the left by half an
    // ellipse: bulging to the left past the middle when more than half is
    // lit (gibbous), to the right when less (crescent).
    p.translate(centre);
    if (litSide == LitSide::Left) p.scale(-1.0, 1.0);
    const QRectF disc(-r, -r, 2 * r, 2 * r);
    const double a = r * std::fabs(2.0 * f - 1.0);
    const QRectF terminator(-a, -r, 2 * a, 2 * r);
    QPainterPath lit;
    lit.moveTo(0, -r);
    lit.arcTo(disc, 90, -180);  // over the right edge, from the top to the bottom
    lit.arcTo(terminator, -90, f > 0.5 ? -180 : 180);  // back up across the disc
    lit.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 240, 190));
    p.drawPath(lit);
    return picture;
}

}  // namespace dawn
