#include "TGSuperText.h"

#include "TSuperTextProperties.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/report/Report.h"
#include "platform/widgets/DialogHost.h"

#include <QPainter>
#include <QScopedValueRollback>

#include <cmath>

namespace {
Qt::PenStyle qtStyle(Gdi::TPenStyle style) {
    switch (style) {
    case Gdi::psDash:
        return Qt::DashLine;
    case Gdi::psDot:
        return Qt::DotLine;
    case Gdi::psDashDot:
        return Qt::DashDotLine;
    case Gdi::psDashDotDot:
        return Qt::DashDotDotLine;
    case Gdi::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}
} // namespace

TGSuperText::TGSuperText(QObject* owner) : TGEffectControl(owner, Effect::gdRight, 0x00FFFF) {
    font_.setName(QStringLiteral("Arial"));
    font_.setSize(48);
    font_.setStyle(Gdi::fsBold);
    font_.setColor(TColor::clBlack);
    setBounds(0, 0, 142, 33);
    // A new font, however given (a command, the dialog, a card file), lays the text out anew.
    connect(&font_, &TGFont::changed, this, [this] {
        layoutStale_ = true;
        repaint();
        flagChanged();
    });
}

// --- setters: nothing for the value held

void TGSuperText::setShadowDepth(int v) {
    if (v == shadowDepth_ || v < 0 || v > maxDepth) return;
    shadowDepth_ = v;
    layoutStale_ = true;
    repaint();
}

void TGSuperText::setShadowOrientation(TShadowOrientation v) {
    if (v == shadowOrientation_ || v < sdNone || v > sdDown) return;
    shadowOrientation_ = v;
    layoutStale_ = true;
    repaint();
}

void TGSuperText::setShadowColor(TColor v) {
    if (v == shadowColor_) return;
    shadowColor_ = v;
    repaint();
}

void TGSuperText::setBorderStyle(Gdi::TBorderStyle v) {
    if (v == borderStyle_ || v < Gdi::bsNone || v > Gdi::bsSingle) return;
    borderStyle_ = v;
    repaint();
    flagChanged();
}

void TGSuperText::setControlTransparent(bool v) {
    if (v == controlTransparent_) return;
    controlTransparent_ = v;
    repaint();
}

void TGSuperText::setBGColor(TColor v) {
    if (v == bgColor_) return;
    bgColor_ = v;
    repaint();
    flagChanged();
}

void TGSuperText::setCaption(const QString& v) {
    if (v == caption_) return;
    caption_ = v;
    layoutStale_ = true;
    repaint();
    flagChanged();
}

void TGSuperText::setGradientFromColor(TColor v) {
    if (v == gradientFromColor_) return;
    gradientFromColor_ = v;
    rebuildGradient();
    repaint();
    flagChanged();
}

void TGSuperText::setOutlineColor(TColor v) {
    if (v == outlineColor_) return;
    outlineColor_ = v;
    repaint();
}

void TGSuperText::setOutlineStyle(Gdi::TPenStyle v) {
    if (v == outlineStyle_ || v < Gdi::psSolid || v > Gdi::psInsideFrame) return;
    outlineStyle_ = v;
    repaint();
}

void TGSuperText::setOutlineWidth(int v) {
    if (v == outlineWidth_ || v < 0 || v > maxDepth) return;
    outlineWidth_ = v;
    repaint();
}

void TGSuperText::setSurfaceType(TSurfaceType v) {
    if (v == surfaceType_ || v < stNormal || v > stGradientFill) return;
    surfaceType_ = v;
    repaint();
    if (v != stBrushImage) setTexture(QImage());
    if (v == stGradientFill) rebuildGradient();
    // Transparent letters stay visible by their outline.
    if (v == stBrushTransparent && outlineStyle_ == Gdi::psClear) setOutlineStyle(Gdi::psSolid);
}

void TGSuperText::assignFrom(const TGSuperText& o) {
    setZoomFactor(o.zoomFactor());
    shadowDepth_ = o.shadowDepth_;
    shadowOrientation_ = o.shadowOrientation_;
    shadowColor_ = o.shadowColor_;
    borderStyle_ = o.borderStyle_;
    controlTransparent_ = o.controlTransparent_;
    bgColor_ = o.bgColor_;
    caption_ = o.caption_;
    font_.assign(o.font_);
    gradientFromColor_ = o.gradientFromColor_;
    outlineColor_ = o.outlineColor_;
    outlineStyle_ = o.outlineStyle_;
    outlineWidth_ = o.outlineWidth_;
    surfaceType_ = o.surfaceType_;
    setFillDirection(o.fillDirection());
    setGradientToColor(o.gradientToColor());
    setTexture(o.texture());
    setLastBitmapFileNameandPath(o.lastBitmapFileNameandPath());
    setBounds(o.left(), o.top(), o.width(), o.height());
    layoutStale_ = true;
    rebuildGradient();
    repaint();
}

// --- layout

QPoint TGSuperText::shadowOffset() const {
    const int d = shadowDepth_;
    switch (shadowOrientation_) {
    case sdNone:
        return {0, 0};
    case sdRight:
        return {d, 0};
    case sdLeft:
        return {-d, 0};
    case sdDownRight:
        return {d, d};
    case sdDownLeft:
        return {-d, d};
    case sdDown:
        return {0, d};
    }
    return {0, 0};
}

platform::GdiFont TGSuperText::zoomedFont() const {
    return font_.gdiFont(zoomFactor());
}

void TGSuperText::place() {
    const float z = zoomFactor();
    QPoint d = shadowOffset();
    if (z != 1.0f)
        d = QPoint(int(std::trunc(d.x() * double(z))), int(std::trunc(d.y() * double(z))));
    const platform::TextMetrics tm(zoomedFont());
    const int th = tm.textExtent(caption_).height();
    const int ox = d.x() < 0 ? -d.x() : 0, oy = d.y() < 0 ? -d.y() : 0;
    textOrigin_ = QPoint(ox + 5, oy);
    textRect_ = QRect(QPoint(textOrigin_), QPoint(width() - 1, th + oy - 1));
    shadowOrigin_ = textOrigin_ + d;
    shadowRect_ = textRect_.translated(d);
}

void TGSuperText::layout() {
    layoutStale_ = false;
    place();
    const platform::TextMetrics tm(zoomedFont());
    const int th = tm.textExtent(caption_).height();
    const int tw = tm.textWidth(caption_ + QLatin1Char(' '));
    const QPoint d = shadowRect_.topLeft() - textRect_.topLeft();
    int w = width(), h = height();
    if (w <= 5) w = tw;
    const int f = std::abs(d.y()) + th;
    if (f * 1.2 < h && controlTransparent_ && borderStyle_ == Gdi::bsNone)
        h = int(std::trunc(f * 1.2));
    if (h < f) h = f;
    if (w != width() || h != height()) {
        setBounds(left(), top(), w, h);
        layoutStale_ = false;
    }
}

void TGSuperText::fitToText() {
    const QSize extent = platform::TextMetrics(zoomedFont()).textExtent(caption_);
    layout();
    const int c = std::max(textRect_.left(), shadowRect_.left());
    const int e = std::max(textRect_.top(), shadowRect_.top());
    int w = int(std::trunc(c + extent.width() * 1.2));
    int h = int(std::trunc((extent.height() + e) * 1.2));
    if (h < extent.height()) h = int(std::trunc(extent.height() * 1.5));
    if (w < extent.width()) w = int(std::trunc(extent.width() * 1.5));
    setBounds(left(), top(), w, h);
    layout();
}

QString TGSuperText::shownText() const {
    const platform::TextMetrics tm(zoomedFont());
    const int room = width() - std::max(textRect_.left(), shadowRect_.left());
    QString text = caption_;
    while (!text.isEmpty() && tm.textWidth(text) > room)
        text.chop(1);
    return text;
}

QPainterPath TGSuperText::textPath(const QFont& font, double ascent, QPointF origin,
                                   const QString& text) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addText(origin + QPointF(0, ascent), font, text);
    return path;
}

