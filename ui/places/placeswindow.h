#pragma once
// The places window: every saved place (Dawnplaces.txt beside the settings)
// with its sunrise, sunset and day length of today, each on its own clock, as
// a world clock shows them. The shown place is added to the list here, and the
// list is renamed, trimmed and reordered; "Show this place" (or a double
// click, or Enter on a row) makes a place the shown one.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/savedplaces.h"
#include "present/appstate.h"
#include "present/placelist.h"
#include "ui/common/messages.h"

class QPushButton;
class QTableWidget;

namespace dawn {

class PlacesWindow : public QDialog {
    Q_OBJECT
public:
    PlacesWindow(AppState& state, QWidget* parent, MessageBoxes& messages = RealMessageBoxes());

    // Reads the places file again and fills the list for today; file
    // problems are shown once.
    void Refresh();
    // Seam for tests: asks for a place's new name; nothing for a cancel.
    std::function<std::optional<QString>(const QString& current)> AskName;

    const std::vector<SavedPlace>& Places() const { return list_.places; }

    QTableWidget* Table = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RenameButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QPushButton* UpButton = nullptr;
    QPushButton* DownButton = nullptr;
    QPushButton* ShowButton = nullptr;

    void AddShownPlace();
    void RenameChosen();
    void RemoveChosen();
    void MoveChosen(int by);
    void ShowChosen();

signals:
    // The shown place is another one: the main window shows the day again.
    void placeChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int Chosen() const;
    // The outcome of an edit: its message shown, the list read again after a
    // failed save.
    void Show(const PlaceListEdit& edit);
    void FillTable(int chosen);
    void PutLabels();

    AppState& state_;
    MessageBoxes& messages_;
    PlaceList list_;
};

}  // namespace dawn
