// The day view: the DayView of the shown date copied into the controls.
#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <algorithm>

#include "present/accessibletext.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"
#include "ui/main/decorations.h"
#include "ui/main/mainwindow.h"
#include "ui/main/moondisc.h"

namespace dawn {
namespace {

// A caption longer than its box ("Settimana" over the week column) is drawn
// smaller, down to 7 points, rather than cut.
void FitCaption(QLabel* label, const QFont& normal) {
    QFont font = normal;
    const int room = label->width() - 2;
    while (font.pointSize() > 7 && QFontMetrics(font).horizontalAdvance(label->text()) > room) {
        font.setPointSize(font.pointSize() - 1);
    }
    label->setFont(font);
}

// The shown date's row in the window's text colour, the other greyed
// halfway to the background: readable on a light and on a dark palette.
void SetTextColour(QLabel* label, DateRole role, const QPalette& window) {
    QPalette palette = label->palette();
    const QColor text = window.color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, role == DateRole::ShownDate
                                               ? text
                                               : Blend(text, window.color(QPalette::Window)));
    label->setPalette(palette);
}

// The controls of one panel row.
struct RowControls {
    QLabel* caption;
    QLabel* value;
    QLabel* sign;
    QLabel* delta;
    QLabel* symbol;
};

}  // namespace

QDate MainWindow::ShownDate() const {
    return MonthCalendar->selectedDate();
}

DayNumber MainWindow::ShownDay() const {
    return ToDayNumber(ShownDate());
}

bool MainWindow::MoonPanelShown() const {
    return state_.Panel == Body::Moon;
}

void MainWindow::MonthCalendarChange() {
    state_.ShowDate(ShownDay());
    ShowDay();
}

void MainWindow::ShowDay() {
    ShowView(BuildDayView(state_));
    almanacMarks_.Show(*MonthCalendar, state_);
}