QPainterPath TGSuperText::screenPath(QPoint origin, const QString& text) const {
    // Outlines of glyphs are costly to fetch: kept until the text or the font changes.
    const platform::GdiFont font = zoomedFont();
    if (text != glyphText_ || !(font == glyphFont_)) {
        const platform::TextMetrics tm(font);
        glyphs_ = textPath(tm.qfont(), tm.tmAscent, QPointF(0, 0), text);
        glyphText_ = text;
        glyphFont_ = font;
    }
    return glyphs_.translated(origin);
}

// --- popup

void TGSuperText::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Font"), [this] { fontCommand(); });
    transparentItem_ = &m.add(QStringLiteral("Transparent"), [this] { transparentCommand(); });
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    borderItem_ = &m.add(QStringLiteral("Border"), [this] { borderCommand(); });
    m.add(QStringLiteral("Properties"), [this] { propertiesCommand(); });
    // A card just read builds its gradient here.
    rebuildGradient();
}

void TGSuperText::popupRefresh() {
    if (!objectMenu()) return;
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    transparentItem_->checked = controlTransparent_;
}

void TGSuperText::applyFont(const TGFont& f) {
    font_.assign(f);
    layoutStale_ = true;
}

void TGSuperText::fontCommand() {
    const std::optional<QFont> chosen = platform::DialogHost::current().chooseFont(font_.toQFont());
    if (!chosen) return;
    TGFont f;
    f.assign(font_);
    f.assignQFont(*chosen);
    applyFont(f);
}

