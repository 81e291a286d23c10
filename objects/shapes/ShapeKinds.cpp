#include "ShapeKinds.h"

#include "TBCShapes.h"
#include "TGLineShape.h"
#include "document/TGBusinessCardPanel32.h"

namespace ShapeKinds {

namespace {
TGBusinessCardPanel32::Tool shapeTool(TGLabelShapes::TShapeType kind)
{
    return [kind](TGBusinessCardPanel32& surface, QRect r) {
        auto* shape = new TBCShapes(surface.owner());
        shape->setShape(kind);
        shape->buildPopup();
        surface.AddObject(shape, r);
    };
}

// A new line starts vertical: it runs down the left edge of the dragged band.
void createLine(TGBusinessCardPanel32& surface, QRect r)
{
    auto* line = new TGLineShape(surface.owner());
    line->setLineStyle(TGLineShape::stVertical);
    line->buildPopup();
    surface.AddObject(line, r);
}
} // namespace

void registerAll(TGBusinessCardPanel32& surface)
{
    surface.classes().add<TGLabelShapes>();
    surface.classes().add<TBCShapes>();
    surface.classes().add<TGLineShape>();
    surface.registerTool(TGBusinessCardPanel32::psRectangle, shapeTool(TGLabelShapes::stRectangle));
    surface.registerTool(TGBusinessCardPanel32::psEllipse, shapeTool(TGLabelShapes::stEllipse));
    surface.registerTool(TGBusinessCardPanel32::psRoundRectangle, shapeTool(TGLabelShapes::stRoundRect));
    surface.registerTool(TGBusinessCardPanel32::psLine, createLine);
}

} // namespace ShapeKinds
