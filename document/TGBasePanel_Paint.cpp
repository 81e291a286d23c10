// Painting: the card's backdrop and the objects bottom first into the card's image, kept
// until the card, the zoom or the pixel density changes; over a copy of it the selection's
// grips and the exclusive-or outlines, into the off-screen image shown.
#include "TGBasePanel.h"

#include "TGGraphicControl.h"
#include "platform/pictures/Graphic.h"

#include <QPainter>

#include <cstring>

namespace {
// 8 x 8 grid patterns: 0-bits are the dots (bit 7 is column 0).
constexpr platform::Canvas::Pattern grid4{0xFF, 0xFF, 0xDD, 0xFF, 0xFF, 0xFF, 0xDD, 0xFF};
constexpr platform::Canvas::Pattern grid8{0xFF, 0xFF, 0xDF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
} // namespace

void TGBasePanel::invalidate() {
    cardDirty_ = true;
    invalidateGrips();
}

void TGBasePanel::invalidateGrips() {
    dirty_ = true;
    if (onRepaint) onRepaint();
}

QPainterPath TGBasePanel::cardRegion() const {
    QPainterPath path;
    const QRectF r(0, 0, width_ + 1, height_ + 1);
    switch (shape_) {
    case lsRectangle:
        path.addRect(r);
        break;
    case lsRoundRect:
        path.addRoundedRect(r, 12, 12);
        break;
    case lsEllipse:
        path.addEllipse(r);
        break;
    }
    return path;
}

const QImage& TGBasePanel::image() {
    const QSize device = viewSize() * devicePixelRatio_;
    if (dirty_ || image_.image().size() != device) renderImage();
    return image_.image();
}

void TGBasePanel::settleLayout() {
    processPendingEvents();
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(objects_))
        o->fitLayout();
    processPendingEvents();
}

void TGBasePanel::paintTo(QPainter& painter) {
    painter.drawImage(0, 0, image());
}

void TGBasePanel::renderCard() {
    QImage& card = card_.resize(viewSize() * devicePixelRatio_, devicePixelRatio_);
    card.fill(Qt::white);
    cardDirty_ = false;
    QPainter p(&card);
    paintCard(p);
}

void TGBasePanel::renderImage() {
    if (cardDirty_ || card_.image().size() != viewSize() * devicePixelRatio_) renderCard();
    // A copy into the image's own pixels: the card's image stays as it is for the next grips.
    const QImage& card = card_.image();
    QImage& image = image_.resize(card.size(), devicePixelRatio_);
    std::memcpy(image.bits(), card.constBits(), size_t(card.sizeInBytes()));
    dirty_ = false;
    QPainter p(&image);
    platform::Canvas c(p);
    // Over every object, so that an object above a selected one never hides its grips.
    handle_->paint(c);
    p.end();
    // Exclusive-or outlines that are shown stay shown across repaints.
    const std::vector<QRect> shown = std::move(xorRects_);
    xorRects_.clear();
    for (const QRect& r : shown)
        drawXorRect(r);
}

void TGBasePanel::paintCard(QPainter& p) {
    // The card is drawn in card pixels through the zoom.
    const qreal z = zoomFactor_;
    platform::Canvas c(p);
    p.save();
    p.scale(z, z);
    const QPainterPath region = cardRegion();
    if (colorPicture_ && !colorPicture_->isEmpty()) {
        c.setClipPath(region);
        colorPicture_->draw(p, QRectF(0, 0, width_, height_));
        c.clearClip();
    }
    if (drawOutline_) {
        c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
        c.brush = {TColor::clWhite, Gdi::bsClear};
        switch (shape_) {
        case lsRectangle:
            c.rectangle(0, 0, width_, height_);
            break;
        case lsRoundRect:
            c.roundRect(0, 0, width_, height_, 24, 24);
            break;
        case lsEllipse:
            c.ellipse(0, 0, width_, height_);
            break;
        }
    }
    if (showGrid_) {
        c.setClipPath(region);
        c.patBltAnd(QRect(0, 0, width_, height_), gridSize_ == gs4x4 ? grid4 : grid8,
                    TColor::clGreen, TColor::clWhite);
        c.clearClip();
    }
    p.restore();
    for (TGGraphicControl* o : objects_) {
        if (!o->isVisible()) continue;
        p.save();
        p.scale(z, z);
        c.translate(o->left(), o->top());
        c.setClipRect(QRect(0, 0, o->width(), o->height()));
        c.pen = {};
        c.brush = {};
        o->paint(c);
        p.restore();
    }
}

void TGBasePanel::drawXorRect(const QRect& r) {
    // An empty rectangle draws nothing, so it is not shown either (a band's first point).
    if (r.width() <= 0 || r.height() <= 0) return;
    if (dirty_) renderImage();
    const auto it = std::find(xorRects_.begin(), xorRects_.end(), r);
    if (it != xorRects_.end())
        xorRects_.erase(it);
    else
        xorRects_.push_back(r);
    drawXorOutline(toView(r));
    if (onRepaint) onRepaint();
}

void TGBasePanel::drawXorOutline(const QRect& r) {
    QPainter p(&image_.image());
    platform::Canvas c(p);
    c.pen = {TColor::clWhite, Gdi::pmXor, Gdi::psDot, 1};
    c.brush = {TColor::clWhite, Gdi::bsClear};
    c.rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TGBasePanel::eraseXorRect(const QRect& r) {
    if (std::find(xorRects_.begin(), xorRects_.end(), r) != xorRects_.end()) drawXorRect(r);
}
