#pragma once
// What the configuration dialog keeps besides its controls; shared by its
// three source files (taboutbox.cpp builds the window, taboutbox_settings.cpp
// and taboutbox_media.cpp hold the handlers of its two panels).
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

#include "ui/config/spinpair.h"
#include "ui/config/taboutbox.h"
#include "ui/main/appstate.h"
#include "ui/main/soundplayer.h"

class QVBoxLayout;

namespace dawn {

class TForm1;

// The items of the language choice and the names the hints give them.
inline const QStringList kLanguageItems = {
    QStringLiteral("Loc"), QStringLiteral("Ned"), QStringLiteral("Fra"), QStringLiteral("Deu"),
    QStringLiteral("Eng"), QStringLiteral("Ita"), QStringLiteral("Esp")};
inline const QStringList kLanguageNames = {
    QStringLiteral("Local"),       QStringLiteral("Nederlands"), QStringLiteral("Fran\u00e7ais"),
    QStringLiteral("Deutsch"),     QStringLiteral("English"),    QStringLiteral("Italiano"),
    QStringLiteral("Espa\u00f1ol")};
inline const QString kLocaleHintLines =
    QStringLiteral("Weekdays and Monthnames\nare fetched from\nthe windows local setting");

struct TAboutBox::Impl {
    Impl(AppState& s, TForm1* m) : state(s), main(m) {}

    AppState& state;
    TForm1* main;
    // The three pairs with the ranges their rule left, latitude, longitude,
    // time zone.
    std::array<SpinPair, 3> pairs;
    QVBoxLayout* ruleColumn = nullptr;
    bool summerOnTop = true;
    // Set when the dialog was opened or left for another window of the
    // program, so that its next activation resolves the rules anew.
    bool activateOnReturn = false;
    int batch = 0;
    bool redrawPending = false;
    PlaySoundFn playSound;
    ShowImageFn showImage;
    std::unique_ptr<SoundPlayer> ownPlayer;
};

// The whole and minutes spin edits, the group, the separator and the tag of a
// pair, with its labels.
struct PairControls {
    QSpinBox* whole;
    QSpinBox* minutes;
    QGroupBox* group;
    QLabel* separator;
    int* tag;
    int captionLabel;
    int positiveHintLabel;
    int negativeHintLabel;
};

inline int PairIndex(PairKind kind) {
    return static_cast<int>(kind);
}

}  // namespace dawn
