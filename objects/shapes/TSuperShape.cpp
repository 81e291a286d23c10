#include "TSuperShape.h"

#include "TSuperShapeProperties.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

TSuperShape::TSuperShape(QObject* owner) : TGEffectControl(owner, Effect::gdUp, 0xFF0000) {
    setBounds(0, 0, 25, 25);
}

// --- setters: nothing for the value held or one out of range; otherwise store, rebuild
// the work bitmap the value feeds, repaint.

void TSuperShape::setBackColor(TColor v) {
    if (v == backColor_) return;
    backColor_ = v;
    if (surfaceType_ == stBrushPattern) rebuildSolid();
    rebuildGradient();
    repaint();
}

void TSuperShape::setForeColor(TColor v) {
    if (v == foreColor_) return;
    foreColor_ = v;
    if (surfaceType_ == stBrushPattern) rebuildSolid();
    repaint();
}

void TSuperShape::setInVectorPercent(int v) {
    if (v == inVectorPercent_ || v < 0 || v > 100) return;
    inVectorPercent_ = v;
    repaint();
}

void TSuperShape::setOutlineColor(TColor v) {
    if (v == outlineColor_) return;
    outlineColor_ = v;
    repaint();
}

void TSuperShape::setOutlineStyle(Gdi::TPenStyle v) {
    if (v == outlineStyle_ || v < Gdi::psSolid || v > Gdi::psInsideFrame) return;
    outlineStyle_ = v;
    repaint();
}

void TSuperShape::setOutlineWidth(int v) {
    if (v == outlineWidth_ || v < 0 || v > maxLineWidth) return;
    outlineWidth_ = v;
    repaint();
}

void TSuperShape::setPattern(Gdi::TBrushStyle v) {
    if (v == pattern_ || v < Gdi::bsSolid || v > Gdi::bsDiagCross) return;
    pattern_ = v;
    rebuildSolid();
    repaint();
}

void TSuperShape::setRoundPerc(int v) {
    if (v == roundPerc_ || v < 0 || v > 100) return;
    roundPerc_ = v;
    repaint();
}

void TSuperShape::setShadowColor(TColor v) {
    if (v == shadowColor_) return;
    shadowColor_ = v;
    rebuildGradient();
    repaint();
}

void TSuperShape::setShadowDepth(int v) {
    if (v == shadowDepth_ || v < 0 || v > maxLineWidth) return;
    // The depth held, not the new one, is measured against the size.
    if (shadowDepth_ > width() / 2 || shadowDepth_ > height() / 2) return;
    shadowDepth_ = v;
    rebuildGradient();
    repaint();
}

void TSuperShape::setShadowOrient(TShadowOrient v) {
    if (v == shadowOrient_ || v < soNone || v > soLowerLeft) return;
    shadowOrient_ = v;
    rebuildGradient();
    repaint();
}

void TSuperShape::setShape(TGPShapeType v) {
    if (v == shape_ || v < gstRectangle || v > gstPolyGon) return;
    shape_ = v;
    if (v == gstStar) {
        if (inVectorPercent_ == 0) inVectorPercent_ = 50;
        if (vectors_ < 10) vectors_ = 10;
        startingAngle_ = 90;
    }
    repaint();
}

void TSuperShape::setStartingAngle(int v) {
    if (v == startingAngle_ || v < 0 || v > 359) return;
    startingAngle_ = v;
    repaint();
}

void TSuperShape::setSurfaceType(TSurfaceType v) {
    if (v == surfaceType_ || v < stBrushTransparent || v > stGradientFill) return;
    surfaceType_ = v;
    repaint();
    if (v != stBrushImage) setTexture(QImage());
    if (v == stGradientFill) rebuildGradient();
    if (v == stBrushPattern) rebuildSolid();
    if (v == stBrushTransparent) {
        // A transparent shape never becomes invisible: no shadow, and an outline.
        setShadowOrient(soNone);
        setPattern(Gdi::bsClear);
        if (outlineStyle_ == Gdi::psClear) setOutlineStyle(Gdi::psSolid);
    }
}

