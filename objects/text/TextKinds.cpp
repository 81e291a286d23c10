#include "TextKinds.h"

#include "TGBusinessCardLabel.h"
#include "TGPRichBaseLabel.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/DialogHost.h"
#include "platform/RichTextMaster.h"

namespace TextKinds {

namespace {
// The text tool: a personal-information label reading "Text" in the surface's font,
// placed in the dragged rectangle; its text dialog opens at once, then it fits its text.
void createLabel(TGBusinessCardPanel32& surface, QRect r) {
    auto* label = new TGBusinessCardLabel(surface.owner());
    label->setSurface(&surface);
    label->buildPopup();
    label->setCaption(QStringLiteral("Text"));
    label->takeFont(surface.font());
    surface.AddObject(label, r);
    label->editText();
    label->fitToText();
}

// The rich text tool: a rich text label in the dragged rectangle; its editor opens at once.
void createRichLabel(TGBusinessCardPanel32& surface, QRect r) {
    auto* label = new TGPRichBaseLabel(surface.owner());
    label->setSurface(&surface);
    try {
        label->buildPopup();
    } catch (const ENoMasterWPRich& e) {
        delete label;
        platform::ShowInformation(e.message());
        return;
    }
    surface.AddObject(label, r);
    surface.setScreenCursor(platform::Cursor::Default);
    surface.SetPanelState(TGBusinessCardPanel32::psPointing);
    label->editCommand();
}
} // namespace

void registerAll(TGBusinessCardPanel32& surface) {
    surface.classes().add<TGPLabel>();
    surface.classes().add<TGBusinessCardLabel>();
    surface.registerTool(TGBusinessCardPanel32::psLabel, createLabel);
    surface.classes().add<TGPRichBaseLabel>();
    surface.registerTool(TGBusinessCardPanel32::psRichLabel, createRichLabel);
    // The engine every rich text label on this surface paints through.
    new platform::RichTextMaster(&surface);
}

} // namespace TextKinds
