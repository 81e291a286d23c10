#include "TextKinds.h"

#include "TGBusinessCardLabel.h"
#include "TGMultiLineLabel.h"
#include "TGPCircleText.h"
#include "TGPRichBaseLabel.h"
#include "TGSymbolLabel.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/richtext/RichTextMaster.h"
#include "platform/widgets/DialogHost.h"

namespace TextKinds {

namespace {
// The text tool: a personal-information label reading "Text" in the surface's font,
// placed in the dragged rectangle; its text dialog opens at once, then it fits its text.
void createLabel(TGBusinessCardPanel32& surface, QRect r) {
    auto* label = surface.place<TGBusinessCardLabel>(r, [&surface](TGBusinessCardLabel& l) {
        l.setCaption(QStringLiteral("Text"));
        l.takeFont(surface.font());
    });
    label->editText();
    label->fitToText();
}

// The multi-line tool: the object in the surface's font, its editor at once, then it
// takes the height of its lines. A box the user dragged keeps its width and the text wraps
// inside it; a click, which names no width, lets the object grow to its widest line.
void createMultiLine(TGBusinessCardPanel32& surface, QRect r) {
    auto* text = surface.place<TGMultiLineLabel>(
        r, [&surface](TGMultiLineLabel& t) { t.takeFont(surface.font()); });
    text->editText();
    const QRect band = surface.draggedBand();
    if (band.right() - band.left() >= TGBusinessCardPanel32::minBandWidth) text->setWordWrap(true);
    text->sizeToLines();
}

// The symbol tool: "[" in WingDings until the Symbol Selector, opened at once, picks
// another; then it fits its character.
void createSymbol(TGBusinessCardPanel32& surface, QRect r) {
    auto* symbol = surface.place<TGSymbolLabel>(r);
    symbol->symbolSelectorCommand();
    symbol->fitToText();
}

// The circle text tool returns the surface to pointing and opens the properties at once.
void createCircleText(TGBusinessCardPanel32& surface, QRect r) {
    auto* text = surface.place<TGPCircleText>(r);
    surface.setScreenCursor(platform::Cursor::Default);
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
    text->propertiesCommand();
}

// The rich text tool: a rich text label in the dragged rectangle; its editor opens at once.
void createRichLabel(TGBusinessCardPanel32& surface, QRect r) {
    TGPRichBaseLabel* label = nullptr;
    try {
        label = surface.place<TGPRichBaseLabel>(r);
    } catch (const ENoMasterWPRich& e) {
        platform::showInformation(e.message());
        return;
    }
    surface.setScreenCursor(platform::Cursor::Default);
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
    label->editCommand();
}
} // namespace

void registerAll(TGBusinessCardPanel32& surface) {
    surface.classes().add<TGPLabel>();
    surface.classes().add<TGBusinessCardLabel>();
    surface.classes().add<TGSymbolLabel>();
    surface.classes().add<TGMultiLineLabel>();
    surface.classes().add<TGPCircleText>();
    surface.registerTool(TGBusinessCardPanel32::psLabel, createLabel);
    surface.registerTool(TGBusinessCardPanel32::psSymbolLabel, createSymbol);
    surface.registerTool(TGBusinessCardPanel32::psMultiLineLabel, createMultiLine);
    surface.registerTool(TGBusinessCardPanel32::psCircleText, createCircleText);
    surface.classes().add<TGPRichBaseLabel>();
    surface.registerTool(TGBusinessCardPanel32::psRichLabel, createRichLabel);
    // The engine every rich text label on this surface paints through.
    new platform::RichTextMaster(&surface);
}

} // namespace TextKinds
