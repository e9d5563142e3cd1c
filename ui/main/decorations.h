#pragma once
// Controls that only decorate (the "+" and "-" beside a change, the "¤"
// sign, a change shown twice) are kept out of a screen reader's way: they
// stay in the window but tell assistive technology that they are invisible
// and have no text.
class QWidget;

namespace dawn {

// Marks `widget` as a decoration. The first call installs the accessibility
// factory that reads the mark.
void MarkDecoration(QWidget* widget);

}  // namespace dawn
