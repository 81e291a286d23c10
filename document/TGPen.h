#pragma once
// The pen a shape or line draws its outline with; embedded in objects as "Pen", so its
// properties are stored as Pen.Color, Pen.Mode, Pen.Style and Pen.Width.
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/TColor.h"

#include <QObject>

#include <functional>

class TGPen : public QObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(Gdi::TPenMode Mode READ mode WRITE setMode)
    Q_PROPERTY(Gdi::TPenStyle Style READ style WRITE setStyle)
    Q_PROPERTY(qint32 Width READ width WRITE setWidth)
    Q_CLASSINFO("default.Color", "clBlack")
    Q_CLASSINFO("default.Mode", "pmCopy")
    Q_CLASSINFO("default.Style", "psSolid")
    Q_CLASSINFO("default.Width", "1")

  public:
    explicit TGPen(QObject* parent = nullptr) : QObject(parent) {}

    TColor color() const { return pen_.color; }
    Gdi::TPenMode mode() const { return pen_.mode; }
    Gdi::TPenStyle style() const { return pen_.style; }
    qint32 width() const { return pen_.width; }
    // The width within ±platform::Canvas::maxPenWidth, for layouts that add and halve it:
    // a stored width may be any int.
    int boundedWidth() const {
        return std::clamp(pen_.width, -platform::Canvas::maxPenWidth,
                          platform::Canvas::maxPenWidth);
    }
    void setColor(TColor v);
    void setMode(Gdi::TPenMode v);
    void setStyle(Gdi::TPenStyle v);
    void setWidth(qint32 v);

    const platform::Canvas::Pen& value() const { return pen_; }
    void assign(const platform::Canvas::Pen& p);

    // Runs after every change, however made (a command or a card file). A callback rather
    // than a signal: every shape has a pen and most a brush, and a connection costs some
    // 300 bytes.
    std::function<void()> onChanged;

  private:
    void changed() const {
        if (onChanged) onChanged();
    }
    platform::Canvas::Pen pen_;
};
