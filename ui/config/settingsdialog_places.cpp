// The settings panel's saved places (Dawnplaces.txt beside the settings):
// the list with its edits, each saved at once as the places window saves
// them, and the choice of a place to show.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>

#include "present/placelist.h"
#include "present/texts.h"
#include "ui/common/messages.h"
#include "ui/config/settingsdialog.h"
#include "ui/config/settingsdialog_impl.h"

namespace dawn {

void SettingsDialog::BuildSavedPlaces() {
    SavedPlacesBox = new QGroupBox(QStringLiteral("Saved places"), PanelConfig);
    SavedPlacesBox->setObjectName(QStringLiteral("SavedPlacesBox"));
    SavedPlacesList = new QListWidget(SavedPlacesBox);
    SavedPlacesList->setObjectName(QStringLiteral("SavedPlacesList"));
    SavedPlacesList->setMaximumHeight(90);
    auto button = [this](const char* name) {
        auto* b = new QPushButton(SavedPlacesBox);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    PlaceAddButton = button("PlaceAddButton");
    PlaceRenameButton = button("PlaceRenameButton");
    PlaceRemoveButton = button("PlaceRemoveButton");
    PlaceUpButton = button("PlaceUpButton");
    PlaceDownButton = button("PlaceDownButton");
    PlaceShowButton = button("PlaceShowButton");
    auto* buttons = new QGridLayout;
    buttons->addWidget(PlaceAddButton, 0, 0);
    buttons->addWidget(PlaceShowButton, 0, 1);
    buttons->addWidget(PlaceRenameButton, 1, 0);
    buttons->addWidget(PlaceRemoveButton, 1, 1);
    buttons->addWidget(PlaceUpButton, 2, 0);
    buttons->addWidget(PlaceDownButton, 2, 1);
    auto* row = new QHBoxLayout(SavedPlacesBox);
    row->addWidget(SavedPlacesList, 1);
    row->addLayout(buttons);

    connect(PlaceAddButton, &QPushButton::clicked, this, [this] { SavedPlaceAddClick(); });
    connect(PlaceRenameButton, &QPushButton::clicked, this, [this] { SavedPlaceRenameClick(); });
    connect(PlaceRemoveButton, &QPushButton::clicked, this, [this] { SavedPlaceRemoveClick(); });
    connect(PlaceUpButton, &QPushButton::clicked, this, [this] { SavedPlaceMoveClick(-1); });
    connect(PlaceDownButton, &QPushButton::clicked, this, [this] { SavedPlaceMoveClick(1); });
    connect(PlaceShowButton, &QPushButton::clicked, this, [this] { SavedPlaceShowClick(); });
    connect(SavedPlacesList, &QListWidget::itemActivated, this, [this] { SavedPlaceShowClick(); });
    AskPlaceName = [this](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, Q(d->form.placeButtons[1]), PlaceBox->title(), QLineEdit::Normal, current, &ok);
        if (!ok) return std::nullopt;
        return name;
    };
}

void SettingsDialog::RefreshSavedPlaces() {
    d->places.path = d->state.AppDir + "/" + kPlacesFileName;
    for (const std::string& m : ReadPlaceList(d->places)) d->messages.showMessage(this, Q(m));
    ShowSavedPlaces(d->places.places.empty() ? -1 : 0);
}

void SettingsDialog::ShowSavedPlaces(int chosen) {
    const QSignalBlocker block(SavedPlacesList);
    SavedPlacesList->clear();
    for (const SavedPlace& p : d->places.places) SavedPlacesList->addItem(Q(p.name));
    if (IsRowOf(d->places, chosen)) SavedPlacesList->setCurrentRow(chosen);
    const bool any = !d->places.places.empty();
    for (QPushButton* b :
         {PlaceRenameButton, PlaceRemoveButton, PlaceUpButton, PlaceDownButton, PlaceShowButton})
        b->setEnabled(any);
}

const std::vector<SavedPlace>& SettingsDialog::SavedPlaces() const {
    return d->places.places;
}

int SettingsDialog::ChosenSavedPlace() const {
    const int row = SavedPlacesList->currentRow();
    return IsRowOf(d->places, row) ? row : -1;
}

void SettingsDialog::ShowPlaceEdit(const PlaceListEdit& edit) {
    if (edit.message) d->messages.showMessage(this, Q(*edit.message));
    if (edit.saveFailed) {
        RefreshSavedPlaces();
    } else {
        ShowSavedPlaces(edit.chosen);
    }
    // The places window lists them too.
    if (edit.written) emit savedPlacesChanged();
}

void SettingsDialog::SavedPlaceAddClick() {
    ShowPlaceEdit(AddShownPlace(d->places, d->state.Settings));
}

void SettingsDialog::SavedPlaceRenameClick() {
    const int chosen = ChosenSavedPlace();
    if (chosen < 0) return;
    const std::optional<QString> asked =
        AskPlaceName(Q(d->places.places[static_cast<std::size_t>(chosen)].name));
    if (!asked) return;
    const PlaceListEdit edit = RenamePlace(d->places, chosen, asked->toStdString());
    // A refused name leaves the list as it is shown.
    if (edit.message && !edit.saveFailed) {
        d->messages.showMessage(this, Q(*edit.message));
        return;
    }
    ShowPlaceEdit(edit);
}

void SettingsDialog::SavedPlaceRemoveClick() {
    const int chosen = ChosenSavedPlace();
    if (chosen < 0) return;
    ShowPlaceEdit(RemovePlace(d->places, chosen));
}

void SettingsDialog::SavedPlaceMoveClick(int by) {
    const int chosen = ChosenSavedPlace();
    if (chosen < 0 || !IsRowOf(d->places, chosen + by)) return;
    ShowPlaceEdit(MovePlace(d->places, chosen, by));
}

void SettingsDialog::SavedPlaceShowClick() {
    const int chosen = ChosenSavedPlace();
    if (chosen < 0) return;
    AppState& st = d->state;
    if (auto problem = UseSavedPlace(d->places.places[static_cast<std::size_t>(chosen)],
                                     st.Settings, st.Today)) {
        d->messages.showMessage(this, Q(*problem));
        return;
    }
    d->form = WithSettingsShown(d->form, st, st.Settings);
    ApplyEdits();
}

}  // namespace dawn
