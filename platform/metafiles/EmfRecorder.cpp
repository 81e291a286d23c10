#include "platform/metafiles/EmfRecorder.h"

#include "platform/drawing/GradientBands.h"
#include "platform/metafiles/MetafileRecords.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <optional>

namespace platform {

namespace {
// Logical units of the recording: hundredths of a millimetre, on a reference device whose
// pixels are that size, so the frame, the bounds and every coordinate share one unit.
constexpr double unitsPerPixel = 2540.0 / EmfRecorder::pixelsPerInch;
constexpr qint32 referencePixels[2] = {21000, 29700};
constexpr qint32 referenceMm[2] = {210, 297};

constexpr quint32 penSlot = 1, brushSlot = 2;
constexpr quint32 nullBrush = 0x80000005, nullPen = 0x80000008;

qint32 coordinate(qreal v) {
    if (!std::isfinite(v)) return 0;
    return qint32(std::lround(qBound<qreal>(-1e9, v, 1e9)));
}

// The colour paint of this colour leaves at the painter's opacity; nothing for paint that
// leaves none.
std::optional<QColor> visible(QColor c, qreal opacity) {
    const qreal a = c.alphaF() * opacity;
    if (a < 1.0 / 255) return std::nullopt;
    c.setAlphaF(float(std::min<qreal>(a, 1)));
    return c;
}

QColor averageColor(const QBrush& brush) {
    if (const QGradient* g = brush.gradient()) {
        const QGradientStops stops = g->stops();
        if (stops.isEmpty()) return Qt::transparent;
        float r = 0, gr = 0, b = 0, a = 0;
        for (const QGradientStop& s : stops) {
            r += s.second.redF();
            gr += s.second.greenF();
            b += s.second.blueF();
            a += s.second.alphaF();
        }
        const float n = float(stops.size());
        return QColor::fromRgbF(r / n, gr / n, b / n, a / n);
    }
    if (brush.style() == Qt::TexturePattern) {
        const QImage tex = brush.textureImage();
        if (tex.isNull()) return Qt::transparent;
        return tex.convertToFormat(QImage::Format_ARGB32)
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    }
    return brush.color();
}

quint32 colorRef(QColor c) {
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}
} // namespace

class EmfRecorder::Engine : public QPaintEngine {
  public:
    explicit Engine(QSizeF pixels) : QPaintEngine(AllFeatures), pixels_(pixels) {}

    bool begin(QPaintDevice*) override {
        out_.clear();
        records_ = 0;
        drawings_ = 0;
        overflowed_ = false;
        penKey_.reset();
        brushKey_.reset();
        const qint32 w = coordinate(pixels_.width() * unitsPerPixel);
        const qint32 h = coordinate(pixels_.height() * unitsPerPixel);
        Record r(EMR_HEADER);
        r << 0 << 0 << w - 1 << h - 1;            // bounds, in reference pixels
        r << 0 << 0 << w << h;                    // frame, in hundredths of a millimetre
        r << 0x464D4520u << 0x10000u << 0u << 0u; // signature, version, bytes, records
        r << quint32(3);                          // handles (16 bits) and a reserved word
        r << 0u << 0u << 0u;                      // description, palette
        r << referencePixels[0] << referencePixels[1] << referenceMm[0] << referenceMm[1];
        write(r);
        return true;
    }

    bool end() override {
        Record eof(EMR_EOF);
        eof << 0u << 16u << 20u;
        write(eof);
        qToLittleEndian(quint32(out_.size()), out_.data() + 48);
        qToLittleEndian(quint32(records_), out_.data() + 52);
        return true;
    }

    Type type() const override { return User; }
    const QByteArray& data() const { return out_; }
    bool drewAnything() const { return drawings_ > 0; }
    bool overflowed() const { return overflowed_; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags flags = state.state();
        if (flags & DirtyTransform) transform_ = state.transform();
        if (flags & DirtyPen) pen_ = state.pen();
        if (flags & DirtyBrush) brush_ = state.brush();
        if (flags & DirtyOpacity) opacity_ = state.opacity();
        if (flags & DirtyClipPath) clip(state.clipPath(), state.clipOperation());
        if (flags & DirtyClipRegion) {
            QPainterPath path;
            path.addRegion(state.clipRegion());
            clip(path, state.clipOperation());
        }
        if ((flags & DirtyClipEnabled) && !state.isClipEnabled()) clip({}, Qt::NoClip);
    }

