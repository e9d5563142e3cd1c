#include "core/clocktick.h"

namespace dawn {
namespace {

std::string TwoDigits(int v) {
    std::string s(2, '0');
    s[0] = static_cast<char>('0' + (v / 10) % 10);
    s[1] = static_cast<char>('0' + v % 10);
    return s;
}

}  // namespace

std::string ClockText(WallTime t, const std::string& separator) {
    return TwoDigits(t.hour) + separator + TwoDigits(t.minute) + separator + TwoDigits(t.second);
}

PanelLook PanelLookAt(WallTime t, bool showClock, const std::string& separator,
                      const PanelWords& words) {
    if (t.second == 59)
        return PanelLook{showClock ? words.about : ClockText(t, separator), Bevel::Lowered};
    return PanelLook{showClock ? ClockText(t, separator) : words.setUp, Bevel::Raised};
}

std::optional<HelpLine> HelpLineAt(int second, const HelpTexts& texts) {
    switch (second) {
        case 59:
            return std::nullopt;
        case 0:
        case 1:
            return HelpLine{texts.rightButtonHint, false};
        case 15:
        case 16:
            return HelpLine{texts.coordinatesHint, false};
        case 30:
        case 31:
            return HelpLine{texts.helpKeyHint, false};
        case 45:
        case 46:
            return HelpLine{texts.languageWord + " = " + texts.languageName, false};
        default:
            return HelpLine{
                texts.azimuthCaption + ": " + texts.riseAzimuth + " " + texts.setAzimuth, true};
    }
}

}  // namespace dawn
