// The one-second tick of the main window.
#include <QLabel>

#include "ui/main/tform1.h"

namespace dawn {

void TForm1::Timer1Timer() {
    const DayEphemeris& day = state_.Day;
    const bool moon = MoonPanelShown();
    const std::string& rise = moon ? day.MoonRiseAzimuth : day.SunRiseAzimuth;
    const std::string& set = moon ? day.MoonSetAzimuth : day.SunSetAzimuth;
    lbSetupHelp->setText(state_.Label(label::kAzimuth) + QStringLiteral(": ") + QString::fromStdString(rise) +
                         QStringLiteral(" ") + QString::fromStdString(set));
    if (!state_.Settings.ShowClock) Panel1->setText(QStringLiteral("Set up"));
}

}  // namespace dawn
