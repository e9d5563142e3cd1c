#pragma once
// The small picture of the moon's phase: a dark disc with its lit part, the
// terminator drawn as half an ellipse, on the side the place sees lit.
#include <QPixmap>

#include "astro/moonphase.h"

namespace dawn {

// A square picture of `side` pixels; `fraction` is the lit part of the
// disc, 0..1 (held there).
QPixmap MoonDiscPicture(int side, double fraction, LitSide litSide);

}  // namespace dawn
