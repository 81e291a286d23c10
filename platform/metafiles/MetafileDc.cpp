#include "platform/metafiles/MetafileDc.h"

#include <QFontMetricsF>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr quint32 PS_USERSTYLE = 7;
constexpr quint32 PS_NULL = 5, PS_STYLE_MASK = 0xF, PS_ENDCAP_SQUARE = 0x100,
                  PS_ENDCAP_FLAT = 0x200, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000;
constexpr quint32 BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;

// A user style's dash and gap lengths as Qt counts them, in pen widths, and an even number
// of them (GDI repeats an odd list); none, a solid pen, when the lengths are unusable.
QList<qreal> userDashes(const platform::MetafileDc::LogPen& p) {
    QList<qreal> out;
    if (p.width <= 0 || p.dashes.isEmpty() || p.dashes.size() > 16) return out;
    qreal sum = 0;
    for (qreal d : p.dashes) {
        out << d / p.width;
        sum += d;
    }
    if (!(sum > 0)) return {};
    if (out.size() % 2) out += out;
    return out;
}
constexpr quint32 TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
// Fonts larger than this many pixels are not drawn: nothing legible needs them and the
// font engine would rasterise enormous glyphs.
constexpr qreal maxFontPixels = 20000;

QPainter::CompositionMode rop2Mode(int rop2) {
    switch (rop2) {
    case 2:
        return QPainter::RasterOp_NotSourceAndNotDestination; // R2_NOTMERGEPEN
    case 3:
        return QPainter::RasterOp_NotSourceAndDestination; // R2_MASKNOTPEN
    case 4:
        return QPainter::RasterOp_NotSource; // R2_NOTCOPYPEN
    case 5:
        return QPainter::RasterOp_SourceAndNotDestination; // R2_MASKPENNOT
    case 6:
        return QPainter::RasterOp_NotDestination; // R2_NOT
    case 7:
        return QPainter::RasterOp_SourceXorDestination; // R2_XORPEN
    case 8:
        return QPainter::RasterOp_NotSourceOrNotDestination; // R2_NOTMASKPEN
    case 9:
        return QPainter::RasterOp_SourceAndDestination; // R2_MASKPEN
    case 10:
        return QPainter::RasterOp_NotSourceXorDestination; // R2_NOTXORPEN
    case 12:
        return QPainter::RasterOp_NotSourceOrDestination; // R2_MERGENOTPEN
    case 14:
        return QPainter::RasterOp_SourceOrNotDestination; // R2_MERGEPENNOT
    case 15:
        return QPainter::RasterOp_SourceOrDestination; // R2_MERGEPEN
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// The raster operation of a blit with a source, from the operation's index byte.
QPainter::CompositionMode ropMode(quint32 rop) {
    switch ((rop >> 16) & 0xFF) {
    case 0xEE:
        return QPainter::RasterOp_SourceOrDestination; // SRCPAINT
    case 0x88:
        return QPainter::RasterOp_SourceAndDestination; // SRCAND
    case 0x66:
        return QPainter::RasterOp_SourceXorDestination; // SRCINVERT
    case 0x44:
        return QPainter::RasterOp_SourceAndNotDestination; // SRCERASE
    case 0x33:
        return QPainter::RasterOp_NotSource; // NOTSRCCOPY
    case 0x11:
        return QPainter::RasterOp_NotSourceAndNotDestination; // NOTSRCERASE
    case 0xBB:
        return QPainter::RasterOp_NotSourceOrDestination; // MERGEPAINT
    case 0x5A:
        return QPainter::RasterOp_SourceXorDestination; // PATINVERT
    case 0x55:
        return QPainter::RasterOp_NotDestination; // DSTINVERT
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

Qt::BrushStyle hatchStyle(quint32 hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

// A rectangle larger than any picture, standing for "no clipping" in clip arithmetic.
QPainterPath everything() {
    QPainterPath p;
    p.addRect(QRectF(-1e7, -1e7, 2e7, 2e7));
    return p;
}
} // namespace

MetafileDc::MetafileDc(QPainter& painter, const QRectF& target)
    : painter_(painter), callerTransform_(painter.worldTransform()), target_(target) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.setRenderHint(QPainter::LosslessImageRendering, true); // bitmaps printed as they are
    painter_.save(); // the inner level is renewed whenever the clip changes
}

MetafileDc::~MetafileDc() {
    painter_.restore();
    painter_.restore();
}

void MetafileDc::setWindowMapsToTarget(const QRectF& window) {
    wmf_ = true;
    state_.windowOrg = window.topLeft();
    state_.windowExt = window.size();
    state_.mapMode = MM_ANISOTROPIC;
}

void MetafileDc::setReferenceFrame(const QRectF& framePixels, QSizeF pixelsPerMm) {
    wmf_ = false;
    frame_ = framePixels;
    pixelsPerMm_ = pixelsPerMm;
}

void MetafileDc::setMapMode(int mode) {
    if (mode >= MM_TEXT && mode <= MM_ANISOTROPIC) state_.mapMode = mode;
}

void MetafileDc::setWindowOrg(QPointF p) {
    state_.windowOrg = p;
}
void MetafileDc::setViewportOrg(QPointF p) {
    state_.viewportOrg = p;
}

void MetafileDc::setWindowExt(QSizeF s) {
    if (s.width() != 0 && s.height() != 0) state_.windowExt = s;
}

void MetafileDc::setViewportExt(QSizeF s) {
    if (s.width() != 0 && s.height() != 0) state_.viewportExt = s;
}

void MetafileDc::scaleWindowExt(qreal xn, qreal xd, qreal yn, qreal yd) {
    if (xd != 0 && yd != 0)
        setWindowExt({state_.windowExt.width() * xn / xd, state_.windowExt.height() * yn / yd});
}

void MetafileDc::scaleViewportExt(qreal xn, qreal xd, qreal yn, qreal yd) {
    if (xd != 0 && yd != 0)
        setViewportExt(
            {state_.viewportExt.width() * xn / xd, state_.viewportExt.height() * yn / yd});
}

void MetafileDc::modifyWorldTransform(const QTransform& t, int mode) {
    switch (mode) {
    case 1:
        state_.world = QTransform();
        break; // MWT_IDENTITY
    case 2:
        state_.world = t * state_.world;
        break; // MWT_LEFTMULTIPLY
    case 3:
        state_.world = state_.world * t;
        break; // MWT_RIGHTMULTIPLY
    case 4:
        state_.world = t;
        break; // MWT_SET
    default:
        break;
    }
}

QTransform MetafileDc::toTarget() const {
    const State& s = state_;
    qreal kx = 1, ky = 1;
    QTransform page;
    if (wmf_) {
        // A placeable metafile's window is what the picture rectangle shows.
        kx = target_.width() / s.windowExt.width();
        ky = target_.height() / s.windowExt.height();
        if (s.mapMode == MM_ISOTROPIC) {
            const qreal m = qMin(std::abs(kx), std::abs(ky));
            kx = std::copysign(m, kx);
            ky = std::copysign(m, ky);
        }
        page = QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) *
               QTransform::fromScale(kx, ky) * QTransform::fromTranslate(target_.x(), target_.y());
        return s.world * page;
    }
    static constexpr qreal mmPerUnit[] = {0, 0, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
    if (s.mapMode >= MM_LOMETRIC && s.mapMode <= MM_TWIPS) {
        kx = mmPerUnit[s.mapMode] * pixelsPerMm_.width();
        ky = -mmPerUnit[s.mapMode] * pixelsPerMm_.height();
    } else if (s.mapMode == MM_ISOTROPIC || s.mapMode == MM_ANISOTROPIC) {
        kx = s.viewportExt.width() / s.windowExt.width();
        ky = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == MM_ISOTROPIC) {
            const qreal m = qMin(std::abs(kx), std::abs(ky));
            kx = std::copysign(m, kx);
            ky = std::copysign(m, ky);
        }
    }
    page = QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) *
           QTransform::fromScale(kx, ky) *
           QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
    const QTransform frame = QTransform::fromTranslate(-frame_.x(), -frame_.y()) *
                             QTransform::fromScale(target_.width() / frame_.width(),
                                                   target_.height() / frame_.height()) *
                             QTransform::fromTranslate(target_.x(), target_.y());
    return s.world * page * frame;
}

qreal MetafileDc::deviceScale(const QTransform& t) const {
    return std::sqrt(std::abs(t.determinant()));
}

void MetafileDc::createObject(Object object) {
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (std::holds_alternative<std::monostate>(objects_[i])) {
            objects_[i] = std::move(object);
            return;
        }
    }
    if (objects_.size() < 65535) objects_.push_back(std::move(object));
}