    void drawPath(const QPainterPath& path) override { drawShape(path, true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        drawShape(path, mode != PolylineMode);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags) override {
        if (overflowed_) return;
        const QImage part = image.copy(sr.toAlignedRect());
        if (part.isNull()) return;
        QImage bits(part.size(), QImage::Format_RGB32);
        bits.fill(Qt::white);
        {
            QPainter p(&bits);
            p.setOpacity(opacity_);
            p.drawImage(0, 0, part);
        }
        bits = bits.mirrored(); // DIB rows run bottom up
        const QRect dest = toUnits().mapRect(r).toAlignedRect();
        const qint32 bitsBytes = qint32(bits.sizeInBytes());
        Record rec(EMR_STRETCHDIBITS);
        rec << dest.left() << dest.top() << dest.right() << dest.bottom();
        rec << dest.left() << dest.top() << 0 << 0 << bits.width() << bits.height();
        rec << 80 << 40 << 120 << bitsBytes << 0 << 0x00CC0020 << dest.width() << dest.height();
        rec << 40 << bits.width() << bits.height() << quint32(1 | 32 << 16) << 0 << bitsBytes;
        rec << 0 << 0 << 0 << 0;
        rec.bytes.append(reinterpret_cast<const char*>(bits.constBits()), bitsBytes);
        write(rec);
        ++drawings_;
    }

  private:
    struct Record {
        explicit Record(quint32 type) { *this << type << 0u; }
        Record& operator<<(quint32 v) {
            char b[4];
            qToLittleEndian(v, b);
            bytes.append(b, 4);
            return *this;
        }
        Record& operator<<(qint32 v) { return *this << quint32(v); }
        QByteArray bytes;
    };

    void write(Record& r) {
        // Room is kept for the end record.
        if (overflowed_ || out_.size() + r.bytes.size() > maxBytes - 20 ||
            records_ + 1 >= maxRecords) {
            if (r.bytes.size() < 8 || qFromLittleEndian<quint32>(r.bytes.constData()) != EMR_EOF) {
                overflowed_ = true;
                return;
            }
        }
        qToLittleEndian(quint32(r.bytes.size()), r.bytes.data() + 4);
        out_.append(r.bytes);
        ++records_;
    }

    void simple(quint32 type, std::initializer_list<quint32> values = {}) {
        Record r(type);
        for (quint32 v : values)
            r << v;
        write(r);
    }

    QTransform toUnits() const {
        return transform_ * QTransform::fromScale(unitsPerPixel, unitsPerPixel);
    }

    // The path's figures, in recording units, between a begin-path and an end-path record.
    void writePath(const QPainterPath& path) {
        simple(EMR_SETPOLYFILLMODE, {path.fillRule() == Qt::WindingFill ? 2u : 1u});
        simple(EMR_BEGINPATH);
        QPolygon pending;
        quint32 pendingType = 0;
        auto flush = [&] {
            if (pending.isEmpty()) return;
            const QRect b = pending.boundingRect();
            Record r(pendingType);
            r << b.left() << b.top() << b.right() << b.bottom() << int(pending.size());
            for (const QPoint& p : pending)
                r << p.x() << p.y();
            write(r);
            pending.clear();
        };
        auto point = [](const QPointF& p) { return QPoint(coordinate(p.x()), coordinate(p.y())); };
        QPoint start, last;
        int figureLength = 0;
        auto closeIfReturned = [&] {
            flush();
            if (figureLength > 1 && last == start) simple(EMR_CLOSEFIGURE);
        };
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QPoint p = point(e);
            if (e.isMoveTo()) {
                closeIfReturned();
                simple(EMR_MOVETOEX, {quint32(p.x()), quint32(p.y())});
                start = last = p;
                figureLength = 1;
                continue;
            }
            const quint32 type = e.isLineTo() ? EMR_POLYLINETO : EMR_POLYBEZIERTO;
            if (type != pendingType) flush();
            pendingType = type;
            if (e.isCurveTo()) {
                if (i + 2 >= path.elementCount()) break;
                pending << p << point(path.elementAt(i + 1)) << point(path.elementAt(i + 2));
                last = pending.last();
                i += 2;
            } else {
                pending << p;
                last = p;
            }
            ++figureLength;
        }
        closeIfReturned();
        simple(EMR_ENDPATH);
    }

