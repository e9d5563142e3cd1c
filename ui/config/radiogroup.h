#pragma once
// RadioGroup: a framed group of radio buttons chosen by item index.
//
// The selection is one index (-1 for none). Setting it from the program emits
// itemIndexChanged exactly like a user's click does, and setting the index
// already selected emits nothing; an index beyond the items is clamped to the
// last item. Items can be added and removed while the group is shown; the
// buttons are laid out down the columns, as many rows as the items need.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace dawn {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& title, int columns = 1, QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    // Selects item `index` (clamped to -1 ... count - 1); emits
    // itemIndexChanged when the selection changes.
    void setItemIndex(int index);

    int count() const { return items_.size(); }
    QStringList items() const { return items_; }
    QString itemText(int index) const { return items_.value(index); }
    void setItems(const QStringList& items);
    // Inserts an item before `index` (at the end when index >= count). The
    // selected item stays selected.
    void insertItem(int index, const QString& text);
    void addItem(const QString& text) { insertItem(count(), text); }
    // Removes an item. When it was the selected one, the selection moves to
    // the item now at its place (the new last item when it was the last) and,
    // as the items changed and not the user's choice, nothing is emitted.
    void removeItem(int index);

    // The radio button of an item, for tests and keyboard focus.
    QRadioButton* button(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    void rebuild();
    void updateFocusProxy();
    void onToggled(int id, bool checked);

    QStringList items_;
    int index_ = -1;
    int columns_;
    bool updating_ = false;
    QButtonGroup* group_;
    QGridLayout* grid_;
    QList<QRadioButton*> buttons_;
};

}  // namespace dawn
