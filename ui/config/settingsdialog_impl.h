#pragma once
// What the configuration dialog keeps besides its controls; shared by its
// three source files (settingsdialog.cpp builds the window, settingsdialog_settings.cpp
// and settingsdialog_media.cpp hold the handlers of its two panels).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "places/citysearch.h"
#include "present/appstate.h"
#include "present/placelist.h"
#include "present/settingsform.h"
#include "present/spinpair.h"
#include "ui/common/qtlocale.h"
#include "ui/config/settingsdialog.h"

class QVBoxLayout;

namespace dawn {

// The items of the language choice.
inline const QStringList kLanguageItems = {
    QStringLiteral("Loc"), QStringLiteral("Ned"), QStringLiteral("Fra"), QStringLiteral("Deu"),
    QStringLiteral("Eng"), QStringLiteral("Ita"), QStringLiteral("Esp")};

struct SettingsDialog::Impl {
    Impl(AppState& s, MessageBoxes& m, FileChoosers& c) : state(s), messages(m), choosers(c) {}

    AppState& state;
    MessageBoxes& messages;
    FileChoosers& choosers;
    // What the settings panel shows; the controls are copies of it.
    SettingsForm form;
    // The saved places as last read or saved.
    PlaceList places;
    QVBoxLayout* ruleColumn = nullptr;
    bool summerOnTop = true;
    // Set when the dialog was opened or left for another window of the
    // program, so that its next activation resolves the rules anew.
    bool activateOnReturn = false;
    // The city list, opened at the first showing; its matches for the
    // current search text.
    bool placesOpened = false;
    std::shared_ptr<const CityIndex> cities;
    std::vector<City> matches;

    // Label n of the applied language.
    QString Label(int n) const { return Q(state.Label(n)); }
};

// The whole and minutes spin edits, the group and the separator of a pair.
struct PairControls {
    QSpinBox* whole;
    QSpinBox* minutes;
    QGroupBox* group;
    QLabel* separator;
};

// The group, the month and weekend items and the weekday button of a rule.
struct SettingsDialog::RuleControls {
    QGroupBox* group;
    RadioGroup* month;
    RadioGroup* weekends;
    QPushButton* button;
};

}  // namespace dawn
