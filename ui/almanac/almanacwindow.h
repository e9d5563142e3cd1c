#pragma once
// The almanac window: the events of a year for the settings' place, each
// with its date and clock time there (AlmanacRowsOf, present/almanacview.h),
// a year box and one box per kind to show. A click on an event, or Enter on
// it, makes its date the shown date and says so with dateChosen; the
// program entry moves the main window's calendar there.
//
// Below the list a line tells the moon's distance and apparent size: at 00:00
// of the shown date on the place's clock, and at the selected event's
// instant once one is selected (MoonSizeText).
//
// The window copies the rows' texts into a list of plain text; it is made
// when first asked for and refills itself whenever it is shown, so that a
// change of the place or the language shows at the next opening.
#include <QDialog>
#include <array>
#include <string>

#include "core/daynumber.h"
#include "present/almanac.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace dawn {

struct AppState;

class AlmanacWindow : public QDialog {
    Q_OBJECT
public:
    // The state must outlive the window.
    explicit AlmanacWindow(AppState& state, QWidget* parent = nullptr);
    ~AlmanacWindow() override;

    // The year of the shown date, the captions in the applied language and
    // the year's events; then the window shows and comes to the front.
    void ShowYearOfShownDate();

    QLabel* YearCaption = nullptr;
    QSpinBox* YearBox = nullptr;
    QGroupBox* KindGroup = nullptr;
    std::array<QCheckBox*, kAlmanacKindCount> KindBoxes{};
    QTreeWidget* EventList = nullptr;
    QLabel* MoonLine = nullptr;

signals:
    // An event's date was chosen; it is the state's shown date now.
    void dateChosen(dawn::DayNumber date);

public slots:
    // The list of the chosen year and kinds.
    void Refill();

private:
    void PutLabels();
    void ChooseItem(QTreeWidgetItem* item);
    void PutMoonLine(const std::string& text);

    AppState& state_;
};

}  // namespace dawn
