#include "TextKinds.h"

#include "TGBusinessCardLabel.h"
#include "document/TGBusinessCardPanel32.h"

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
} // namespace

void registerAll(TGBusinessCardPanel32& surface) {
    surface.classes().add<TGPLabel>();
    surface.classes().add<TGBusinessCardLabel>();
    surface.registerTool(TGBusinessCardPanel32::psLabel, createLabel);
}

} // namespace TextKinds
