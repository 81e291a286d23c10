#pragma once
// Places a dialog in the middle of the main window (the window of its parent, or the
// program's main window for a dialog without a parent), or in the middle of the screen when
// it is the main window itself, there is no main window, or the main window is maximised.
// A dialog there that would cover the widget kept in sight (the card being designed) goes
// to the nearest place beside it on the screen instead, where the screen has room for one.
class QWidget;

namespace platform {

void centerForm(QWidget& form);

// The widget that dialogs placed over its window leave in sight; nullptr for none. A card
// shown at its own size sits where a centred dialog would hide all of it.
void keepInSight(QWidget* area);

} // namespace platform
