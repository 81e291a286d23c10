#pragma once
// Places a dialog in the middle of the main window (the window of its parent), or in the
// middle of the screen when it is the main window itself, has no parent, or the main window
// is maximised.
class QWidget;

namespace platform {

void CenterForm(QWidget& form);

} // namespace platform
