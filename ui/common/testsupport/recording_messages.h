#pragma once
// A message-box seam for tests: records every text and answers questions
// with a preset reply. Hand it to the window under test.
#include <QStringList>

#include "ui/common/messages.h"

namespace dawn::test {

class RecordingMessages final : public MessageBoxes {
public:
    void showMessage(QWidget*, const QString& text) override { shown << text; }
    bool confirm(QWidget*, const QString& text) override {
        asked << text;
        return reply;
    }
    QStringList shown;
    QStringList asked;
    bool reply = true;
};

}  // namespace dawn::test
