#include "ui/places/placeswindow.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include "i18n/labels.h"
#include "present/placelist.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

// Column heads: the designed captions without their padding and colon.
QString Head(const std::string& caption) {
    QString text = Q(caption).trimmed();
    while (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text.trimmed();
}

}  // namespace

PlacesWindow::PlacesWindow(AppState& state, QWidget* parent, MessageBoxes& messages)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("PlacesWindow"));
    Table = new QTableWidget(0, 7, this);
    Table->setObjectName(QStringLiteral("PlacesTable"));
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->setTabKeyNavigation(false);
    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    AddButton = button("AddButton");
    RenameButton = button("RenameButton");
    RemoveButton = button("RemoveButton");
    UpButton = button("UpButton");
    DownButton = button("DownButton");
    ShowButton = button("ShowButton");
    auto* layout = new QGridLayout(this);
    layout->addWidget(Table, 0, 0, 1, 6);
    layout->addWidget(AddButton, 1, 0);
    layout->addWidget(RenameButton, 1, 1);
    layout->addWidget(RemoveButton, 1, 2);
    layout->addWidget(UpButton, 1, 3);
    layout->addWidget(DownButton, 1, 4);
    layout->addWidget(ShowButton, 1, 5);

    connect(AddButton, &QPushButton::clicked, this, &PlacesWindow::AddShownPlace);
    connect(RenameButton, &QPushButton::clicked, this, &PlacesWindow::RenameChosen);
    connect(RemoveButton, &QPushButton::clicked, this, &PlacesWindow::RemoveChosen);
    connect(UpButton, &QPushButton::clicked, this, [this] { MoveChosen(-1); });
    connect(DownButton, &QPushButton::clicked, this, [this] { MoveChosen(1); });
    connect(ShowButton, &QPushButton::clicked, this, &PlacesWindow::ShowChosen);
    connect(Table, &QTableWidget::cellActivated, this, [this] { ShowChosen(); });
    AskName = [this](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, Q(WithoutAccessKey(state_.Label(label::kPlacesRename))),
            Head(state_.Label(label::kPlace)), QLineEdit::Normal, current, &ok);
        if (!ok) return std::nullopt;
        return name;
    };
    resize(640, 320);
}

std::string PlacesWindow::Path() const {
    return state_.AppDir + "/" + kPlacesFileName;
}

void PlacesWindow::PutLabels() {
    const auto label = [this](int n) { return Q(WithoutAccessKey(state_.Label(n))); };
    setWindowTitle(label(label::kMenuPlaces));
    Table->setHorizontalHeaderLabels(
        {Head(state_.Label(label::kPlace)), Head(state_.Label(label::kPlacesZone)),
         Head(state_.Label(label::kSunrise)), Head(state_.Label(label::kSunset)),
         Head(state_.Label(label::kDaylight)), Head(state_.Label(label::kMorningGoldenHour)),
         Head(state_.Label(label::kEveningGoldenHour))});
    AddButton->setText(label(label::kPlacesAdd));
    RenameButton->setText(label(label::kPlacesRename));
    RemoveButton->setText(label(label::kPlacesRemove));
    UpButton->setText(label(label::kPlacesUp));
    DownButton->setText(label(label::kPlacesDown));
    ShowButton->setText(label(label::kPlacesShow));
}

void PlacesWindow::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}

void PlacesWindow::Refresh() {
    PutLabels();
    SavedPlacesReadResult read = ReadSavedPlaces(Path());
    if (!read.error.empty()) {
        messages_.showMessage(this, Q(read.error));
        places_.clear();
        kept_.clear();
        backUp_ = false;
        FillTable(-1);
        return;
    }
    for (const std::string& m : read.messages) messages_.showMessage(this, Q(m));
    places_ = std::move(read.places);
    kept_ = std::move(read.kept);
    backUp_ = read.backUpBeforeSaving;
    FillTable(places_.empty() ? -1 : 0);
}

void PlacesWindow::FillTable(int chosen) {
    const std::vector<PlaceRow> rows =
        PlaceRowsOf(state_.Settings, places_, state_.Today, state_.Today);
    Table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PlaceRow& row = rows[static_cast<std::size_t>(r)];
        const std::string cells[] = {row.name,      row.zone,          row.sunrise,      row.sunset,
                                     row.dayLength, row.morningGolden, row.eveningGolden};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(Q(cells[c]));  // plain text, never rich
            if (!row.problem.empty()) item->setToolTip(Q(row.problem));
            Table->setItem(r, c, item);
        }
    }
    if (chosen >= 0 && chosen < Table->rowCount()) Table->selectRow(chosen);
    const bool any = !places_.empty();
    for (QPushButton* b : {RenameButton, RemoveButton, UpButton, DownButton, ShowButton})
        b->setEnabled(any);
}

int PlacesWindow::Chosen() const {
    const int row = Table->currentRow();
    return row >= 0 && row < static_cast<int>(places_.size()) ? row : -1;
}

bool PlacesWindow::Save() {
    const TextFileResult written = WriteSavedPlaces(Path(), places_, kept_, backUp_);
    if (!written.ok()) {
        messages_.showMessage(this, Q(written.error));
        Refresh();
        return false;
    }
    backUp_ = false;
    return true;
}

void PlacesWindow::AddShownPlace() {
    const SavedPlace shown = SavedPlaceOf(state_.Settings);
    if (const SavedPlace* same = FindSavedPlace(places_, shown.name)) {
        FillTable(static_cast<int>(same - places_.data()));
        return;
    }
    places_.push_back(shown);
    if (Save()) FillTable(static_cast<int>(places_.size()) - 1);
}

void PlacesWindow::RenameChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    SavedPlace& place = places_[static_cast<std::size_t>(chosen)];
    const std::optional<QString> asked = AskName(Q(place.name));
    if (!asked) return;
    const std::string name = asked->trimmed().toStdString();
    SavedPlace renamed = place;
    renamed.name = name;
    const SavedPlace* same = FindSavedPlace(places_, name);
    if (!SavedPlaceLine(renamed) || (same != nullptr && same != &place)) {
        messages_.showMessage(this, QStringLiteral("\"%1\" cannot name a saved place: it is "
                                                   "empty, holds a line break or is taken.")
                                        .arg(*asked));
        return;
    }
    place.name = name;
    if (Save()) FillTable(chosen);
}

void PlacesWindow::RemoveChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    places_.erase(places_.begin() + chosen);
    if (Save()) FillTable(std::min(chosen, static_cast<int>(places_.size()) - 1));
}

void PlacesWindow::MoveChosen(int by) {
    const int chosen = Chosen();
    const int to = chosen + by;
    if (chosen < 0 || to < 0 || to >= static_cast<int>(places_.size())) return;
    std::swap(places_[static_cast<std::size_t>(chosen)], places_[static_cast<std::size_t>(to)]);
    if (Save()) FillTable(to);
}

void PlacesWindow::ShowChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    if (auto problem = UseSavedPlace(places_[static_cast<std::size_t>(chosen)], state_.Settings,
                                     state_.Today)) {
        messages_.showMessage(this, Q(*problem));
        return;
    }
    state_.ShowDate(state_.Shown);
    emit placeChanged();
}

}  // namespace dawn
