#pragma once
// The device context that Windows metafiles (WMF and EMF) are played onto: the drawing
// state the records change (mapping, pens, brushes, fonts, text settings, clipping, paths,
// the object table, saved states) and the drawing operations in logical coordinates.
// Everything is drawn as vectors on a QPainter, so a metafile printed into a PDF stays a
// vector picture with real text. Both players share this class, which is the one place
// that knows how GDI state turns into Qt drawing.
#include "platform/metafiles/MetafileRecords.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <optional>
#include <variant>
#include <vector>

namespace platform {

class MetafileDc {
  public:
    struct LogPen {
        quint32 style = 0; // PS_* with end cap and join bits
        qreal width = 0;   // logical units; 0 is one device pixel
        QColor color = Qt::black;
        QList<qreal> dashes; // a user style's dash and gap lengths, in logical units
    };
    struct LogBrush {
        quint32 style = 0; // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN, BS_DIBPATTERN
        QColor color = Qt::white;
        quint32 hatch = 0;
        QImage pattern;
    };
    struct LogFont {
        qreal height = 0, width = 0;
        int escapement = 0, weight = 400, charset = 0;
        bool italic = false, underline = false, strikeOut = false;
        QString face;
    };
    // A region, in logical units of the metafile that created it.
    using Region = QPainterPath;
    struct Palette {};
    using Object = std::variant<std::monostate, LogPen, LogBrush, LogFont, Region, Palette>;

    // Mapping modes and text alignment codes, as records carry them (clip combination
    // codes: RegionMode).
    enum {
        MM_TEXT = 1,
        MM_LOMETRIC,
        MM_HIMETRIC,
        MM_LOENGLISH,
        MM_HIENGLISH,
        MM_TWIPS,
        MM_ISOTROPIC,
        MM_ANISOTROPIC
    };
    enum { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };

    // Playing maps the metafile onto `frame` of the painter's current coordinates. A WMF
    // maps its window onto the frame; an EMF maps its picture frame, given in pixels of
    // its reference device, whose millimetre size fixes the metric mapping modes.
    MetafileDc(QPainter& painter, const QRectF& target);
    ~MetafileDc();
    MetafileDc(const MetafileDc&) = delete;
    MetafileDc& operator=(const MetafileDc&) = delete;
    void setWindowMapsToTarget(const QRectF& window);
    void setReferenceFrame(const QRectF& framePixels, QSizeF pixelsPerMm);

    // Mapping.
    void setMapMode(int mode);
    void setWindowOrg(QPointF p);
    void setWindowExt(QSizeF s);
    void setViewportOrg(QPointF p);
    void setViewportExt(QSizeF s);
    void offsetWindowOrg(QPointF d) { setWindowOrg(state_.windowOrg + d); }
    void offsetViewportOrg(QPointF d) { setViewportOrg(state_.viewportOrg + d); }
    void scaleWindowExt(qreal xn, qreal xd, qreal yn, qreal yd);
    void scaleViewportExt(qreal xn, qreal xd, qreal yn, qreal yd);
    void setWorldTransform(const QTransform& t) { state_.world = t; }
    void modifyWorldTransform(const QTransform& t, int mode);

    // Simple settings.
    void setTextColor(QColor c) { state_.textColor = c; }
    void setBkColor(QColor c) { state_.bkColor = c; }
    void setBkMode(int mode) { state_.opaqueBk = mode == 2; }
    void setTextAlign(quint32 a) { state_.textAlign = a; }
    void setPolyFillMode(int mode) { state_.winding = mode == 2; }
    void setRop2(int rop) { state_.rop2 = rop; }
    void setArcDirection(int dir) { state_.clockwise = dir == 2; }
    void setTextCharExtra(qreal extra) { state_.charExtra = extra; }

    // Object table: WMF puts a new object into the lowest free slot, EMF names the slot.
    void createObject(Object object);
    void createObjectAt(quint32 index, Object object);
    void selectObject(quint32 index);
    void selectStockObject(quint32 stock);
    void deleteObject(quint32 index);
    void selectPen(const LogPen& pen) { state_.pen = pen; }
    void selectBrush(const LogBrush& brush) { state_.brush = brush; }

