// The label's layout pass, paint, fit to text and print.
#include "TGBaseLabel.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/report/Report.h"

#include <algorithm>
#include <limits>

namespace {
int toInt(qint64 v) {
    return int(
        std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// An offset (x, y) in the text's frame, turned with text drawn at the angle.
QPoint turned(QPoint o, int angle) {
    switch (angle) {
    case 90:
        return {o.y(), -o.x()};
    case 180:
        return {-o.x(), -o.y()};
    case 270:
        return {-o.y(), o.x()};
    default:
        return o;
    }
}

// The corner of a box at which text drawn at the angle starts.
QPoint originOf(const TGBaseLabel::Box& b, int angle) {
    switch (angle) {
    case 90:
        return {b.left, b.bottom};
    case 180:
        return {b.right, b.bottom};
    case 270:
        return {b.right, b.top};
    default:
        return {b.left, b.top};
    }
}
} // namespace

void TGBaseLabel::applySizeRules(qint64 W, qint64 L) {
    // trunc(1.2 × v) and comparisons with 1.2 × v, in exact integer arithmetic.
    const auto cut = [](qint64 v) { return toInt(v * 12 / 10); };
    const auto above = [](qint64 size, qint64 v) { return size * 10 > v * 12; };
    if (angle_ == 0 || angle_ == 180) {
        if (angle_ == 180 && 2 * W < width()) setWidth(toInt(2 * W));
        if (width() <= 5) setWidth(toInt(W));
        if (above(height(), L)) setHeight(cut(L));
        if (height() < L) setHeight(toInt(L));
    } else {
        if (above(height(), W)) setHeight(cut(W));
        if (height() < 5) setHeight(toInt(W));
        if (above(width(), L)) setWidth(cut(L));
        if (width() < L) setWidth(toInt(L));
    }
}

TGBaseLabel::Measure TGBaseLabel::measure() const {
    const platform::TextMetrics tm(canvasFont(false));
    Measure m;
    // At least a pixel each way: a size rule that cuts the label to nothing is undone by the
    // bounds-changed check, and the two would take turns at every layout.
    m.lineHeight = std::max(tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading, 1);
    m.textWidth = std::max<qint64>(tm.textWidth(caption_ + QLatin1Char(' ')), 1);
    // The line grown by both vertical displacements: the shadow can only move down and
    // the highlight only up.
    m.neededHeight = qint64(m.lineHeight) + shadowOffset_.y() - highlightOffset_.y();
    return m;
}

void TGBaseLabel::layoutPass() {
    const Measure m = measure();
    applySizeRules(m.textWidth, m.neededHeight);
    placeBoxes(m);
    layoutStale_ = false;
}

void TGBaseLabel::fitLayout() {
    if (layoutStale_ || width() < 5 || height() < 5) layoutPass();
}

void TGBaseLabel::placeBoxes(const Measure& m) {
    const int H = m.lineHeight;
    const int sx = shadowOffset_.x(), sy = shadowOffset_.y();
    const int hx = highlightOffset_.x(), hy = highlightOffset_.y();

    // Room before the main text for copies displaced to the left or upwards.
    int px = sx < 0 ? -sx : 0;
    if (hx < 0) px = std::max(-hx, px);
    int py = sy < 0 ? -sy : 0;
    if (hy < 0) py = std::max(-hy, py);
    pad_ = QPoint(px, py);

    Box R;
    if (angle_ == 0 || angle_ == 180)
        R = {px, py, width(), py + H};
    else
        R = {py, px, py + H, height() - py};
    if (angle_ == 90) R = R.moved({0, height() - (R.bottom - R.top + 1) + hx});
    if (angle_ == 180) R = R.moved({width() - (R.right - R.left + 1) - sy, 0});

    textBox_ = R;
    shadowBox_ = R.moved(turned(shadowOffset_, angle_));
    highlightBox_ = R.moved(turned(highlightOffset_, angle_));
    textOrigin_ = originOf(textBox_, angle_);
    shadowOrigin_ = originOf(shadowBox_, angle_);
    highlightOrigin_ = originOf(highlightBox_, angle_);

    if (angle_ == 0) {
        const int w = toInt(m.textWidth);
        int X = R.left;
        if (alignment_ == Gdi::taRightJustify) X = R.right - w;
        // The pad is left out on purpose: centred text centres on the box's width alone.
        if (alignment_ == Gdi::taCenter) X = (R.right - R.left) / 2 - w / 2;
        textOrigin_.setX(X);
        highlightOrigin_.setX(X + hx);
        shadowOrigin_.setX(X + sx);
    }
}

void TGBaseLabel::paint(platform::Canvas& canvas) {
    drawLabel(canvas);
}

void TGBaseLabel::drawLabel(platform::Canvas& c) {
    // A layout not yet brought up to date (the object changed outside any command) is placed
    // in the bounds the label has: painting never resizes it.
    if (layoutStale_) placeBoxes(measure());
    if (!transparent_) {
        c.brush = {backColor_, Gdi::bsSolid};
        c.fillRect(QRect(0, 0, width(), height()));
    }
    c.font = canvasFont(angle_ != 0);
    if (depthShadow_ > 0 && directionShadow_ != sdNone) {
        c.font.color = colorShadow_;
        c.extTextOut(shadowOrigin_.x(), shadowOrigin_.y(), shadowBox_.toQRect(), caption_);
    }
    if (depthHighlight_ > 0 && directionHighlight_ != hdNone) {
        c.font.color = colorHighlight_;
        c.extTextOut(highlightOrigin_.x(), highlightOrigin_.y(), highlightBox_.toQRect(), caption_);
    }
    c.font.color = displayFont().color();
    c.extTextOut(textOrigin_.x(), textOrigin_.y(), textBox_.toQRect(), caption_);
    c.font.escapement = 0;
    if (borderStyle_ == Gdi::bsSingle) {
        c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
        c.brush = {TColor::clWhite, Gdi::bsClear};
        c.rectangle(0, 0, width(), height());
    }
}

void TGBaseLabel::fitToText() {
    if (angle_ != 0) return;
    // The boxes of the latest layout; a stale one is brought up to date first, as the
    // paint that would have run before this command on screen does.
    if (layoutStale_) layoutPass();
    const int X0 = std::max({textBox_.left, shadowBox_.left, highlightBox_.left});
    const int Y0 = std::max({textBox_.top, shadowBox_.top, highlightBox_.top});
    const platform::TextMetrics tm(canvasFont(false));
    const qint64 w = qint64(X0) + tm.textWidth(caption_ + QStringLiteral("     "));
    if (w > width()) setWidth(toInt(w));
    const qint64 h = qint64(Y0) + tm.textExtent(caption_).height();
    if (h > height()) setHeight(toInt(h));
    layoutStale_ = true;
    repaint();
}

void TGBaseLabel::print(platform::Report& report, double leftInches, double topInches) {
    report.drawStretched(inchRect(leftInches, topInches), QSize(width(), height()),
                         [this](platform::Canvas& canvas) { drawLabel(canvas); });
}
