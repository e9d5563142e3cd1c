// Standard icons made when they are first drawn, not when they are asked
// for. The style's icons come from the desktop's icon theme or from pictures
// that need the image readers; a widget that asks for one it may never show
// (the month calendar's arrows, whose bar the main window hides) would pay
// for the theme lookup and the image readers while the program starts.
#pragma once

#include <QProxyStyle>

namespace dawn {

class DeferredIconStyle final : public QProxyStyle {
public:
    // Wraps the application's own style.
    DeferredIconStyle();

    // The icon of the wrapped style, made on its first use. An icon asked
    // for with a style option is made at once, since the option may not
    // outlive the call.
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace dawn