void MetafileDc::createObjectAt(quint32 index, Object object) {
    if (index >= 65535) return;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = std::move(object);
}

void MetafileDc::selectObject(quint32 index) {
    if (index & 0x80000000) {
        selectStockObject(index & 0x7FFFFFFF);
        return;
    }
    if (index >= objects_.size()) return;
    const Object& o = objects_[index];
    if (const auto* pen = std::get_if<LogPen>(&o))
        state_.pen = *pen;
    else if (const auto* brush = std::get_if<LogBrush>(&o))
        state_.brush = *brush;
    else if (const auto* font = std::get_if<LogFont>(&o))
        state_.font = *font;
    else if (const auto* region = std::get_if<Region>(&o))
        selectClipRegion(*region, RGN_COPY, false);
}

void MetafileDc::selectStockObject(quint32 stock) {
    static const QColor greys[] = {Qt::white, QColor(192, 192, 192), QColor(128, 128, 128),
                                   QColor(64, 64, 64), Qt::black};
    if (stock <= 4)
        state_.brush = LogBrush{BS_SOLID, greys[stock], 0, {}};
    else if (stock == 5)
        state_.brush = LogBrush{BS_NULL, Qt::white, 0, {}};
    else if (stock == 6)
        state_.pen = LogPen{0, 0, Qt::white, {}};
    else if (stock == 7)
        state_.pen = LogPen{0, 0, Qt::black, {}};
    else if (stock == 8)
        state_.pen = LogPen{PS_NULL, 0, Qt::black, {}};
    else if (stock >= 10 && stock <= 17 && stock != 15)
        state_.font = LogFont{};
}

