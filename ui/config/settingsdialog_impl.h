#pragma once
// What the configuration dialog keeps besides its controls; shared by its
// three source files (settingsdialog.cpp builds the window, settingsdialog_settings.cpp
// and settingsdialog_media.cpp hold the handlers of its two panels).
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

#include "places/citysearch.h"
#include "present/appstate.h"
#include "present/spinpair.h"
#include "ui/common/qtlocale.h"
#include "ui/config/settingsdialog.h"

class QVBoxLayout;

namespace dawn {

// The items of the language choice.
inline const QStringList kLanguageItems = {
    QStringLiteral("Loc"), QStringLiteral("Ned"), QStringLiteral("Fra"), QStringLiteral("Deu"),
    QStringLiteral("Eng"), QStringLiteral("Ita"), QStringLiteral("Esp")};
inline const QString kLocaleHintLines =
    QStringLiteral("Weekdays and Monthnames\nare fetched from\nthe windows local setting");

struct SettingsDialog::Impl {
    Impl(AppState& s, MessageBoxes& m, FileChoosers& c) : state(s), messages(m), choosers(c) {}

    AppState& state;
    MessageBoxes& messages;
    FileChoosers& choosers;
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
    // Above 0 while the controls are being given the settings' values, so
    // that their handlers do not take that for an edit by hand.
    int showing = 0;
    // The city list, opened at the first showing; its matches for the
    // current search text.
    bool placesOpened = false;
    std::shared_ptr<const CityIndex> cities;
    std::vector<City> matches;

    // Label n of the applied language.
    QString Label(int n) const { return Q(state.Label(n)); }
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
