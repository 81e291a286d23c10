#pragma once
// The brush a shape fills with; embedded as "Brush" (Brush.Color, Brush.Style).
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/TColor.h"

#include <QObject>

#include <functional>

class TGBrush : public QObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(Gdi::TBrushStyle Style READ style WRITE setStyle)
    Q_CLASSINFO("default.Color", "clWhite")
    Q_CLASSINFO("default.Style", "bsSolid")

  public:
    explicit TGBrush(QObject* parent = nullptr) : QObject(parent) {}

    TColor color() const { return brush_.color; }
    Gdi::TBrushStyle style() const { return brush_.style; }
    void setColor(TColor v);
    void setStyle(Gdi::TBrushStyle v);

    const platform::Canvas::Brush& value() const { return brush_; }

    // Runs after every change, however made (a command or a card file). A callback rather
    // than a signal: every shape has a pen and most a brush, and a connection costs some
    // 300 bytes.
    std::function<void()> onChanged;

  private:
    void changed() const {
        if (onChanged) onChanged();
    }
    platform::Canvas::Brush brush_;
};