void TSuperShape::setVectors(int v) {
    if (v == vectors_ || v < 3 || v > 60) return;
    vectors_ = v;
    repaint();
}

void TSuperShape::rebuildSolid() {
    // One colour: a huge object tiles a bounded bitmap, which looks the same.
    solid_ = QImage(std::clamp(width(), 1, maxGradientSide),
                    std::clamp(height(), 1, maxGradientSide), QImage::Format_RGB32);
    solid_.fill(backColor_.toQColor());
}

void TSuperShape::assignFrom(const TSuperShape& o) {
    setZoomFactor(o.zoomFactor());
    backColor_ = o.backColor_;
    foreColor_ = o.foreColor_;
    inVectorPercent_ = o.inVectorPercent_;
    outlineColor_ = o.outlineColor_;
    outlineStyle_ = o.outlineStyle_;
    outlineWidth_ = o.outlineWidth_;
    pattern_ = o.pattern_;
    roundPerc_ = o.roundPerc_;
    shadowColor_ = o.shadowColor_;
    shadowDepth_ = o.shadowDepth_;
    shadowOrient_ = o.shadowOrient_;
    shape_ = o.shape_;
    startingAngle_ = o.startingAngle_;
    surfaceType_ = o.surfaceType_;
    vectors_ = o.vectors_;
    setFillDirection(o.fillDirection());
    setGradientToColor(o.gradientToColor());
    setTexture(o.texture());
    setLastBitmapFileNameandPath(o.lastBitmapFileNameandPath());
    solid_ = QImage();
    rebuildGradient();
    repaint();
}

// --- geometry

int TSuperShape::zoomedShadowDepth() const {
    const float z = zoomFactor();
    return z == 1.0f ? shadowDepth_ : int(std::trunc(shadowDepth_ * double(z)));
}

TSuperShape::Box TSuperShape::figureBox() const {
    const int d = zoomedShadowDepth(), h = outlineWidth_ / 2;
    const int rw = width() - outlineWidth_ + 1, rh = height() - outlineWidth_ + 1;
    if (shape_ == gstDiamond && shadowOrient_ != soNone) {
        // A diamond's shadow falls sideways only.
        return shadowOrient_ == soLowerRight || shadowOrient_ == soUpperRight
                   ? Box{h, h, rw - d, rh}
                   : Box{d + h, h, rw, rh};
    }
    switch (shadowOrient_) {
    case soNone:
        return {h, h, rw, rh};
    case soLowerRight:
        return {h, h, rw - d, rh - d};
    case soUpperRight:
        return {h, d + h, rw - d, rh};
    case soUpperLeft:
        return {d + h, d + h, rw, rh};
    case soLowerLeft:
        return {d + h, h, rw, rh - d};
    }
    return {h, h, rw, rh};
}

TSuperShape::Box TSuperShape::shadowBox() const {
    const int d = zoomedShadowDepth(), h = outlineWidth_ / 2;
    const int rw = width() - outlineWidth_ + 1, rh = height() - outlineWidth_ + 1;
    if (shape_ == gstDiamond && shadowOrient_ != soNone) {
        return shadowOrient_ == soLowerRight || shadowOrient_ == soUpperRight
                   ? Box{d + h, h, rw, rh}
                   : Box{h, h, rw - d, rh};
    }
    switch (shadowOrient_) {
    case soNone:
        return {};
    case soLowerRight:
        return {d + h, d + h, rw, rh};
    case soUpperRight:
        return {d + h, h, rw, rh - d};
    case soUpperLeft:
        return {h, h, rw - d, rh - d};
    case soLowerLeft:
        return {h, d + h, rw - d, rh};
    }
    return {};
}

QPolygon TSuperShape::starPolygon(const Box& b) const {
    const int cx = (b.right - b.left) / 2, cy = (b.bottom - b.top) / 2;
    const int r = std::min(cx, cy) - 4;
    const double inner = r * ((100 - inVectorPercent_) * 0.01);
    QPolygon points;
    points.reserve(vectors_);
    for (int m = 0; m < vectors_; ++m) {
        const double theta = (360.0 / vectors_ * m - startingAngle_) * (std::numbers::pi / 180);
        const double rho = m % 2 == 0 ? r : inner;
        // Halves to even, the default rounding mode.
        points << QPoint(b.left + cx + int(std::nearbyint(rho * std::cos(theta))),
                         b.top + cy + int(std::nearbyint(rho * std::sin(theta))));
    }
    return points;
}

