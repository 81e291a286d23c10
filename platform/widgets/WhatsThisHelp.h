#pragma once
// What's-this help for a dialog: every control gets a one-line help text from its hint or
// caption, the dialog answers Shift+F1, and its button row gains a "?" button, since a
// title-bar help button depends on the window manager. Idempotent.
class QDialog;

namespace platform {

void addWhatsThisHelp(QDialog& dialog);

} // namespace platform