    void clip(const QPainterPath& path, Qt::ClipOperation op) {
        if (op == Qt::NoClip) {
            simple(EMR_EXTSELECTCLIPRGN, {0, RGN_COPY});
            return;
        }
        writePath(toUnits().map(path));
        simple(EMR_SELECTCLIPPATH, {op == Qt::IntersectClip ? RGN_AND : RGN_COPY});
    }

    // The dash lengths of the current pen, in recording units, for a pen `width` units
    // wide; empty for a solid pen.
    QList<quint32> dashes(qreal width) const {
        QList<quint32> out;
        if (pen_.style() == Qt::SolidLine || width <= 0) return out;
        for (qreal d : pen_.dashPattern())
            out << quint32(std::max<qint32>(1, coordinate(std::min(d * width, 1e8))));
        return out;
    }

    void selectPen(std::optional<QColor> color, qreal width, Qt::PenCapStyle cap,
                   Qt::PenJoinStyle join, const QList<quint32>& dashLengths = {}) {
        if (!color) {
            penKey_.reset();
            simple(EMR_SELECTOBJECT, {nullPen});
            return;
        }
        const quint32 capBits = cap == Qt::FlatCap ? 0x200 : cap == Qt::SquareCap ? 0x100 : 0;
        const quint32 joinBits = join == Qt::BevelJoin   ? 0x1000
                                 : join == Qt::RoundJoin ? 0
                                                         : 0x2000;
        const quint32 geometric = width > 0 ? 0x10000 : 0;
        const quint32 userStyle = dashLengths.isEmpty() ? 0 : 7;
        const quint32 style = geometric | capBits | joinBits | userStyle;
        const quint32 w = width > 0 ? quint32(std::max<qint32>(1, coordinate(width))) : 1;
        const QList<quint32> key = QList<quint32>{style, w, colorRef(*color)} + dashLengths;
        if (penKey_ != key) {
            if (penKey_) simple(EMR_DELETEOBJECT, {penSlot});
            Record r(EMR_EXTCREATEPEN);
            r << penSlot << 0u << 0u << 0u << 0u << style << w << 0u << key[2] << 0u
              << quint32(dashLengths.size());
            for (quint32 d : dashLengths)
                r << d;
            write(r);
            penKey_ = key;
        }
        simple(EMR_SELECTOBJECT, {penSlot});
    }

    void selectBrush(std::optional<QColor> color) {
        if (!color) {
            simple(EMR_SELECTOBJECT, {nullBrush});
            return;
        }
        const quint32 key = colorRef(*color);
        if (brushKey_ != key) {
            if (brushKey_) simple(EMR_DELETEOBJECT, {brushSlot});
            simple(EMR_CREATEBRUSHINDIRECT, {brushSlot, 0, key, 0});
            brushKey_ = key;
        }
        simple(EMR_SELECTOBJECT, {brushSlot});
    }

    void drawShape(const QPainterPath& path, bool fill) {
        if (overflowed_) return;
        const QTransform t = toUnits();
        QPainterPath mapped = t.map(path);
        mapped.setFillRule(path.fillRule());
        std::optional<QColor> fillColor;
        if (fill && brush_.style() != Qt::NoBrush) {
            const QList<GradientBands::Band> bands =
                GradientBands::of(brush_, path.boundingRect(), t);
            if (bands.isEmpty())
                fillColor = visible(averageColor(brush_), opacity_);
            else
                fillBands(mapped, bands);
        }
        // A pen without a brush draws nothing (Qt SVG outlines text with one).
        std::optional<QColor> penColor =
            pen_.style() == Qt::NoPen || pen_.brush().style() == Qt::NoBrush
                ? std::nullopt
                : visible(averageColor(pen_.brush()), opacity_);
        const bool cosmetic = pen_.isCosmetic();
        auto near = [](qreal a, qreal b) {
            return std::abs(a - b) <= 1e-6 * std::max({1.0, std::abs(a), std::abs(b)});
        };
        const bool uniform = (near(t.m11(), t.m22()) && near(t.m12(), -t.m21())) ||
                             (near(t.m11(), -t.m22()) && near(t.m12(), t.m21()));
        // A see-through fill is blended into the shape after it.
        if (fillColor && fillColor->alpha() < 255) {
            fillSolid(mapped, *fillColor);
            fillColor.reset();
        }
        // A pen whose width the transform would distort, or a see-through one, is drawn as
        // the filled outline of its stroke.
        if (penColor && !cosmetic && (!uniform || penColor->alpha() < 255)) {
            QPainterPath outline = t.map(QPainterPathStroker(pen_).createStroke(path));
            outline.setFillRule(Qt::WindingFill);
            fillSolid(outline, *penColor);
            penColor.reset();
        }
        if (!fillColor && !penColor) return;
        selectBrush(fillColor);
        const qreal scale = std::sqrt(std::abs(t.determinant()));
        const qreal width = cosmetic ? 0 : pen_.widthF() * scale;
        selectPen(penColor, width, pen_.capStyle(), pen_.joinStyle(), dashes(width));
        writePath(mapped);
        ++drawings_;
        simple(fillColor && penColor ? EMR_STROKEANDFILLPATH
               : fillColor           ? EMR_FILLPATH
                                     : EMR_STROKEPATH,
               {0, 0, 0, 0});
    }