TSuperShape::Figure TSuperShape::figureOn(const Box& b) const {
    Figure f;
    f.box = b;
    const int L = b.left, T = b.top, w = b.right - b.left, h = b.bottom - b.top;
    switch (shape_) {
    case gstRectangle:
        f.kind = Figure::Rectangle;
        return f;
    case gstRoundRect:
        f.kind = Figure::RoundRect;
        f.corner = int(std::trunc(std::max(width(), height()) * (roundPerc_ * 0.01)));
        return f;
    case gstEllipse:
        f.kind = Figure::Ellipse;
        return f;
    case gstDiamond:
        f.points = {QPoint(L + w / 2, T), QPoint(L + w - 1, T + h / 2),
                    QPoint(L + w / 2, T + h - 1), QPoint(L, T + h / 2)};
        break;
    case gstTriangleLeft:
        f.points = {QPoint(L + w - 1, T), QPoint(L + w - 1, T + h - 1), QPoint(L, T + h / 2)};
        break;
    case gstTriangleRight:
        f.points = {QPoint(L, T), QPoint(L + w - 1, T + h / 2), QPoint(L, T + h - 1)};
        break;
    case gstTriangleUp:
        f.points = {QPoint(L + w / 2, T), QPoint(L, T + h - 1), QPoint(L + w - 1, T + h - 1)};
        break;
    case gstTriangleDown:
        f.points = {QPoint(L, T), QPoint(L + w / 2, T + h - 1), QPoint(L + w - 1, T)};
        break;
    case gstStar:
    case gstPolyGon:
        f.points = starPolygon(b);
        break;
    }
    f.kind = Figure::Polygon;
    return f;
}

QPainterPath TSuperShape::clipPath(const Figure& f) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const QRectF r(f.box.left, f.box.top, f.box.right - f.box.left, f.box.bottom - f.box.top);
    switch (f.kind) {
    case Figure::Rectangle:
        path.addRect(r);
        break;
    case Figure::RoundRect:
        path.addRoundedRect(r, f.corner / 2.0, f.corner / 2.0);
        break;
    case Figure::Ellipse:
        path.addEllipse(r);
        break;
    case Figure::Polygon:
        path.addPolygon(QPolygonF(f.points));
        path.closeSubpath();
        break;
    }
    return path;
}

// --- popup

void TSuperShape::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Properties"), [this] { propertiesCommand(); });
}

void TSuperShape::propertiesCommand() {
    TSuperShapeProperties::execute(*this);
}

// --- screen

void TSuperShape::drawFigure(platform::Canvas& c, const Figure& f) const {
    const Box& b = f.box;
    switch (f.kind) {
    case Figure::Rectangle:
        c.rectangle(b.left, b.top, b.right, b.bottom);
        break;
    case Figure::RoundRect:
        c.roundRect(b.left, b.top, b.right, b.bottom, f.corner, f.corner);
        break;
    case Figure::Ellipse:
        c.ellipse(b.left, b.top, b.right, b.bottom);
        break;
    case Figure::Polygon:
        c.polygon(f.points);
        break;
    }
}

void TSuperShape::paint(platform::Canvas& c) {
    if (surfaceType_ == stBrushPattern && solid_.isNull()) rebuildSolid();
    const Figure figure = figureOn(figureBox());
    if (hasShadow()) {
        c.brush = {shadowColor_, Gdi::bsSolid};
        c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
        drawFigure(c, figureOn(shadowBox()));
    }
    if (surfaceType_ != stBrushTransparent) {
        c.brush = {foreColor_, Gdi::bsSolid};
        QPainter& p = c.painter();
        const QPainterPath clip = clipPath(figure);
        switch (surfaceType_) {
        case stBrushPattern:
            tile(p, clip, solid_, solid_.size());
            break;
        case stBrushImage:
            tileTexture(p, clip);
            break;
        case stGradientFill:
            drawGradient(p, clip);
            break;
        case stBrushTransparent:
            break;
        }
    }
    if (outlineStyle_ != Gdi::psClear) {
        c.brush = {TColor::clWhite, Gdi::bsClear};
        // The stored width, not scaled by the zoom.
        c.pen = {outlineColor_, Gdi::pmCopy, outlineStyle_, outlineWidth_};
        drawFigure(c, figure);
    }
}

