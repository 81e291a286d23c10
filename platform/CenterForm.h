#pragma once
// Places a dialog in the middle of the main window (the window of its parent, or the
// program's main window for a dialog without a parent), or in the middle of the screen when
// it is the main window itself, there is no main window, or the main window is maximised.
class QWidget;

namespace platform {

void CenterForm(QWidget& form);

} // namespace platform
