// The light panel: the blue and golden hours of the shown date, the visible
// sunrise and sunset and the user's own events (present/lightpanel.h), copied
// into rows that are made as the panel needs them.
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

#include "present/lightpanel.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"
#include "ui/main/mainwindow.h"

namespace dawn {

bool MainWindow::IsLightCaption(QObject* watched) const {
    return std::any_of(LightRows.begin(), LightRows.end(),
                       [watched](const std::array<QLabel*, 3>& row) { return row[0] == watched; });
}

void MainWindow::ShowLightPanel() {
    // Computed only while it shows: the other panels do not wait for it.
    if (PnLight->isHidden()) return;
    const LightPanelView view = ShownLightPanel(state_);
    std::vector<const LightRowView*> rows;
    for (const LightRowView& row : view.rows) rows.push_back(&row);
    for (const LightRowView& row : view.more) rows.push_back(&row);

    while (LightRows.size() > rows.size()) {
        keyTargets_.removeAll(LightRows.back()[0]);
        for (QLabel* label : LightRows.back()) delete label;
        LightRows.pop_back();
    }
    while (LightRows.size() < rows.size()) {
        const QString n = QString::number(LightRows.size());
        std::array<QLabel*, 3> row{};
        const char* kNames[3] = {"lbLight%1", "lbLight%1Start", "lbLight%1End"};
        for (std::size_t c = 0; c < row.size(); ++c) {
            row[c] = new QLabel(LightArea);
            row[c]->setObjectName(QString::fromLatin1(kNames[c]).arg(n));
            row[c]->setTextFormat(Qt::PlainText);
            row[c]->setProperty("dawnRightOpensSetup", true);
            row[c]->installEventFilter(this);
            row[c]->show();
        }
        row[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The caption takes the focus by Tab and acts on Enter or Space,
        // as the twilight panel's captions do.
        row[0]->setFocusPolicy(Qt::TabFocus);
        keyTargets_ << row[0];
        LightRows.push_back(row);
    }

    PnLight->setToolTip(Q(view.hint));
    QFont font = lbSunrise->font();
    font.setPointSize(std::max(7, font.pointSize() - 1));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const LightRowView& row = *rows[r];
        const std::array<QLabel*, 3>& c = LightRows[r];
        for (QLabel* label : c) label->setFont(font);
        // A name of the user's own that is longer than its box ends in an
        // ellipsis; its hint holds it whole.
        const QString caption = Q(row.caption);
        const QString shown = QFontMetrics(font).elidedText(caption, Qt::ElideRight,
                                                            std::max(1, lightColumns_[0] - 2));
        c[0]->setText(shown);
        c[0]->setToolTip(shown == caption ? QString() : caption);
        c[1]->setText(Q(row.start));
        c[2]->setText(Q(row.end));
        c[0]->setAccessibleName(Q(row.spoken));
        for (QLabel* time : {c[1], c[2]}) time->setAccessibleName(Q(row.spoken));
    }
    LayLightRows();
}

void MainWindow::LayLightRows() {
    if (LightArea == nullptr || lightRowHeight_ <= 0) return;
    const int rows = static_cast<int>(LightRows.size());
    for (int r = 0; r < rows; ++r) {
        const std::array<QLabel*, 3>& c = LightRows[static_cast<std::size_t>(r)];
        const int y = 3 + r * lightRowHeight_;
        int x = 4;
        for (std::size_t k = 0; k < c.size(); ++k) {
            c[k]->setGeometry(x, y, lightColumns_[k], lightRowHeight_);
            x += lightColumns_[k];
        }
    }
    // The box the rows scroll in: the panel within its frame, beside the
    // scroll bar (the viewport has no size of its own before it first shows).
    const int width = PnLight->width() - 2 * PnLight->frameWidth() -
                      PnLight->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    LightArea->resize(width, std::max(PnLight->viewport()->height(), 6 + rows * lightRowHeight_));
}

}  // namespace dawn
