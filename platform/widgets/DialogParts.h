#pragma once
// The parts dialogs are built from: widgets named for tests and help, and the closing row
// of "Ok", "Cancel" and "Help" buttons.
#include <QLatin1String>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace platform {

// Gives a new widget its object name and returns it, so that it can be built in one line.
template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The caption and object name of one button; both are the dialog's own.
struct ButtonText {
    const char* caption;
    const char* name;
};

// A dialog's closing row, right-aligned: ok (the default button), cancel, and help, which
// holds the help context in its "HelpContext" property and never takes Enter.
struct ButtonRow {
    // Builds the row; the buttons get parent at once (nullptr: the layout's widget, later),
    // which keeps their place in the dialog's tab order.
    ButtonRow(QWidget* parent, ButtonText okText, ButtonText cancelText, ButtonText helpText,
              int helpContext);

    QHBoxLayout* layout;
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
};

} // namespace platform