void MainWindow::ShowView(const DayView& v) {
    PutLabelsOnMenus();
    lbWeek->setText(Q(v.weekCaption));
    FitCaption(lbWeek, font());
    const auto& weeks = WeekNumberLabels;
    for (std::size_t i = 0; i < v.weeks.size(); ++i) weeks[i]->setText(QString::number(v.weeks[i]));
    YearSpin->setAccessibleName(Q(state_.Label(label::kYear)));
    MonthSpin->setAccessibleName(Q(state_.Label(label::kMonth)));
    MonthSpin->setAccessibleDescription(Q(v.monthHint));
    MarkDecoration(MonthEdit);  // the month box's own name says it
    MonthEdit->setText(Q(v.monthText));
    MonthEdit->setToolTip(Q(v.monthHint));
    MonthSpin->setToolTip(Q(v.monthNumberHint));

    const RowControls rows[kBodyCount][kRowCount] = {
        {{lbSunrise, lbSunRiseHour, lbSunRiseSign, lbSunRiseDelta, lbSunRiseSymbol},
         {lbSunset, lbSunSetHour, lbSunSetSign, lbSunSetDelta, lbSunSetSymbol},
         {lbdaylight, lbDayLightHour, lbDayLightSign, lbDayLightDelta, lbDayLightSymbol}},
        {{lbMoonrise, lbMoonriseHour, lbMoonRiseSign, lbMoonRiseDelta, lbMoonRiseSymbol},
         {lbMoonSet, lbMoonSetHour, lbMoonSetSign, lbMoonSetDelta, lbMoonSetSymbol},
         {lbMoonLight, lbMoonLightHour, lbMoonLightSign, lbMoonLightDelta, lbMoonLightSymbol}}};
    QFont captionFont = font();
    captionFont.setPointSize(v.captionPointSize);
    const std::string emptyClock = state_.Locale.EmptyClockText();
    for (Body body : kBodies) {
        const PanelView& panel = v[body];
        for (std::size_t r = 0; r < kRowCount; ++r) {
            const RowControls& c = rows[IndexOf(body)][r];
            const RowView& row = panel.rows[r];
            // A screen reader reads the caption without its padding, and the
            // time with what it is and how it changed; the sign, the change
            // and the symbol beside it are decorations.
            const AccessibleText spoken =
                AccessibleRowText(row, static_cast<Row>(r), state_.Current, emptyClock);
            c.caption->setAccessibleName(Q(CaptionWithoutColon(row.caption)));
            c.value->setAccessibleName(Q(spoken.name));
            c.value->setAccessibleDescription(Q(spoken.description));
            for (QLabel* decoration : {c.sign, c.delta, c.symbol}) MarkDecoration(decoration);
            c.caption->setText(Q(row.caption));
            c.caption->setFont(captionFont);
            c.value->setText(Q(row.value));
            c.value->setToolTip(Q(row.valueHint));
            c.sign->setText(Q(row.sign));
            c.delta->setText(Q(row.delta));
            c.delta->setToolTip(Q(panel.deltaHint));
            c.symbol->setText(Q(v.symbol));
        }
    }
    lbSunSetSymbol->setToolTip(Q(v.sunSetSymbolHint));

    QFont twilightFont = captionFont;
    twilightFont.setPointSize(std::max(7, v.captionPointSize - 1));
    PnTwilight->setToolTip(Q(v.twilight.hint));
    for (std::size_t r = 0; r < kTwilightRowCount; ++r) {
        const TwilightRowView& row = v.twilight.rows[r];
        const std::array<QLabel*, 3>& c = TwilightRows[r];
        c[0]->setText(Q(row.caption));
        const QString caption = Q(CaptionWithoutColon(row.caption));
        c[0]->setAccessibleName(caption);
        const bool noon = r + 1 == kTwilightRowCount;
        c[1]->setAccessibleName(noon ? caption + QLatin1Char(' ') + Q(row.first)
                                     : caption + QLatin1Char(' ') +
                                           Q(Trimmed(state_.Label(label::kDawn))) +
                                           QLatin1Char(' ') + Q(row.first));
        c[2]->setAccessibleName(noon ? caption + QLatin1Char(' ') + Q(row.second)
                                     : caption + QLatin1Char(' ') +
                                           Q(Trimmed(state_.Label(label::kDusk))) +
                                           QLatin1Char(' ') + Q(row.second));
        c[1]->setText(Q(row.first));
        c[1]->setToolTip(Q(row.firstHint));
        c[2]->setText(Q(row.second));
        c[2]->setToolTip(Q(row.secondHint));
        for (QLabel* label : c) label->setFont(twilightFont);
    }

    // The phase goes with the moon panel.
    const bool moon = MoonPanelShown();
    MoonDisc->setPixmap(
        MoonDiscPicture(MoonDisc->height(), v.phase.illuminatedFraction, v.phase.litSide));
    // The disc is named by the phase it draws; its description is the age,
    // the next full and new moon and the side that is lit.
    MoonDisc->setAccessibleName(Q(v.phase.name) + QLatin1Char(' ') + Q(v.phase.illuminated));
    MoonDisc->setAccessibleDescription(Q(v.phase.hint) + QLatin1Char('\n') +
                                       Q(v.phase.litSideText));
    lbMoonPhase->setText(Q(v.phase.name));
    FitCaption(lbMoonPhase, font());
    lbMoonIlluminated->setText(Q(v.phase.illuminated));
    for (QLabel* phase : {MoonDisc, lbMoonPhase, lbMoonIlluminated}) {
        phase->setToolTip(Q(v.phase.hint));
        phase->setVisible(moon);
    }

    lbCoordinates->setText(Q(v.coordinatesCaption));
    lbCoordinates->setFont(captionFont);
    lbCoordinates->setToolTip(Q(v.coordinatesHint));
    lbLatitude->setText(Q(v.latitude));
    lbLongitude->setText(Q(v.longitude));

    // The upper row holds the last change of regime and the lower row the
    // next one; the date that is the shown date is black.
    lbSummerTime->setText(Q(v.summer.upper.caption));
    lbWinterTime->setText(Q(v.summer.lower.caption));
    lbDaysSummerTime->setText(Q(v.summer.daysCaption));
    for (QLabel* caption : {lbSummerTime, lbWinterTime, lbDaysSummerTime})
        FitCaption(caption, font());
    upperRowDate_ = ToQDate(v.summer.upper.date);
    lowerRowDate_ = ToQDate(v.summer.lower.date);
    lbSummerStartHour->setText(Q(v.summer.upper.dateText));
    lbWinterStartHour->setText(Q(v.summer.lower.dateText));
    lbSummerDuration->setText(Q(v.summer.dayCount));
    lbSummerDuration->setToolTip(Q(v.summer.dayCountHint));
    SetTextColour(lbSummerStartHour, v.summer.upper.role, palette());
    SetTextColour(lbSummerTime, v.summer.upper.role, palette());
    SetTextColour(lbWinterStartHour, v.summer.lower.role, palette());
    SetTextColour(lbWinterTime, v.summer.lower.role, palette());

    TrayHint = Q(v.trayHint);
    emit trayHintChanged(TrayHint);
    ShowLightPanel();
}

}  // namespace dawn