void MetafileDc::deleteObject(quint32 index) {
    if (index < objects_.size()) objects_[index] = std::monostate{};
}

MetafileDc::Region MetafileDc::regionAt(quint32 index) const {
    if (index < objects_.size())
        if (const auto* r = std::get_if<Region>(&objects_[index])) return *r;
    return {};
}

MetafileDc::LogBrush MetafileDc::brushAt(quint32 index) const {
    if (index < objects_.size())
        if (const auto* b = std::get_if<LogBrush>(&objects_[index])) return *b;
    return LogBrush{BS_NULL, Qt::white, 0, {}};
}

void MetafileDc::save() {
    if (saved_.size() < 1000) saved_.push_back(state_);
}

void MetafileDc::restore(int which) {
    // Negative counts back from the newest saved state, positive names one absolutely.
    const qsizetype target = which < 0 ? qsizetype(saved_.size()) + which : which - 1;
    if (target < 0 || target >= qsizetype(saved_.size())) return;
    const bool clipChanged = saved_[size_t(target)].clip != state_.clip;
    state_ = saved_[size_t(target)];
    saved_.resize(size_t(target));
    if (clipChanged) applyClip();
}

bool MetafileDc::rasterOps() const {
    return painter_.paintEngine() &&
           painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

QPen MetafileDc::qpen(const QTransform& t) const {
    const LogPen& p = state_.pen;
    QColor color = p.color;
    if (state_.rop2 == 1) color = Qt::black;
    if (state_.rop2 == 16) color = Qt::white;
    const qreal width = p.width * deviceScale(t);
    QPen pen(color, width < 1.5 ? 0 : width);
    const quint32 style = p.style & PS_STYLE_MASK;
    static const QList<qreal> dashes[] = {{}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
    if (style >= 1 && style <= 4) pen.setDashPattern(dashes[style]);
    if (const QList<qreal> user = userDashes(p); style == PS_USERSTYLE && !user.isEmpty())
        pen.setDashPattern(user);
    pen.setCapStyle(p.style & PS_ENDCAP_FLAT     ? Qt::FlatCap
                    : p.style & PS_ENDCAP_SQUARE ? Qt::SquareCap
                                                 : Qt::RoundCap);
    pen.setJoinStyle(p.style & PS_JOIN_MITER   ? Qt::MiterJoin
                     : p.style & PS_JOIN_BEVEL ? Qt::BevelJoin
                                               : Qt::RoundJoin);
    return pen;
}

QBrush MetafileDc::qbrush() const {
    const LogBrush& b = state_.brush;
    QColor color = b.color;
    if (state_.rop2 == 1) color = Qt::black;
    if (state_.rop2 == 16) color = Qt::white;
    if (b.style == BS_SOLID) return QBrush(color);
    if (b.style == BS_HATCHED) return QBrush(color, hatchStyle(b.hatch));
    if (!b.pattern.isNull()) return QBrush(b.pattern);
    return Qt::NoBrush;
}

bool MetafileDc::prepare(bool fill, bool stroke) {
    if (state_.rop2 == 11) return false; // R2_NOP
    painter_.setWorldTransform(callerTransform_);
    painter_.setBackgroundMode(state_.opaqueBk ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(state_.bkColor);
    painter_.setCompositionMode(rasterOps() ? rop2Mode(state_.rop2)
                                            : QPainter::CompositionMode_SourceOver);
    const bool hasFill = fill && state_.brush.style != BS_NULL && qbrush().style() != Qt::NoBrush;
    const bool hasStroke = stroke && (state_.pen.style & PS_STYLE_MASK) != PS_NULL;
    return hasFill || hasStroke;
}

void MetafileDc::draw(const QPainterPath& logical, bool fill, bool stroke) {
    const QTransform t = toTarget();
    QPainterPath device = t.map(logical);
    if (state_.pathOpen) {
        state_.path.addPath(device);
        return;
    }
    if (!prepare(fill, stroke)) return;
    device.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    paint(device, fill, stroke, t);
}

void MetafileDc::paint(const QPainterPath& device, bool fill, bool stroke, const QTransform& t) {
    // One drawPath with pen and brush is much faster than separate fill and stroke calls.
    painter_.setBrush(fill && state_.brush.style != BS_NULL ? qbrush() : QBrush(Qt::NoBrush));
    painter_.setPen(stroke && (state_.pen.style & PS_STYLE_MASK) != PS_NULL ? qpen(t)
                                                                            : QPen(Qt::NoPen));
    painter_.drawPath(device);
}

void MetafileDc::appendLine(const QPolygonF& device) {
    if (device.isEmpty()) return;
    QPainterPath& path = state_.path;
    if (path.elementCount() == 0 || path.currentPosition() != device.first())
        path.moveTo(device.first());
    for (qsizetype i = 1; i < device.size(); ++i)
        path.lineTo(device[i]);
}

void MetafileDc::moveTo(QPointF p) {
    state_.pos = p;
    if (state_.pathOpen) state_.path.moveTo(toTarget().map(p));
}

void MetafileDc::lineTo(QPointF p) {
    polyline(QPolygonF{state_.pos, p});
    state_.pos = p;
}

void MetafileDc::polyline(const QPolygonF& points, bool fromCurrent) {
    QPolygonF line = points;
    if (fromCurrent) {
        line.prepend(state_.pos);
        if (!points.isEmpty()) state_.pos = points.last();
    }
    if (line.size() < 2) return;
    if (state_.pathOpen) {
        appendLine(toTarget().map(line));
        return;
    }
    QPainterPath path;
    path.addPolygon(line);
    draw(path, false, true);
}

void MetafileDc::polyPolyline(const QList<QPolygonF>& lines) {
    QPainterPath path;
    for (const QPolygonF& l : lines)
        path.addPolygon(l);
    draw(path, false, true);
}

void MetafileDc::polygon(const QList<QPolygonF>& polygons) {
    QPainterPath path;
    for (const QPolygonF& p : polygons) {
        if (p.isEmpty()) continue;
        path.addPolygon(p);
        path.closeSubpath();
    }
    draw(path, true, true);
}

void MetafileDc::polyBezier(const QPolygonF& points, bool fromCurrent) {
    QPainterPath path;
    qsizetype i = 0;
    if (fromCurrent) {
        path.moveTo(state_.pos);
    } else {
        if (points.isEmpty()) return;
        path.moveTo(points[0]);
        i = 1;
    }
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (fromCurrent && !points.isEmpty()) state_.pos = path.currentPosition();
    if (state_.pathOpen) {
        const QPainterPath device = toTarget().map(path);
        QPainterPath& open = state_.path;
        if (open.elementCount() == 0 || open.currentPosition() != device.elementAt(0))
            open.moveTo(device.elementAt(0));
        // The curves join the figure as they are (connectPath would drop a figure's opening
        // move and join it to the figure before).
        for (int k = 1; k + 2 < device.elementCount(); k += 3)
            open.cubicTo(device.elementAt(k), device.elementAt(k + 1), device.elementAt(k + 2));
        return;
    }
    draw(path, false, true);
}

void MetafileDc::rectangle(const QRectF& r) {
    QPainterPath path;
    path.addRect(r.normalized());
    draw(path, true, true);
}

void MetafileDc::roundRect(const QRectF& r, QSizeF corner) {
    QPainterPath path;
    path.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2,
                        std::abs(corner.height()) / 2);
    draw(path, true, true);
}

void MetafileDc::ellipse(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r.normalized());
    draw(path, true, true);
}

QPainterPath MetafileDc::arcPath(const QRectF& b, QPointF start, QPointF end, ArcKind kind) const {
    const QRectF box = b.normalized();
    const QPointF c = box.center();
    const qreal rx = box.width() / 2, ry = box.height() / 2;
    // The parametric angle where the ray from the centre through a point meets the
    // ellipse, counter-clockwise as seen with y growing downwards.
    auto angleOf = [&](QPointF p) {
        return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) * rx, (p.x() - c.x()) * ry));
    };
    const qreal a0 = angleOf(start), a1 = angleOf(end);
    qreal sweep = a1 - a0;
    // GDI draws counter-clockwise on the device unless told otherwise; a mapping that
    // flips the y axis turns the logical sense around.
    const bool clockwise = state_.clockwise != (toTarget().determinant() < 0);
    if (clockwise) {
        while (sweep >= 0)
            sweep -= 360;
    } else {
        while (sweep <= 0)
            sweep += 360;
    }
    QPainterPath path;
    if (kind == ArcKind::Pie) {
        path.moveTo(c);
        path.arcTo(box, a0, sweep);
        path.closeSubpath();
        return path;
    }
    if (kind == ArcKind::ArcTo)
        path.moveTo(state_.pos);
    else
        path.arcMoveTo(box, a0);
    path.arcTo(box, a0, sweep);
    if (kind == ArcKind::Chord) path.closeSubpath();
    return path;
}

