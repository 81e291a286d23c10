#include "TGBaseLabel.h"

#include "document/TGBasePanel.h"

#include <algorithm>

namespace {
// The displacement of an effect copy in the text's own frame (x right, y down). A copy of
// depth 0 or less is not drawn and displaces nothing: a negative depth would shrink the
// line below the text and the layout would never settle.
QPoint offsetFor(int direction, const QPoint (&table)[6], int depth) {
    const int d = std::clamp(depth, 0, TGBaseLabel::maxEffectDepth);
    return direction >= 0 && direction < 6 ? table[direction] * d : QPoint();
}

constexpr QPoint shadowDirections[6] = {{0, 0}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {0, 1}};
constexpr QPoint highlightDirections[6] = {{0, 0}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {0, -1}};
} // namespace

TGBaseLabel::TGBaseLabel(QObject* owner) : TGGraphicControl(owner) {
    // The default size is not a move: the bounds-changed check must first see the bounds
    // the label is given on the card, so the size is set without it.
    setLoading(true);
    setBounds(0, 0, 142, 33);
    setLoading(false);
    connect(&font_, &TGFont::changed, this, &TGBaseLabel::fontChanged);
}

// --- font

const TGFont& TGBaseLabel::displayFont() const {
    return ownFont_ || !surface() ? font_ : surface()->font();
}

void TGBaseLabel::fontChanged() {
    ownFont_ = true;
    layoutStale_ = true;
    flagChanged();
    repaint();
}

void TGBaseLabel::takeFont(const TGFont& f) {
    const bool wasOwn = ownFont_;
    const bool differs = !font_.sameAs(f);
    font_.assign(f); // reports the change when it differs
    if (!differs && !wasOwn) fontChanged();
}

platform::GdiFont TGBaseLabel::canvasFont(bool rotated) const {
    platform::GdiFont f = displayFont().gdiFont(zoomFactor());
    if (rotated) f.escapement = angle_ * 10;
    return f;
}

// --- setters

void TGBaseLabel::setAlignment(Gdi::TAlignment v) {
    if (v == alignment_ || v < Gdi::taLeftJustify || v > Gdi::taCenter) return;
    alignment_ = v;
    layoutStale_ = true;
    repaint();
    flagChanged();
}

void TGBaseLabel::updateShadowOffset() {
    shadowOffset_ = offsetFor(directionShadow_, shadowDirections, depthShadow_);
    layoutStale_ = true;
    repaint();
}

void TGBaseLabel::updateHighlightOffset() {
    highlightOffset_ = offsetFor(directionHighlight_, highlightDirections, depthHighlight_);
    layoutStale_ = true;
    repaint();
}

void TGBaseLabel::setDepthShadow(int v) {
    if (v == depthShadow_) return;
    depthShadow_ = v;
    updateShadowOffset();
}

void TGBaseLabel::setDirectionShadow(TShadowDirection v) {
    if (v == directionShadow_ || v < sdNone || v > sdDown) return;
    directionShadow_ = v;
    updateShadowOffset();
}

void TGBaseLabel::setDepthHighlight(int v) {
    if (v == depthHighlight_) return;
    depthHighlight_ = v;
    updateHighlightOffset();
}

void TGBaseLabel::setDirectionHighlight(THighlightDirection v) {
    if (v == directionHighlight_ || v < hdNone || v > hdUp) return;
    directionHighlight_ = v;
    updateHighlightOffset();
}

void TGBaseLabel::setColorShadow(TColor v) {
    if (v == colorShadow_) return;
    colorShadow_ = v;
    repaint();
}

void TGBaseLabel::setColorHighlight(TColor v) {
    if (v == colorHighlight_) return;
    colorHighlight_ = v;
    repaint();
}

void TGBaseLabel::setAngle(int v) {
    if (v != 0 && v != 90 && v != 180 && v != 270) return;
    if (v == angle_) return;
    angle_ = v;
    layoutStale_ = true;
    if (v != 0) setAlignment(Gdi::taLeftJustify);
    const bool horizontal = v == 0 || v == 180;
    if ((horizontal && width() < height()) || (!horizontal && height() < width()))
        setBounds(left(), top(), height(), width());
    repaint();
}

void TGBaseLabel::setCaption(const QString& v) {
    if (v == caption_) return;
    caption_ = v;
    // The text's place in the label follows its width (centred and right-aligned text).
    layoutStale_ = true;
    repaint();
    flagChanged();
}

void TGBaseLabel::setTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    flagChanged();
    repaint();
}

void TGBaseLabel::setBackColor(TColor v) {
    if (v == backColor_) return;
    backColor_ = v;
    flagChanged();
    repaint();
}

void TGBaseLabel::setBorderStyle(Gdi::TBorderStyle v) {
    if (v == borderStyle_ || v < Gdi::bsNone || v > Gdi::bsSingle) return;
    borderStyle_ = v;
    repaint();
    flagChanged();
}

// --- reactions

void TGBaseLabel::boundsChangedCheck() {
    TGGraphicControl::boundsChangedCheck();
    layoutStale_ = true;
    if (width() <= 0 || height() <= 0)
        setBounds(left(), top(), std::max(width(), 1), std::max(height(), 1));
}

void TGBaseLabel::applyFont(const TGFont& f) {
    takeFont(f);
    layoutStale_ = true;
}
