#include "ui/graph/pagelayout.h"

#include <algorithm>
#include <cmath>

namespace dawn {

PageRect ChartRectOnPage(double pageWidth, double pageHeight, double marginPercent,
                         bool keepProportions, double aspect) {
    if (!(pageWidth > 0) || !(pageHeight > 0)) return {};
    const double percent =
        std::isnan(marginPercent) ? 0 : std::clamp(marginPercent, 0.0, kMaxMarginPercent);
    PageRect r;
    r.x = pageWidth * percent / 100;
    r.y = pageHeight * percent / 100;
    r.width = pageWidth - 2 * r.x;
    r.height = pageHeight - 2 * r.y;
    if (!keepProportions || !(aspect > 0) || !std::isfinite(aspect)) return r;
    if (r.width / r.height > aspect) {
        const double width = r.height * aspect;
        r.x += (r.width - width) / 2;
        r.width = width;
    } else {
        const double height = r.width / aspect;
        r.y += (r.height - height) / 2;
        r.height = height;
    }
    return r;
}

}  // namespace dawn