void MetafileDc::arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind) {
    const QPainterPath path = arcPath(box, start, end, kind);
    if (kind == ArcKind::ArcTo) state_.pos = path.currentPosition();
    if (state_.pathOpen && kind == ArcKind::ArcTo) {
        state_.path.connectPath(toTarget().map(path));
        return;
    }
    const bool closed = kind == ArcKind::Chord || kind == ArcKind::Pie;
    draw(path, closed, true);
}

void MetafileDc::angleArc(QPointF c, qreal r, qreal startDeg, qreal sweepDeg) {
    QPainterPath path;
    path.moveTo(state_.pos);
    path.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), startDeg, sweepDeg);
    state_.pos = path.currentPosition();
    if (state_.pathOpen)
        state_.path.connectPath(toTarget().map(path));
    else
        draw(path, false, true);
}

void MetafileDc::textOut(QPointF ref, const QString& text, const QList<qreal>& dx, quint32 options,
                         const QRectF& rect) {
    const QTransform t = toTarget();
    const LogFont& lf = state_.font;
    if (state_.textAlign & TA_UPDATECP) ref = state_.pos;
    const QPointF origin = t.map(ref);
    // Scale of logical units along the device's y and x axes at the reference point.
    const qreal yScale = QLineF(origin, t.map(ref + QPointF(0, 1))).length();
    const qreal xScale = QLineF(origin, t.map(ref + QPointF(1, 0))).length();

    QFont font(lf.face.isEmpty() ? QStringLiteral("Arial") : lf.face);
    font.setWeight(QFont::Weight(qBound(1, lf.weight == 0 ? 400 : lf.weight, 1000)));
    font.setItalic(lf.italic);
    font.setUnderline(lf.underline);
    font.setStrikeOut(lf.strikeOut);
    qreal em = std::abs(lf.height) * yScale;
    if (lf.height == 0) em = 12 * yScale;
    if (lf.height > 0) {
        // A positive height is the cell height (ascent + descent), not the em size.
        font.setPixelSize(100);
        const QFontMetricsF m(font);
        em = em * 100 / qMax<qreal>(1, m.ascent() + m.descent());
    }
    if (!(em > 0) || em > maxFontPixels) return; // nothing to see, or beyond any page
    font.setPixelSize(qMax(1, qRound(em)));
    if (lf.width > 0) {
        const QFontMetricsF m(font);
        const qreal stretch = 100 * lf.width * xScale / qMax<qreal>(0.01, m.averageCharWidth());
        if (std::isfinite(stretch)) font.setStretch(qRound(qBound<qreal>(1, stretch, 4000)));
    }
    const QFontMetricsF fm(font);

    QList<qreal> advances;
    qreal width = 0;
    if (!dx.isEmpty()) {
        for (qreal d : dx)
            advances << d * xScale;
        for (qsizetype i = 0; i < text.size() && i < advances.size(); ++i)
            width += advances[i];
    } else {
        width = fm.horizontalAdvance(text) + state_.charExtra * xScale * text.size();
    }
    qreal x0 = 0, y0 = fm.ascent();
    if ((state_.textAlign & TA_CENTER) == TA_CENTER)
        x0 = -width / 2;
    else if (state_.textAlign & TA_RIGHT)
        x0 = -width;
    if ((state_.textAlign & TA_BASELINE) == TA_BASELINE)
        y0 = 0;
    else if (state_.textAlign & TA_BOTTOM)
        y0 = -fm.descent();
    if (state_.textAlign & TA_UPDATECP) {
        const qreal advance = (state_.textAlign & TA_CENTER) == TA_CENTER ? 0
                              : (state_.textAlign & TA_RIGHT)             ? -width
                                                                          : width;
        state_.pos = ref + QPointF(advance / qMax<qreal>(xScale, 1e-9) * (t.m11() < 0 ? -1 : 1), 0);
    }
    if (state_.pathOpen || state_.rop2 == 11) return;

    painter_.save();
    painter_.setWorldTransform(callerTransform_);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QPainterPath rectDevice;
    rectDevice.addPolygon(t.map(QPolygonF(rect.normalized())));
    if ((options & ETO_OPAQUE) && !rect.isEmpty()) painter_.fillPath(rectDevice, state_.bkColor);
    if ((options & ETO_CLIPPED) && !rect.isEmpty())
        painter_.setClipPath(rectDevice, Qt::IntersectClip);
    QTransform textSpace;
    textSpace.rotate(-(lf.escapement / 10.0));
    textSpace *= QTransform::fromTranslate(origin.x(), origin.y());
    painter_.setWorldTransform(textSpace * callerTransform_);
    if (state_.opaqueBk && !(options & ETO_OPAQUE))
        painter_.fillRect(QRectF(x0, y0 - fm.ascent(), width, fm.ascent() + fm.descent()),
                          state_.bkColor);
    painter_.setFont(font);
    painter_.setPen(state_.textColor);
    if (advances.isEmpty() && state_.charExtra == 0) {
        painter_.drawText(QPointF(x0, y0), text);
    } else {
        qreal x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            painter_.drawText(QPointF(x, y0), QString(text[i]));
            x += i < advances.size() ? advances[i]
                                     : fm.horizontalAdvance(text[i]) + state_.charExtra * xScale;
        }
    }
    painter_.restore();
}

