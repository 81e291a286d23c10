#pragma once
// The simple shape: a rectangle, rounded rectangle or ellipse filling the object's bounds,
// outlined with its pen and filled with its brush. The square and circle kinds draw the
// same figures as their rectangle and ellipse kinds: every figure fills the bounds.
#include "document/TGBrush.h"
#include "document/TGGraphicControl.h"
#include "document/TGPen.h"

class TGLabelShapes : public TGGraphicControl {
    Q_OBJECT
  public:
    enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
    Q_ENUM(TShapeType)

  private:
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(TGBrush* Brush READ brush)
    Q_PROPERTY(TGPen* Pen READ pen)
    Q_PROPERTY(qint32 RoundPerc READ roundPerc WRITE setRoundPerc)
    Q_PROPERTY(TShapeType Shape READ shape WRITE setShape)
    Q_CLASSINFO("default.RoundPerc", "25")
    Q_CLASSINFO("default.Shape", "stRectangle")

  public:
    explicit TGLabelShapes(QObject* owner = nullptr);

    bool transparent() const { return transparent_; }
    // True clears the brush style, False makes it solid.
    void setTransparent(bool v);
    TGBrush* brush() { return &brush_; }
    TGPen* pen() { return &pen_; }
    int roundPerc() const { return roundPerc_; }
    void setRoundPerc(int v);
    TShapeType shape() const { return shape_; }
    void setShape(TShapeType v);

    // The canvas pen width at the object's zoom: the stored width at 1.0, otherwise the
    // width times the zoom rounded half to even, and never 0 for a visible pen.
    int zoomedPenWidth() const;

    void buildPopup() override;
    void popupAfterReading() override;
    void paint(platform::Canvas& canvas) override;
    void popupRefresh() override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // Popup commands.
    void backgroundColorCommand();
    void lineColorCommand();
    void thicknessCommand(int width);
    void transparentCommand();
    void roundingCommand(int percent);

  private:
    bool rounded() const { return shape_ == stRoundRect || shape_ == stRoundSquare; }
    bool elliptic() const { return shape_ == stEllipse || shape_ == stCircle; }

    bool transparent_ = false;
    TGBrush brush_;
    TGPen pen_;
    int roundPerc_ = 25;
    TShapeType shape_ = stRectangle;
    bool roundingMenu_ = false; // the kind's rounding when the card was read
    // Of the popup menu, which owns them.
    platform::MenuModel* thicknessMenu_ = nullptr;
    platform::MenuModel::Item* transparentItem_ = nullptr;
};
