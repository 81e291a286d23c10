#include "EveryKindCard.h"

#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGImage.h"
#include "objects/shapes/TGLineShape.h"
#include "objects/shapes/TGSuperText.h"
#include "objects/shapes/TSuperShape.h"
#include "objects/text/TGBusinessCardLabel.h"
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TGPCircleText.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TGSymbolLabel.h"
#include "platform/pictures/Graphic.h"

namespace EveryKindCard {

void addTo(TGBusinessCardPanel32& s) {
    auto* box = s.place<TBCShapes>(QRect(QPoint(4, 4), QPoint(120, 70)));
    box->setShape(TGLabelShapes::stRoundRect);
    box->pen()->setWidth(3);
    s.place<TBCShapes>(QRect(QPoint(250, 120), QPoint(320, 180)))
        ->setShape(TGLabelShapes::stEllipse);
    s.place<TGLineShape>(QRect(QPoint(10, 100), QPoint(200, 104)));

    auto* shape = s.place<TSuperShape>(QRect(QPoint(200, 130), QPoint(260, 185)));
    shape->setShadowDepth(4);

    auto* effect = s.place<TGSuperText>(QRect(QPoint(130, 8), QPoint(270, 40)));
    effect->setCaption(QStringLiteral("Sunrise"));
    effect->fitToText();

    platform::Graphic flag;
    flag.loadFromFile(QStringLiteral(ORLANTO_FIXTURES "/pictures/flag.gif"));
    s.place<TGImage>(QRect(QPoint(280, 10), QPoint(326, 40)))->picture()->setGraphic(flag);

    auto* label = s.place<TGBusinessCardLabel>(QRect(QPoint(12, 12), QPoint(110, 30)));
    label->setCaption(QStringLiteral("Jane Baker"));
    label->setDepthShadow(2);
    label->fitToText();
    auto* turned = s.place<TGBusinessCardLabel>(QRect(QPoint(6, 110), QPoint(26, 180)));
    turned->setCaption(QStringLiteral("Upward"));
    turned->setAngle(90);

    s.place<TGSymbolLabel>(QRect(QPoint(130, 50), QPoint(160, 80)));
    auto* turnedSymbol = s.place<TGSymbolLabel>(QRect(QPoint(170, 50), QPoint(200, 80)));
    turnedSymbol->setCaption(QStringLiteral("("));
    turnedSymbol->setAngle(90);

    auto* lines = s.place<TGMultiLineLabel>(QRect(QPoint(40, 110), QPoint(190, 140)));
    lines->setWordWrap(true);
    lines->setLines({QStringLiteral("Fresh bread every morning from six, cakes to order "
                                    "and coffee all day long")});
    lines->sizeToLines();

    auto* circle = s.place<TGPCircleText>(QRect(QPoint(40, 140), QPoint(190, 190)));
    circle->setCaption(QStringLiteral("Baked with care since 1987"));

    auto* rich = s.place<TGPRichBaseLabel>(QRect(QPoint(210, 60), QPoint(330, 110)));
    rich->setRtf(QByteArrayLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 "
                                   "Order {\\b online} at bakery.example\\par}"));
    s.handle().clear();
    s.settleLayout();
}
} // namespace EveryKindCard
