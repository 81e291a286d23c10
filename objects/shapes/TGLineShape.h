#pragma once
// The line object: one straight line inside its bounds, along the top edge, down the left
// edge, or along one of the two diagonals, drawn with its pen.
#include "document/TGGraphicControl.h"
#include "document/TGPen.h"

class TGLineShape : public TGGraphicControl {
    Q_OBJECT
  public:
    enum TLineStyle { stHorizontal, stVertical, stAngleSlopingUp, stAngleSlopingDown };
    Q_ENUM(TLineStyle)

  private:
    Q_PROPERTY(TLineStyle LineStyle READ lineStyle WRITE setLineStyle)
    Q_PROPERTY(TGPen* Pen READ pen)
    Q_CLASSINFO("default.LineStyle", "stHorizontal")

  public:
    explicit TGLineShape(QObject* owner = nullptr);

    TLineStyle lineStyle() const { return lineStyle_; }
    void setLineStyle(TLineStyle v);
    TGPen* pen() { return &pen_; }

    // The canvas pen width at the object's zoom: the stored width at 1.0, otherwise the
    // width times the zoom rounded half to even (0 draws the thinnest line).
    int zoomedPenWidth() const;

    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    void popupRefresh() override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // Popup commands.
    void styleCommand(TLineStyle style);
    void colorCommand();
    void thicknessCommand(int width);
    void stretchToEdgesCommand();

  private:
    TLineStyle lineStyle_ = stHorizontal;
    TGPen pen_;
    // Submenus of the popup menu, which owns them.
    platform::MenuModel* styleMenu_ = nullptr;
    platform::MenuModel* thicknessMenu_ = nullptr;
};
