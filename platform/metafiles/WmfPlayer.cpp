#include "platform/metafiles/WmfPlayer.h"

#include "platform/metafiles/MetafileDc.h"
#include "platform/metafiles/MetafileRecords.h"
#include "platform/metafiles/MetafileText.h"
#include "platform/pictures/DibDecoder.h"
#include "platform/system/ByteReader.h"

namespace platform {

namespace {
constexpr int placeableSize = 22;

QPointF pointYX(ByteReader& r) {
    const qint16 y = r.i16();
    const qint16 x = r.i16();
    return QPointF(x, y);
}

// Four 16-bit values stored bottom, right, top, left.
QRectF rectBRTL(ByteReader& r) {
    const qint16 b = r.i16(), rr = r.i16(), t = r.i16(), l = r.i16();
    return QRectF(QPointF(l, t), QPointF(rr, b));
}

QPolygonF points(ByteReader& r, int count) {
    QPolygonF poly;
    if (qsizetype(count) * 4 > r.remaining()) return poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint16 x = r.i16(), y = r.i16();
        poly << QPointF(x, y);
    }
    return poly;
}

// An old device-dependent bitmap (Bitmap16); only the depths that need no palette.
QImage bitmap16(ByteReader& r, QColor fore, QColor back) {
    r.skip(2);
    const int width = r.i16(), height = r.i16(), widthBytes = r.i16();
    const int planes = r.u8(), bpp = r.u8();
    if (!r.ok() || width <= 0 || height <= 0 || planes != 1 || widthBytes <= 0) return {};
    if (qint64(widthBytes) * height > r.remaining() || qint64(widthBytes) * 8 < qint64(width) * bpp)
        return {};
    const QByteArrayView bits = r.bytes(qsizetype(widthBytes) * height);
    QImage image;
    if (bpp == 1) {
        image = QImage(width, height, QImage::Format_Mono);
        image.setColorTable({fore.rgb(), back.rgb()}); // 0-bits take the foreground
    } else if (bpp == 24 || bpp == 32) {
        image = QImage(width, height, QImage::Format_RGB32);
    } else {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const uchar*>(bits.data()) + qsizetype(y) * widthBytes;
        if (bpp == 1) {
            memcpy(image.scanLine(y), line, size_t((width + 7) / 8));
        } else {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                out[x] = qRgb(line[x * bpp / 8 + 2], line[x * bpp / 8 + 1], line[x * bpp / 8]);
        }
    }
    return image;
}

// A region object: scans of (top, bottom) with pairs of left and right edges.
MetafileDc::Region region(ByteReader& r) {
    r.skip(10);
    const int scans = r.i16();
    r.skip(10);
    MetafileDc::Region region;
    for (int s = 0; s < scans && r.ok(); ++s) {
        const int count = r.u16();
        const qint16 top = r.i16(), bottom = r.i16();
        for (int k = 0; k + 1 < count && r.ok(); k += 2) {
            const qint16 left = r.i16(), right = r.i16();
            region.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
        }
        r.skip(2);
    }
    return region.simplified();
}
} // namespace

bool WmfPlayer::readHeader(QByteArrayView data, QRectF* bounds, int* unitsPerInch) {
    ByteReader r(data);
    if (r.u32() != placeableKey) return false;
    r.skip(2);
    const qint16 left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
    const int inch = r.u16();
    r.skip(6);
    const int type = r.u16(), headerWords = r.u16();
    if (!r.ok() || inch == 0 || right == left || bottom == top || (type != 1 && type != 2) ||
        headerWords != 9)
        return false;
    *bounds = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    *unitsPerInch = inch;
    return true;
}