    // Fills a shape in recording units with one colour: opaque paint as a path, see-through
    // paint as a one-pixel bitmap blended over the shape's bounds within its clip.
    void fillSolid(const QPainterPath& shape, QColor color) {
        if (color.alpha() == 255) {
            selectBrush(color);
            selectPen(std::nullopt, 0, {}, {});
            writePath(shape);
            simple(EMR_FILLPATH, {0, 0, 0, 0});
        } else {
            simple(EMR_SAVEDC);
            writePath(shape);
            simple(EMR_SELECTCLIPPATH, {RGN_AND});
            blend(shape.boundingRect().toAlignedRect(), color);
            simple(EMR_RESTOREDC, {quint32(-1)});
        }
        ++drawings_;
    }

    // A gradient: its bands, each filled within the clip of the shape.
    void fillBands(const QPainterPath& shape, const QList<GradientBands::Band>& bands) {
        simple(EMR_SAVEDC);
        writePath(shape);
        simple(EMR_SELECTCLIPPATH, {RGN_AND});
        const QRectF bounds = shape.boundingRect();
        for (const GradientBands::Band& b : bands)
            if (const std::optional<QColor> c = visible(b.color, opacity_);
                c && b.shape.intersects(bounds))
                fillSolid(b.shape, *c);
        simple(EMR_RESTOREDC, {quint32(-1)});
    }

    // An alpha blend of one pixel of the colour, stretched over `dest`, at the colour's alpha.
    void blend(const QRect& dest, QColor color) {
        Record rec(EMR_ALPHABLEND);
        rec << dest.left() << dest.top() << dest.right() << dest.bottom();
        rec << dest.left() << dest.top() << dest.width() << dest.height();
        rec << (quint32(color.alpha()) << 16); // blend function: source over, constant alpha
        rec << 0 << 0;                         // source origin
        for (float v : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
            rec << std::bit_cast<quint32>(v);
        rec << 0 << 0;                          // background colour, usage
        rec << 108 << 40 << 148 << 4 << 1 << 1; // bitmap info and bits, source size
        rec << 40 << 1 << 1 << quint32(1 | 32 << 16) << 0 << 4 << 0 << 0 << 0 << 0;
        rec << (quint32(color.blue()) | quint32(color.green()) << 8 | quint32(color.red()) << 16);
        write(rec);
    }

    QSizeF pixels_;
    QByteArray out_;
    int records_ = 0;
    int drawings_ = 0;
    bool overflowed_ = false;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
    qreal opacity_ = 1;
    std::optional<QList<quint32>> penKey_;
    std::optional<quint32> brushKey_;
};

EmfRecorder::EmfRecorder(QSizeF pixels)
    : size_(pixels), engine_(std::make_unique<Engine>(pixels)) {}

EmfRecorder::~EmfRecorder() = default;

QPaintEngine* EmfRecorder::paintEngine() const {
    return engine_.get();
}

QByteArray EmfRecorder::data() const {
    return engine_->data();
}

bool EmfRecorder::drewAnything() const {
    return engine_->drewAnything();
}

bool EmfRecorder::overflowed() const {
    return engine_->overflowed();
}

int EmfRecorder::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return qCeil(size_.width());
    case PdmHeight:
        return qCeil(size_.height());
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / pixelsPerInch);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / pixelsPerInch);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return pixelsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace platform