// --- printing

QRect TSuperShape::cardPixels(const Box& box) const {
    return QRect(QPoint(left() + box.left, top() + box.top),
                 QPoint(left() + box.right - 1, top() + box.bottom - 1));
}

void TSuperShape::printFigure(platform::Report& report, const Figure& f, const PrintFrame& frame,
                              double x0, double y0) const {
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const QRectF in = inchRect(cardPixels(f.box), x0, y0);
    const double l = in.left(), t = in.top(), r = in.right(), b = in.bottom();
    switch (f.kind) {
    case Figure::Rectangle:
        report.rectangle(l, t, r, b);
        break;
    case Figure::RoundRect:
        report.roundRect(l, t, r, b, f.corner / ppi, f.corner / ppi);
        break;
    case Figure::Ellipse:
        report.ellipse(l, t, r, b);
        break;
    case Figure::Polygon: {
        QPolygon device;
        device.reserve(f.points.size());
        for (const QPoint& p : f.points)
            device << QPoint(int(std::trunc((left() + p.x()) * frame.sx)) + frame.cardOffset.x(),
                             int(std::trunc((top() + p.y()) * frame.sy)) + frame.cardOffset.y());
        report.polygonDevice(device);
        break;
    }
    }
}

QPainterPath TSuperShape::printClip(platform::Report& report, const Figure& f,
                                    const PrintFrame& frame, double x0, double y0) const {
    if (f.kind == Figure::Polygon) {
        Figure device = f;
        for (QPoint& p : device.points)
            p = QPoint(int(std::trunc((left() + p.x()) * frame.sx)) + frame.cardOffset.x(),
                       int(std::trunc((top() + p.y()) * frame.sy)) + frame.cardOffset.y());
        return clipPath(device);
    }
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const QRect r = report.toDevice(inchRect(cardPixels(f.box), x0, y0));
    Figure device = f;
    device.box = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    device.corner = int(std::nearbyint(f.corner / ppi * frame.resolution));
    return clipPath(device);
}

void TSuperShape::print(platform::Report& report, double x0, double y0) {
    const PrintFrame frame = printFrame(report, x0, y0);
    const Figure figure = figureOn(figureBox());
    if (hasShadow()) {
        report.brush = {shadowColor_, Gdi::bsSolid, {}};
        report.pen = {TColor::clBlack, Gdi::psSolid, -1, Gdi::pmCopy};
        printFigure(report, figureOn(shadowBox()), frame, x0, y0);
    }
    if (surfaceType_ != stBrushTransparent) {
        if (surfaceType_ == stBrushPattern && solid_.isNull()) rebuildSolid();
        report.brush = {foreColor_, Gdi::bsSolid, {}};
        withClip(report, printClip(report, figure, frame, x0, y0), [&] {
            switch (surfaceType_) {
            case stBrushPattern:
                printTiles(report, solid_, frame);
                break;
            case stBrushImage:
                printTiles(report, texture(), frame);
                break;
            case stGradientFill:
                printGradient(report,
                              QRect(frame.left, frame.top, frame.right - frame.left + 1,
                                    frame.bottom - frame.top + 1),
                              backColor_, gradientToColor(), fillDirection());
                break;
            case stBrushTransparent:
                break;
            }
        });
    }
    if (outlineStyle_ != Gdi::psClear) {
        report.brush = {TColor::clWhite, Gdi::bsClear, {}};
        // The stored width taken as hundredths of an inch.
        report.pen = {outlineColor_, outlineStyle_, -outlineWidth_, Gdi::pmCopy};
        printFigure(report, figure, frame, x0, y0);
    }
}
