#include "ui/main/messages.h"

#include <QMessageBox>

namespace dawn {
namespace {

class RealMessageBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QStringLiteral("dawnhelm"), text, QMessageBox::Ok);
    }
    bool confirm(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, QStringLiteral("dawnhelm"), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
};

RealMessageBoxes realBoxes;
MessageBoxes* current = &realBoxes;

}  // namespace

MessageBoxes& Messages() {
    return *current;
}
void SetMessages(MessageBoxes* boxes) {
    current = boxes ? boxes : &realBoxes;
}

}  // namespace dawn
