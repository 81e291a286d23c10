#include "TGMultiLineLabel.h"

#include "TMultiLineTextEditor.h"
#include "platform/widgets/DialogHost.h"

void TGMultiLineLabel::buildPopup() {
    TGMultiLineBaseLabel::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Text"), [this] { editText(); });
    wordWrapItem_ = &m.add(QStringLiteral("Word Wrap"), [this] { toggleWordWrapCommand(); });
    wordWrapItem_->checked = wordWrap();
}

bool TGMultiLineLabel::editText() {
    TMultiLineTextEditor editor;
    editor.setEditorFont(displayFont());
    editor.setLines(lines());
    if (platform::DialogHost::current().exec(editor) != QDialog::Accepted) return false;
    setLines(editor.lines());
    repaint();
    wrapStep();
    flagChanged();
    return true;
}

void TGMultiLineLabel::toggleWordWrapCommand() {
    setWordWrap(!wordWrap());
    wordWrapItem_->checked = wordWrap();
}
