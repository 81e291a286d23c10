#include "ShapeKinds.h"

#include "TBCShapes.h"
#include "TGImage.h"
#include "TGLineShape.h"
#include "TGSuperText.h"
#include "TSuperShape.h"
#include "document/TGBusinessCardPanel32.h"

namespace ShapeKinds {

namespace {
TGBusinessCardPanel32::Tool shapeTool(TGLabelShapes::TShapeType kind) {
    return [kind](TGBusinessCardPanel32& surface, QRect r) {
        surface.place<TBCShapes>(r, [kind](TBCShapes& shape) { shape.setShape(kind); });
    };
}

// A line follows the drag: horizontal when wider than tall, vertical when taller than wide.
// A click (a band too small to keep its size) makes a vertical line down the left edge.
void createLine(TGBusinessCardPanel32& surface, QRect r) {
    const QRect band = surface.draggedBand();
    const int w = band.right() - band.left(), h = band.bottom() - band.top();
    const bool click =
        w < TGBusinessCardPanel32::minBandWidth && h < TGBusinessCardPanel32::minBandHeight;
    const auto style = !click && w > h ? TGLineShape::stHorizontal : TGLineShape::stVertical;
    surface.place<TGLineShape>(r, [style](TGLineShape& line) { line.setLineStyle(style); });
}

// The picture tool returns the surface to pointing and opens the picture dialog at once.
void createImage(TGBusinessCardPanel32& surface, QRect r) {
    auto* image = surface.place<TGImage>(r);
    surface.setScreenCursor(platform::Cursor::Default);
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
    image->loadImageCommand();
}

// The effect shape tool opens the properties dialog on the new shape at once.
void createSuperShape(TGBusinessCardPanel32& surface, QRect r) {
    auto* shape = surface.place<TSuperShape>(r);
    surface.setScreenCursor(platform::Cursor::Default);
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
    shape->propertiesCommand();
}

// The effect text tool likewise opens the properties dialog on the new text at once.
void createSuperText(TGBusinessCardPanel32& surface, QRect r) {
    auto* text = surface.place<TGSuperText>(r);
    surface.setScreenCursor(platform::Cursor::Default);
    surface.setPanelState(TGBusinessCardPanel32::psPointing);
    text->propertiesCommand();
}
} // namespace

void registerAll(TGBusinessCardPanel32& surface) {
    surface.classes().add<TGLabelShapes>();
    surface.classes().add<TBCShapes>();
    surface.classes().add<TGLineShape>();
    surface.classes().add<TGImage>();
    surface.classes().add<TSuperShape>();
    surface.classes().add<TGSuperText>();
    surface.registerTool(TGBusinessCardPanel32::psRectangle, shapeTool(TGLabelShapes::stRectangle));
    surface.registerTool(TGBusinessCardPanel32::psEllipse, shapeTool(TGLabelShapes::stEllipse));
    surface.registerTool(TGBusinessCardPanel32::psRoundRectangle,
                         shapeTool(TGLabelShapes::stRoundRect));
    surface.registerTool(TGBusinessCardPanel32::psLine, createLine);
    surface.registerTool(TGBusinessCardPanel32::psImage, createImage);
    surface.registerTool(TGBusinessCardPanel32::psSuperShape, createSuperShape);
    surface.registerTool(TGBusinessCardPanel32::psSuperText, createSuperText);
}

} // namespace ShapeKinds