void TGSuperText::transparentCommand() {
    setControlTransparent(!controlTransparent_);
    flagChanged();
}

void TGSuperText::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(bgColor_);
    if (!c) return;
    setBGColor(*c);
    flagChanged();
    setControlTransparent(false);
    repaint();
}

void TGSuperText::borderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
}

void TGSuperText::propertiesCommand() {
    TSuperTextProperties::execute(*this);
}

// --- screen

void TGSuperText::boundsChangedCheck() {
    TGGraphicControl::boundsChangedCheck();
    layoutStale_ = true;
    if (width() <= 0 || height() <= 0)
        setBounds(left(), top(), std::max(1, width()), std::max(1, height()));
    rebuildGradient();
}

void TGSuperText::fitLayout() {
    if (layoutStale_ || width() < 5 || height() < 5) layout();
}

void TGSuperText::paint(platform::Canvas& c) {
    // A paint asked for while painting (the layout resizing the object) is ignored.
    if (painting_) return;
    const QScopedValueRollback painting(painting_, true);
    // A layout not yet brought up to date is placed in the bounds the object has: painting
    // never resizes it.
    if (layoutStale_) place();
    const int W = width(), H = height();
    QPainter& p = c.painter();
    if (!controlTransparent_ || borderStyle_ == Gdi::bsSingle) {
        c.brush = {bgColor_, controlTransparent_ ? Gdi::bsClear : Gdi::bsSolid};
        c.pen = {TColor::clBlack, Gdi::pmCopy,
                 borderStyle_ == Gdi::bsSingle ? Gdi::psSolid : Gdi::psClear, 1};
        c.rectangle(0, 0, W, H);
    }
    const QString text = shownText();
    if (text.isEmpty()) {
        // An empty caption shows a crossed frame instead.
        c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
        c.brush = {TColor::clWhite, Gdi::bsClear};
        c.rectangle(0, 0, W, H);
        c.moveTo(0, 0);
        c.lineTo(W, H);
        c.moveTo(W, 0);
        c.lineTo(0, H);
        return;
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (shadowDepth_ >= 1 && shadowOrientation_ != sdNone)
        p.fillPath(screenPath(shadowOrigin_, text), shadowColor_.toQColor());
    const QPainterPath face = screenPath(textOrigin_, text);
    switch (surfaceType_) {
    case stNormal:
        p.fillPath(face, font_.color().toQColor());
        break;
    case stBrushImage:
        tileTexture(p, face);
        break;
    case stGradientFill:
        drawGradient(p, face);
        break;
    case stBrushTransparent:
        break;
    }
    if (outlineStyle_ != Gdi::psClear && outlineWidth_ >= 1) {
        // The stored width, not scaled by the zoom.
        QPen pen(outlineColor_.toQColor(), outlineWidth_, qtStyle(outlineStyle_));
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.strokePath(face, pen);
        p.restore();
    }
}

// --- printing

void TGSuperText::print(platform::Report& report, double x0, double y0) {
    const PrintFrame frame = printFrame(report, x0, y0);
    place();
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    QFont f(font_.name());
    f.setPointSizeF(std::max(1, font_.size()));
    f.setBold(font_.style().testFlag(Gdi::fsBold));
    f.setItalic(font_.style().testFlag(Gdi::fsItalic));
    f.setUnderline(font_.style().testFlag(Gdi::fsUnderline));
    report.font = f;
    const QRectF in = inchRect(x0, y0);
    const double l = in.left(), t = in.top(), r = in.right(), b = in.bottom();
    if (!controlTransparent_ || borderStyle_ == Gdi::bsSingle) {
        report.brush = controlTransparent_
                           ? platform::Report::Brush{TColor::clWhite, Gdi::bsClear, {}}
                           : platform::Report::Brush{bgColor_, Gdi::bsSolid, {}};
        report.pen = {TColor::clBlack, borderStyle_ == Gdi::bsSingle ? Gdi::psSolid : Gdi::psClear,
                      1, Gdi::pmCopy};
        report.rectangle(l, t, r, b);
    }
    const QString text = shownText();
    if (text.isEmpty()) return;
    auto at = [&](QPoint origin) { return QPointF(l + origin.x() / ppi, t + origin.y() / ppi); };
    if (shadowDepth_ >= 1 && shadowOrientation_ != sdNone) {
        report.fontColor = shadowColor_;
        report.textOut(at(shadowOrigin_).x(), at(shadowOrigin_).y(), text);
    }
    // The letters as a path in device pixels: vectors, sharp at any resolution.
    const QFont device = report.deviceFont();
    const QPainterPath face =
        textPath(device, QFontMetricsF(device).ascent(), report.toDevice(at(textOrigin_)), text);
    if (surfaceType_ != stBrushTransparent) {
        report.fontColor = font_.color();
        // The object's rectangle, reaching 0.03 inch further left and up for overhangs.
        const int extra = int(std::nearbyint(0.03 * frame.resolution));
        const QRect area(QPoint(frame.left - extra, frame.top - extra),
                         QPoint(frame.right, frame.bottom));
        withClip(report, face, [&] {
            switch (surfaceType_) {
            case stNormal:
                report.painter().fillRect(area, font_.color().toQColor());
                break;
            case stBrushImage: {
                PrintFrame tiles = frame;
                tiles.left = area.left();
                tiles.top = area.top();
                printTiles(report, texture(), tiles);
                break;
            }
            case stGradientFill:
                printGradient(report, area, gradientFromColor_, gradientToColor(), fillDirection());
                break;
            case stBrushTransparent:
                break;
            }
        });
    }
    if (outlineStyle_ != Gdi::psClear && outlineWidth_ >= 1) {
        report.brush = {TColor::clWhite, Gdi::bsClear, {}};
        report.pen = {outlineColor_, outlineStyle_, -outlineWidth_, Gdi::pmCopy};
        QPainter& p = report.painter();
        if (p.isActive()) {
            // Hundredths of an inch, in device pixels.
            const double w = std::max(1.0, outlineWidth_ * frame.resolution / 100.0);
            p.save();
            p.strokePath(face, QPen(outlineColor_.toQColor(), w, qtStyle(outlineStyle_)));
            p.restore();
        }
    }
}
