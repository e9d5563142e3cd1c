#pragma once
// Texts from files and labels are shown as plain text. Qt takes a text that
// merely looks like rich text (it starts with a tag) for rich text in message
// boxes, labels and tooltips: a settings line holding HTML would show a
// local picture and clickable links. Message boxes (messages.h) and the
// main window's captions are set to plain text; tooltips, which have no such
// setting, go through these.
#include <QString>

class QApplication;

namespace dawn {

// A tooltip text shown as it is written: unchanged when Qt would show it as
// plain text anyway, else escaped (blanks and line breaks kept).
QString PlainToolTip(const QString& text);

// Makes every tooltip of the program show its text as plain text (an event
// filter on the application).
void InstallPlainToolTips(QApplication& app);

}  // namespace dawn