bool WmfPlayer::play(MetafileDc& dc, QByteArrayView data) {
    QRectF bounds;
    int inch = 0;
    if (!readHeader(data, &bounds, &inch)) return false;
    dc.setWindowMapsToTarget(bounds);
    ByteReader file(data.sliced(placeableSize));
    file.skip(18); // the metafile header
    while (file.remaining() >= 6) {
        const quint32 words = file.u32();
        const quint16 function = file.u16();
        if (words < 3 || qint64(words) * 2 - 6 > file.remaining()) break;
        ByteReader r(file.bytes(qsizetype(words) * 2 - 6));
        const int paramWords = int(words) - 3;
        switch (function) {
        case META_EOF:
            return true;
        case META_SETBKCOLOR:
            dc.setBkColor(MetafileDc::colorRef(r.u32()));
            break;
        case META_SETBKMODE:
            dc.setBkMode(r.u16());
            break;
        case META_SETMAPMODE:
            dc.setMapMode(r.u16());
            break;
        case META_SETROP2:
            dc.setRop2(r.u16());
            break;
        case META_SETPOLYFILLMODE:
            dc.setPolyFillMode(r.u16());
            break;
        case META_SETTEXTCHAREXTRA:
            dc.setTextCharExtra(r.i16());
            break;
        case META_SETTEXTCOLOR:
            dc.setTextColor(MetafileDc::colorRef(r.u32()));
            break;
        case META_SETTEXTALIGN:
            dc.setTextAlign(r.u16());
            break;
        case META_SETWINDOWORG:
            dc.setWindowOrg(pointYX(r));
            break;
        case META_SETWINDOWEXT: {
            const QPointF e = pointYX(r);
            dc.setWindowExt({e.x(), e.y()});
            break;
        }
        case META_SETVIEWPORTORG:
            dc.setViewportOrg(pointYX(r));
            break;
        case META_SETVIEWPORTEXT: {
            const QPointF e = pointYX(r);
            dc.setViewportExt({e.x(), e.y()});
            break;
        }
        case META_OFFSETWINDOWORG:
            dc.offsetWindowOrg(pointYX(r));
            break;
        case META_OFFSETVIEWPORTORG:
            dc.offsetViewportOrg(pointYX(r));
            break;
        case META_SCALEWINDOWEXT:
        case META_SCALEVIEWPORTEXT: {
            const qint16 yd = r.i16(), yn = r.i16(), xd = r.i16(), xn = r.i16();
            if (function == META_SCALEWINDOWEXT)
                dc.scaleWindowExt(xn, xd, yn, yd);
            else
                dc.scaleViewportExt(xn, xd, yn, yd);
            break;
        }
        case META_LINETO:
            dc.lineTo(pointYX(r));
            break;
        case META_MOVETO:
            dc.moveTo(pointYX(r));
            break;
        case META_EXCLUDECLIPRECT:
            dc.excludeClipRect(rectBRTL(r));
            break;
        case META_INTERSECTCLIPRECT:
            dc.intersectClipRect(rectBRTL(r));
            break;
        case META_OFFSETCLIPRGN:
            dc.offsetClip(pointYX(r));
            break;
        case META_ARC:
        case META_PIE:
        case META_CHORD: {
            const QPointF end = pointYX(r), start = pointYX(r);
            const QRectF box = rectBRTL(r);
            if (!r.ok()) break;
            dc.arc(box, start, end,
                   function == META_ARC   ? MetafileDc::ArcKind::Arc
                   : function == META_PIE ? MetafileDc::ArcKind::Pie
                                          : MetafileDc::ArcKind::Chord);
            break;
        }
        case META_ELLIPSE: {
            const QRectF b = rectBRTL(r);
            if (r.ok()) dc.ellipse(b);
            break;
        }
        case META_RECTANGLE: {
            const QRectF b = rectBRTL(r);
            if (r.ok()) dc.rectangle(b);
            break;
        }
        case META_ROUNDRECT: {
            const qint16 h = r.i16(), w = r.i16();
            const QRectF b = rectBRTL(r);
            if (r.ok()) dc.roundRect(b, QSizeF(w, h));
            break;
        }
        case META_SETPIXEL: {
            const QColor c = MetafileDc::colorRef(r.u32());
            const QPointF p = pointYX(r);
            if (!r.ok()) break;
            dc.save();
            dc.selectPen(MetafileDc::LogPen{5, 0, c, {}});
            dc.selectBrush(MetafileDc::LogBrush{0, c, 0, {}});
            dc.rectangle(QRectF(p, QSizeF(1, 1)));
            dc.restore(-1);
            break;
        }
        case META_POLYGON:
        case META_POLYLINE: {
            const QPolygonF poly = points(r, r.i16());
            if (function == META_POLYGON)
                dc.polygon({poly});
            else
                dc.polyline(poly);
            break;
        }
        case META_POLYPOLYGON: {
            const int n = r.u16();
            if (qsizetype(n) * 2 > r.remaining()) break;
            QList<int> counts;
            for (int i = 0; i < n; ++i)
                counts << r.u16();
            QList<QPolygonF> polys;
            for (int c : counts)
                polys << points(r, c);
            dc.polygon(polys);
            break;
        }
        case META_PATBLT: {
            const quint32 rop = r.u32();
            const qint16 h = r.i16(), w = r.i16();
            const QPointF p = pointYX(r);
            if (r.ok()) dc.blit(QRectF(p, QSizeF(w, h)), {}, {}, rop);
            break;
        }
        case META_SAVEDC:
            dc.save();
            break;
        case META_RESTOREDC:
            dc.restore(r.i16());
            break;
        case META_TEXTOUT: {
            const int count = r.u16();
            const QByteArrayView s = r.bytes(count + (count & 1));
            const QPointF p = pointYX(r);
            if (r.ok()) dc.textOut(p, MetafileText::ansi(s.first(count)), {}, 0, {});
            break;
        }
        case META_EXTTEXTOUT: {
            const QPointF p = pointYX(r);
            const int count = r.u16();
            const quint32 options = r.u16();
            QRectF rect;
            if (options & (MetafileDc::ETO_OPAQUE | MetafileDc::ETO_CLIPPED)) {
                const qint16 l = r.i16(), t = r.i16(), rr = r.i16(), b = r.i16();
                rect = QRectF(QPointF(l, t), QPointF(rr, b));
            }
            const QByteArrayView s = r.bytes(count + (count & 1));
            if (!r.ok()) break;
            QList<qreal> dx;
            if (r.remaining() >= qsizetype(count) * 2)
                for (int i = 0; i < count; ++i)
                    dx << r.i16();
            dc.textOut(p, MetafileText::ansi(s.first(count)), dx, options, rect);
            break;
        }
        case META_BITBLT:     // with an old bitmap
        case META_STRETCHBLT: // with an old bitmap
        case META_DIBBITBLT:
        case META_DIBSTRETCHBLT: {
            const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
            const bool withBitmap = paramWords > (stretch ? 10 : 8);
            const quint32 rop = r.u32();
            qint16 sh = 0, sw = 0;
            if (stretch) {
                sh = r.i16();
                sw = r.i16();
            }
            const QPointF sp = pointYX(r);
            if (!withBitmap) r.skip(2);
            const qint16 dh = r.i16(), dw = r.i16();
            const QPointF dp = pointYX(r);
            if (!stretch) {
                sh = dh;
                sw = dw;
            }
            if (!r.ok()) break;
            QImage image;
            if (withBitmap)
                image = (function == META_DIBBITBLT || function == META_DIBSTRETCHBLT)
                            ? DibDecoder::decodePacked(r.bytes(r.remaining()))
                            : bitmap16(r, Qt::black, Qt::white);
            if (withBitmap && image.isNull()) break;
            dc.blit(QRectF(dp, QSizeF(dw, dh)), image, QRectF(sp, QSizeF(sw, sh)), rop);
            break;
        }
        case META_SETDIBTODEV: {
            r.skip(2);
            const int scans = r.u16(), start = r.u16();
            const QPointF sp = pointYX(r);
            const qint16 h = r.i16(), w = r.i16();
            const QPointF dp = pointYX(r);
            const QImage image = DibDecoder::decodePacked(r.bytes(r.remaining()));
            if (image.isNull()) break;
            Q_UNUSED(scans);
            Q_UNUSED(start);
            const QRectF src(QPointF(sp.x(), image.height() - sp.y() - h), QSizeF(w, h));
            dc.blit(QRectF(dp, QSizeF(w, h)), image, src, 0x00CC0020);
            break;
        }
        case META_STRETCHDIB: {
            const quint32 rop = r.u32();
            r.skip(2);
            const qint16 sh = r.i16(), sw = r.i16();
            const QPointF sp = pointYX(r);
            const qint16 dh = r.i16(), dw = r.i16();
            const QPointF dp = pointYX(r);
            const QImage image = DibDecoder::decodePacked(r.bytes(r.remaining()));
            if (image.isNull()) break;
            // Source coordinates count from the bottom of the DIB.
            const QRectF src(QPointF(sp.x(), image.height() - sp.y() - sh), QSizeF(sw, sh));
            dc.blit(QRectF(dp, QSizeF(dw, dh)), image, src, rop);
            break;
        }
        case META_SELECTCLIPREGION:
            dc.selectClipRegion(dc.regionAt(r.u16()), RGN_COPY, false);
            break;
        case META_SELECTOBJECT:
            dc.selectObject(r.u16());
            break;
        case META_DELETEOBJECT:
            dc.deleteObject(r.u16());
            break;
        case META_FILLREGION: {
            const quint16 rgn = r.u16(), brush = r.u16();
            dc.fillRegion(dc.regionAt(rgn), dc.brushAt(brush));
            break;
        }
        case META_PAINTREGION:
            dc.fillRegion(dc.regionAt(r.u16()), std::nullopt);
            break;
        case META_INVERTREGION:
            dc.invertRegion(dc.regionAt(r.u16()));
            break;
        case META_FRAMEREGION: {
            const quint16 rgn = r.u16(), brush = r.u16();
            const qint16 h = r.i16(), w = r.i16();
            dc.frameRegion(dc.regionAt(rgn), dc.brushAt(brush), QSizeF(w, h));
            break;
        }
        case META_CREATEPALETTE:
            dc.createObject(MetafileDc::Palette{});
            break;
        case META_CREATEPENINDIRECT: {
            const quint16 style = r.u16();
            const qint16 width = r.i16();
            r.skip(2);
            const QColor c = MetafileDc::colorRef(r.u32());
            dc.createObject(MetafileDc::LogPen{style, qreal(width), c, {}});
            break;
        }
        case META_CREATEBRUSHINDIRECT: {
            const quint16 style = r.u16();
            const QColor c = MetafileDc::colorRef(r.u32());
            const quint16 hatch = r.u16();
            // Pattern styles need a bitmap, which this record cannot carry.
            dc.createObject(MetafileDc::LogBrush{style > 2 ? 0u : style, c, hatch, {}});
            break;
        }
        case META_CREATEFONTINDIRECT: {
            MetafileDc::LogFont f;
            f.height = r.i16();
            f.width = r.i16();
            f.escapement = r.i16();
            r.skip(2);
            f.weight = r.i16();
            f.italic = r.u8();
            f.underline = r.u8();
            f.strikeOut = r.u8();
            f.charset = r.u8();
            r.skip(4);
            f.face = MetafileText::ansi(r.bytes(qMin<qsizetype>(32, r.remaining())));
            dc.createObject(f);
            break;
        }
        case META_DIBCREATEPATTERNBRUSH: {
            r.skip(4);
            const QImage image = DibDecoder::decodePacked(r.bytes(r.remaining()));
            dc.createObject(MetafileDc::LogBrush{3, Qt::black, 0, image});
            break;
        }
        case META_CREATEPATTERNBRUSH: // with an old bitmap
            dc.createObject(
                MetafileDc::LogBrush{3, Qt::black, 0, bitmap16(r, Qt::black, Qt::white)});
            break;
        case META_CREATEREGION:
            dc.createObject(region(r));
            break;
        default:
            break; // records without visible effect, or unknown: skipped
        }
    }
    return true;
}

} // namespace platform