    void save();
    void restore(int which);

    // Drawing in logical coordinates.
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    QPointF currentPosition() const { return state_.pos; }
    void polyline(const QPolygonF& points, bool fromCurrent = false);
    void polyPolyline(const QList<QPolygonF>& lines);
    void polygon(const QList<QPolygonF>& polygons);
    void polyBezier(const QPolygonF& points, bool fromCurrent);
    void rectangle(const QRectF& r);
    void roundRect(const QRectF& r, QSizeF corner);
    void ellipse(const QRectF& r);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    void arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind);
    void angleArc(QPointF center, qreal radius, qreal startDeg, qreal sweepDeg);
    void textOut(QPointF ref, const QString& text, const QList<qreal>& dx, quint32 options,
                 const QRectF& rect);
    // Stretches `src` of the image onto `dest` with a ternary raster operation, at an
    // opacity (an alpha blend's constant alpha); a null image makes it a pattern blit with
    // the current brush.
    void blit(const QRectF& dest, const QImage& image, const QRectF& src, quint32 rop,
              qreal opacity = 1);
    void fillRegion(const Region& region, const std::optional<LogBrush>& brush);
    void frameRegion(const Region& region, const LogBrush& brush, QSizeF size);
    void invertRegion(const Region& region);
    Region regionAt(quint32 index) const;
    LogBrush brushAt(quint32 index) const;

    // Clipping. Device regions are in reference-device pixels (EMF), logical ones in
    // logical units (WMF).
    void intersectClipRect(const QRectF& r);
    void excludeClipRect(const QRectF& r);
    void offsetClip(QPointF d);
    void selectClipRegion(const std::optional<Region>& region, int mode, bool deviceUnits);
    void selectClipPath(int mode);

    // Paths.
    void beginPath();
    void endPath() { state_.pathOpen = false; }
    void abortPath();
    void closeFigure();
    void fillPath() { drawPath(true, false); }
    void strokePath() { drawPath(false, true); }
    void strokeAndFillPath() { drawPath(true, true); }

    static QColor colorRef(quint32 c) {
        return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }

  private:
    struct State {
        LogPen pen;
        LogBrush brush;
        LogFont font;
        QColor textColor = Qt::black, bkColor = Qt::white;
        bool opaqueBk = true, winding = false, clockwise = false, pathOpen = false;
        quint32 textAlign = 0;
        int rop2 = 13; // R2_COPYPEN
        qreal charExtra = 0;
        int mapMode = MM_TEXT;
        QPointF windowOrg, viewportOrg;
        QSizeF windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
        QPointF pos;
        std::optional<QPainterPath> clip; // in the painter's coordinates
        QPainterPath path;                // the path being built, in the painter's coordinates
    };

    QTransform toTarget() const; // logical units to the painter's coordinates
    qreal deviceScale(const QTransform& t) const;
    bool prepare(bool fill, bool stroke);
    QPen qpen(const QTransform& t) const;
    QBrush qbrush() const;
    void draw(const QPainterPath& logical, bool fill, bool stroke);
    void paint(const QPainterPath& device, bool fill, bool stroke, const QTransform& t);
    void drawPath(bool fill, bool stroke);
    void appendLine(const QPolygonF& device);
    void combineClip(const std::optional<QPainterPath>& region, int mode);
    void applyClip();
    void fillDevice(const QPainterPath& device, const QBrush& brush,
                    QPainter::CompositionMode mode);
    bool rasterOps() const;
    QPainterPath arcPath(const QRectF& box, QPointF start, QPointF end, ArcKind kind) const;

    QPainter& painter_;
    QTransform callerTransform_;
    QRectF target_;
    bool wmf_ = true;
    QRectF window0_, frame_;
    QSizeF pixelsPerMm_{3.78, 3.78};
    State state_;
    std::vector<State> saved_;
    std::vector<Object> objects_;
};

} // namespace platform