void MetafileDc::fillDevice(const QPainterPath& device, const QBrush& brush,
                            QPainter::CompositionMode mode) {
    painter_.setWorldTransform(callerTransform_);
    painter_.setCompositionMode(rasterOps() ? mode : QPainter::CompositionMode_SourceOver);
    painter_.fillPath(device, brush);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileDc::blit(const QRectF& dest, const QImage& image, const QRectF& src, quint32 rop,
                      qreal opacity) {
    if (state_.pathOpen) return;
    const quint32 index = (rop >> 16) & 0xFF;
    const QTransform t = toTarget();
    QPainterPath device;
    device.addPolygon(t.map(QPolygonF(dest)));
    device.closeSubpath();
    const bool usesSource = ((index >> 2) & 0x33) != (index & 0x33);
    if (image.isNull() || !usesSource) {
        if (index == 0xAA) return; // leaves the destination alone
        painter_.setBackgroundMode(state_.opaqueBk ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_.setBackground(state_.bkColor);
        if (index == 0x00)
            fillDevice(device, Qt::black, QPainter::CompositionMode_SourceOver);
        else if (index == 0xFF)
            fillDevice(device, Qt::white, QPainter::CompositionMode_SourceOver);
        else if (index == 0x55)
            fillDevice(device, Qt::white, QPainter::RasterOp_NotDestination);
        else if (rasterOps() || index == 0xF0)
            fillDevice(device, qbrush(), ropMode(rop));
        return;
    }
    if (src.width() == 0 || src.height() == 0 || dest.width() == 0 || dest.height() == 0) return;
    const QTransform srcToDest =
        QTransform::fromTranslate(-src.x(), -src.y()) *
        QTransform::fromScale(dest.width() / src.width(), dest.height() / src.height()) *
        QTransform::fromTranslate(dest.x(), dest.y());
    const QTransform full = srcToDest * t * callerTransform_;
    // Only the part of the source inside the bitmap is drawn (Qt's raster engine does not
    // cope with source rectangles outside the image), and only through a sane transform.
    const QRectF inside = src.normalized() & QRectF(image.rect());
    const qreal m[] = {full.m11(), full.m12(), full.m21(), full.m22(), full.dx(), full.dy()};
    if (inside.isEmpty() ||
        std::any_of(std::begin(m), std::end(m), [](qreal v) { return !(std::abs(v) < 1e7); }))
        return;
    painter_.setWorldTransform(full);
    painter_.setCompositionMode(rasterOps() ? ropMode(rop) : QPainter::CompositionMode_SourceOver);
    painter_.setOpacity(opacity);
    painter_.drawImage(inside, image, inside);
    painter_.setOpacity(1);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileDc::fillRegion(const Region& region, const std::optional<LogBrush>& brush) {
    const LogBrush saved = state_.brush;
    if (brush) state_.brush = *brush;
    draw(region, true, false);
    state_.brush = saved;
}

void MetafileDc::frameRegion(const Region& region, const LogBrush& brush, QSizeF size) {
    const LogPen savedPen = state_.pen;
    state_.pen = LogPen{0, (std::abs(size.width()) + std::abs(size.height())), brush.color, {}};
    draw(region, false, true);
    state_.pen = savedPen;
}

void MetafileDc::invertRegion(const Region& region) {
    fillDevice(toTarget().map(region), Qt::white, QPainter::RasterOp_NotDestination);
}

void MetafileDc::combineClip(const std::optional<QPainterPath>& region, int mode) {
    std::optional<QPainterPath>& clip = state_.clip;
    switch (mode) {
    case RGN_COPY:
        clip = region;
        break;
    case RGN_AND:
        if (region) clip = clip ? clip->intersected(*region) : *region;
        break;
    case RGN_OR:
        if (clip && region) clip = clip->united(*region);
        break;
    case RGN_DIFF:
        if (region) clip = (clip ? *clip : everything()).subtracted(*region);
        break;
    case RGN_XOR:
        if (region) {
            const QPainterPath base = clip ? *clip : everything();
            clip = base.united(*region).subtracted(base.intersected(*region));
        }
        break;
    default:
        return;
    }
    applyClip();
}

void MetafileDc::applyClip() {
    painter_.restore();
    painter_.save();
    if (state_.clip) {
        painter_.setWorldTransform(callerTransform_);
        painter_.setClipPath(*state_.clip, Qt::IntersectClip);
    }
}

void MetafileDc::intersectClipRect(const QRectF& r) {
    QPainterPath p;
    p.addPolygon(toTarget().map(QPolygonF(r.normalized())));
    p.closeSubpath();
    combineClip(p, RGN_AND);
}

void MetafileDc::excludeClipRect(const QRectF& r) {
    QPainterPath p;
    p.addPolygon(toTarget().map(QPolygonF(r.normalized())));
    p.closeSubpath();
    combineClip(p, RGN_DIFF);
}

void MetafileDc::offsetClip(QPointF d) {
    if (!state_.clip) return;
    const QTransform t = toTarget();
    const QPointF offset = t.map(d) - t.map(QPointF(0, 0));
    state_.clip->translate(offset);
    applyClip();
}

void MetafileDc::selectClipRegion(const std::optional<Region>& region, int mode, bool deviceUnits) {
    if (!region) {
        if (mode == RGN_COPY) combineClip(std::nullopt, RGN_COPY);
        return;
    }
    QTransform t = toTarget();
    if (deviceUnits && !wmf_) {
        t = QTransform::fromTranslate(-frame_.x(), -frame_.y()) *
            QTransform::fromScale(target_.width() / frame_.width(),
                                  target_.height() / frame_.height()) *
            QTransform::fromTranslate(target_.x(), target_.y());
    }
    combineClip(t.map(*region), mode);
}

void MetafileDc::selectClipPath(int mode) {
    QPainterPath path = state_.path;
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    state_.path = QPainterPath();
    combineClip(path, mode);
}

void MetafileDc::beginPath() {
    state_.path = QPainterPath();
    state_.pathOpen = true;
}

void MetafileDc::abortPath() {
    state_.path = QPainterPath();
    state_.pathOpen = false;
}

void MetafileDc::closeFigure() {
    if (state_.pathOpen) state_.path.closeSubpath();
}

void MetafileDc::drawPath(bool fill, bool stroke) {
    QPainterPath device = state_.path;
    state_.path = QPainterPath();
    state_.pathOpen = false;
    if (!prepare(fill, stroke)) return;
    device.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    paint(device, fill, stroke, toTarget());
}

} // namespace platform
