#pragma once
// The effect shape: a rectangle, rounded rectangle, ellipse, diamond, star, regular
// polygon or one of four triangles, with a drop shadow, a transparent, solid, textured or
// gradient surface clipped to the figure, and an outline. The figure and its shadow are
// laid out in the object's box from the outline width and the shadow's depth and side.
#include "TGEffectControl.h"
#include "platform/drawing/Gdi.h"

#include <QPolygon>

class QPainterPath;

class TSuperShape : public TGEffectControl {
    Q_OBJECT
  public:
    enum TSurfaceType { stBrushTransparent, stBrushPattern, stBrushImage, stGradientFill };
    Q_ENUM(TSurfaceType)
    enum TShadowOrient { soNone, soLowerRight, soUpperRight, soUpperLeft, soLowerLeft };
    Q_ENUM(TShadowOrient)
    enum TGPShapeType {
        gstRectangle,
        gstRoundRect,
        gstEllipse,
        gstDiamond,
        gstStar,
        gstTriangleLeft,
        gstTriangleRight,
        gstTriangleUp,
        gstTriangleDown,
        gstPolyGon
    };
    Q_ENUM(TGPShapeType)

  private:
    // No declared defaults: every property is always written.
    Q_PROPERTY(TColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(Effect::TFillDirection FillDirection READ fillDirection WRITE setFillDirection)
    Q_PROPERTY(TColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(TColor GradientToColor READ gradientToColor WRITE setGradientToColor)
    Q_PROPERTY(TGBitmap* Image READ image)
    Q_PROPERTY(qint32 InVectorPercent READ inVectorPercent WRITE setInVectorPercent)
    Q_PROPERTY(TColor OutlineColor READ outlineColor WRITE setOutlineColor)
    Q_PROPERTY(Gdi::TPenStyle OutlineStyle READ outlineStyle WRITE setOutlineStyle)
    Q_PROPERTY(qint32 OutlineWidth READ outlineWidth WRITE setOutlineWidth)
    Q_PROPERTY(Gdi::TBrushStyle Pattern READ pattern WRITE setPattern)
    Q_PROPERTY(qint32 RoundPerc READ roundPerc WRITE setRoundPerc)
    Q_PROPERTY(TColor ShadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(qint32 ShadowDepth READ shadowDepth WRITE setShadowDepth)
    Q_PROPERTY(TShadowOrient ShadowOrient READ shadowOrient WRITE setShadowOrient)
    Q_PROPERTY(TGPShapeType Shape READ shape WRITE setShape)
    Q_PROPERTY(qint32 StartingAngle READ startingAngle WRITE setStartingAngle)
    Q_PROPERTY(TSurfaceType SurfaceType READ surfaceType WRITE setSurfaceType)
    Q_PROPERTY(qint32 Vectors READ vectors WRITE setVectors)
    Q_PROPERTY(QString LastBitmapFileNameandPath READ lastBitmapFileNameandPath WRITE
                   setLastBitmapFileNameandPath)

  public:
    // Widths and depths beyond this many pixels are refused: the layout adds and
    // subtracts them, and a value from a broken file must not overflow those sums.
    static constexpr int maxLineWidth = 1024;

    explicit TSuperShape(QObject* owner = nullptr);

    TColor backColor() const { return backColor_; }
    void setBackColor(TColor v);
    TColor foreColor() const { return foreColor_; }
    void setForeColor(TColor v);
    int inVectorPercent() const { return inVectorPercent_; }
    void setInVectorPercent(int v); // 0 to 100
    TColor outlineColor() const { return outlineColor_; }
    void setOutlineColor(TColor v);
    Gdi::TPenStyle outlineStyle() const { return outlineStyle_; }
    void setOutlineStyle(Gdi::TPenStyle v);
    int outlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(int v); // 0 to maxLineWidth
    Gdi::TBrushStyle pattern() const { return pattern_; }
    void setPattern(Gdi::TBrushStyle v);
    int roundPerc() const { return roundPerc_; }
    void setRoundPerc(int v); // 0 to 100
    TColor shadowColor() const { return shadowColor_; }
    void setShadowColor(TColor v);
    int shadowDepth() const { return shadowDepth_; }
    // Refused while the depth held exceeds half the width or half the height.
    void setShadowDepth(int v);
    TShadowOrient shadowOrient() const { return shadowOrient_; }
    void setShadowOrient(TShadowOrient v);
    TGPShapeType shape() const { return shape_; }
    // A star forces a non-zero inward percentage, at least 10 vectors and 90 degrees.
    void setShape(TGPShapeType v);
    int startingAngle() const { return startingAngle_; }
    void setStartingAngle(int v); // 0 to 359
    TSurfaceType surfaceType() const { return surfaceType_; }
    void setSurfaceType(TSurfaceType v);
    int vectors() const { return vectors_; }
    void setVectors(int v); // 3 to 60

    // Takes every stored property of another shape as it is, side effects aside, and
    // its zoom (a dialog's sample).
    void assignFrom(const TSuperShape& other);

    TColor gradientStartColor() const override { return backColor_; }
    bool hasGradientSurface() const override { return surfaceType_ == stGradientFill; }
    const QImage& solidBitmap() const { return solid_; }

    // --- geometry, in object pixels at the current zoom
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Box&, const Box&) = default;
    };
    // A figure: the box of a rectangle, rounded rectangle or ellipse, or a polygon.
    struct Figure {
        enum Kind { Rectangle, RoundRect, Ellipse, Polygon } kind = Rectangle;
        Box box;
        int corner = 0;
        QPolygon points;
    };
    // The shadow depth at the current zoom.
    int zoomedShadowDepth() const;
    Box figureBox() const;
    // The shadow's box; empty (all 0) without a shadow.
    Box shadowBox() const;
    bool hasShadow() const { return shadowOrient_ != soNone; }
    Figure figureOn(const Box& box) const;
    // The star (or regular polygon) in a box: exactly Vectors vertices.
    QPolygon starPolygon(const Box& box) const;
    // The figure's outline as a clip path in the given coordinates: the figure's own, or
    // scaled by (sx, sy) and moved by offset for the printed page.
    static QPainterPath clipPath(const Figure& figure);

    // --- virtual operations
    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // The "Properties" command: the properties dialog on this shape.
    void propertiesCommand();

  private:
    void rebuildSolid();
    void drawFigure(platform::Canvas& canvas, const Figure& figure) const;
    // A box of the object, in card pixels.
    QRect cardPixels(const Box& box) const;
    void printFigure(platform::Report& report, const Figure& figure, const PrintFrame& f, double x0,
                     double y0) const;
    QPainterPath printClip(platform::Report& report, const Figure& figure, const PrintFrame& f,
                           double x0, double y0) const;

    TColor backColor_ = TColor::clRed;
    TColor foreColor_ = TColor::clBlack;
    int inVectorPercent_ = 50;
    TColor outlineColor_ = TColor::clBlack;
    Gdi::TPenStyle outlineStyle_ = Gdi::psSolid;
    int outlineWidth_ = 1;
    Gdi::TBrushStyle pattern_ = Gdi::bsClear;
    int roundPerc_ = 25;
    TColor shadowColor_ = TColor::clBlack;
    int shadowDepth_ = 5;
    TShadowOrient shadowOrient_ = soNone;
    TGPShapeType shape_ = gstStar;
    int startingAngle_ = 90;
    TSurfaceType surfaceType_ = stGradientFill;
    int vectors_ = 10;
    // The solid surface's work bitmap (uniformly BackColor).
    QImage solid_;
};
