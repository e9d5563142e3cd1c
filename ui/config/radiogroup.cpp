#include "ui/config/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace dawn {

RadioGroup::RadioGroup(const QString& title, int columns, QWidget* parent)
    : QGroupBox(title, parent),
      columns_(std::max(1, columns)),
      group_(new QButtonGroup(this)),
      grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(6, 2, 6, 2);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(0);
    connect(group_, &QButtonGroup::idToggled, this, &RadioGroup::onToggled);
}

void RadioGroup::setItemIndex(int index) {
    index = std::clamp(index, -1, static_cast<int>(items_.size()) - 1);
    if (index == index_) return;
    index_ = index;
    updating_ = true;
    if (index_ < 0) {
        group_->setExclusive(false);
        for (QRadioButton* b : buttons_) b->setChecked(false);
        group_->setExclusive(true);
    } else {
        buttons_[index_]->setChecked(true);
    }
    updating_ = false;
    updateFocusProxy();
    emit itemIndexChanged(index_);
}

void RadioGroup::updateFocusProxy() {
    // The group takes the focus on its selected button, or on its first.
    setFocusProxy(buttons_.value(index_ >= 0 ? index_ : 0));
}

void RadioGroup::setItems(const QStringList& items) {
    items_ = items;
    // Like any change of the items, a replaced list keeps the index if it
    // still exists, without a change signal.
    index_ = std::min(index_, static_cast<int>(items_.size()) - 1);
    rebuild();
}

void RadioGroup::insertItem(int index, const QString& text) {
    index = std::clamp(index, 0, static_cast<int>(items_.size()));
    items_.insert(index, text);
    if (index_ >= index) ++index_;
    rebuild();
}

void RadioGroup::removeItem(int index) {
    if (index < 0 || index >= items_.size()) return;
    items_.removeAt(index);
    if (index_ > index || index_ >= items_.size()) --index_;
    rebuild();
}

QRadioButton* RadioGroup::button(int index) const {
    return buttons_.value(index);
}

void RadioGroup::rebuild() {
    updating_ = true;
    setFocusProxy(nullptr);  // its button may go below
    const int n = items_.size();
    while (buttons_.size() > n) {
        QRadioButton* b = buttons_.takeLast();
        group_->removeButton(b);
        delete b;
    }
    while (buttons_.size() < n) {
        auto* b = new QRadioButton(this);
        group_->addButton(b, buttons_.size());
        buttons_.append(b);
    }
    const int rows = (n + columns_ - 1) / columns_;
    for (int i = 0; i < n; ++i) {
        QRadioButton* b = buttons_[i];
        b->setText(items_[i]);
        grid_->removeWidget(b);
        grid_->addWidget(b, i % std::max(1, rows), i / std::max(1, rows));
    }
    group_->setExclusive(false);
    for (int i = 0; i < n; ++i) buttons_[i]->setChecked(i == index_);
    group_->setExclusive(true);
    updating_ = false;
    updateFocusProxy();
}

void RadioGroup::onToggled(int id, bool checked) {
    if (updating_ || !checked || id == index_) return;
    index_ = id;
    updateFocusProxy();
    emit itemIndexChanged(index_);
}

}  // namespace dawn
