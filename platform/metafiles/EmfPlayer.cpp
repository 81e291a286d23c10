#include "platform/metafiles/EmfPlayer.h"

#include "platform/metafiles/MetafileDc.h"
#include "platform/metafiles/MetafileRecords.h"
#include "platform/metafiles/MetafileText.h"
#include "platform/pictures/DibDecoder.h"
#include "platform/system/ByteReader.h"

namespace platform {

namespace {
constexpr quint32 emfSignature = 0x464D4520; // " EMF"

QPointF pointL(ByteReader& r) {
    const qint32 x = r.i32(), y = r.i32();
    return QPointF(x, y);
}

QRectF rectL(ByteReader& r) {
    const qint32 l = r.i32(), t = r.i32(), rr = r.i32(), b = r.i32();
    return QRectF(QPointF(l, t), QPointF(rr, b));
}

QPolygonF points(ByteReader& r, quint32 count, bool small) {
    QPolygonF poly;
    if (qint64(count) * (small ? 4 : 8) > r.remaining()) return poly;
    poly.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        if (small) {
            const qint16 x = r.i16(), y = r.i16();
            poly << QPointF(x, y);
        } else {
            poly << pointL(r);
        }
    }
    return poly;
}

QTransform xform(ByteReader& r) {
    const float m11 = r.f32(), m12 = r.f32(), m21 = r.f32(), m22 = r.f32(), dx = r.f32(),
                dy = r.f32();
    const QTransform t(m11, m12, m21, m22, dx, dy);
    return t.isInvertible() && std::isfinite(dx) && std::isfinite(dy) ? t : QTransform();
}

// A part of the record addressed by an offset from the record's start and a byte count.
QByteArrayView part(QByteArrayView record, quint32 offset, quint32 size) {
    if (offset > quint32(record.size()) || size > quint32(record.size()) - offset) return {};
    return record.sliced(offset, size);
}

QImage dib(QByteArrayView record, quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) {
    const QByteArrayView info = part(record, offBmi, cbBmi);
    const QByteArrayView bits = part(record, offBits, cbBits);
    if (info.isEmpty()) return {};
    return DibDecoder::decode(info, bits);
}

// Region data: a 32-byte header, then its rectangles.
MetafileDc::Region regionData(QByteArrayView data) {
    ByteReader r(data);
    r.skip(8);
    const quint32 count = r.u32();
    r.skip(20);
    MetafileDc::Region region;
    if (!r.ok() || qint64(count) * 16 > r.remaining()) return region;
    for (quint32 i = 0; i < count; ++i)
        region.addRect(rectL(r).normalized());
    return region.simplified();
}
} // namespace

bool EmfPlayer::readHeader(QByteArrayView data, Header* header) {
    ByteReader r(data);
    const quint32 type = r.u32(), size = r.u32();
    r.skip(16); // bounds in device pixels
    const QRectF frame = rectL(r);
    const quint32 signature = r.u32();
    r.skip(28); // version, sizes, counts, description, palette
    const QPointF device = pointL(r), mm = pointL(r);
    if (!r.ok() || type != EMR_HEADER || size < 88 || signature != emfSignature) return false;
    if (device.x() <= 0 || device.y() <= 0 || mm.x() <= 0 || mm.y() <= 0) return false;
    if (frame.width() == 0 || frame.height() == 0) return false;
    header->frame = frame.normalized();
    header->devicePixels = QSizeF(device.x(), device.y());
    header->deviceMm = QSizeF(mm.x(), mm.y());
    return true;
}

bool EmfPlayer::play(MetafileDc& dc, QByteArrayView data) {
    Header h;
    if (!readHeader(data, &h)) return false;
    const QSizeF pxPerMm(h.devicePixels.width() / h.deviceMm.width(),
                         h.devicePixels.height() / h.deviceMm.height());
    const QRectF framePx(h.frame.x() * pxPerMm.width() / 100, h.frame.y() * pxPerMm.height() / 100,
                         h.frame.width() * pxPerMm.width() / 100,
                         h.frame.height() * pxPerMm.height() / 100);
    dc.setReferenceFrame(framePx, pxPerMm);

    ByteReader file(data);
    while (file.remaining() >= 8) {
        const qsizetype start = file.pos();
        const quint32 type = file.u32(), size = file.u32();
        if (size < 8 || size % 4 != 0 || qint64(size) - 8 > file.remaining()) break;
        const QByteArrayView record = data.sliced(start, size);
        ByteReader r(file.bytes(size - 8));
        switch (type) {
        case EMR_EOF:
            return true;
        case EMR_POLYBEZIER:
        case EMR_POLYGON:
        case EMR_POLYLINE:
        case EMR_POLYBEZIERTO:
        case EMR_POLYLINETO:
        case EMR_POLYBEZIER16:
        case EMR_POLYGON16:
        case EMR_POLYLINE16:
        case EMR_POLYBEZIERTO16:
        case EMR_POLYLINETO16: {
            r.skip(16);
            const bool small = type >= EMR_POLYBEZIER16;
            const quint32 kind = small ? type - (EMR_POLYBEZIER16 - EMR_POLYBEZIER) : type;
            const QPolygonF poly = points(r, r.u32(), small);
            if (poly.isEmpty()) break;
            if (kind == EMR_POLYBEZIER || kind == EMR_POLYBEZIERTO)
                dc.polyBezier(poly, kind == EMR_POLYBEZIERTO);
            else if (kind == EMR_POLYGON)
                dc.polygon({poly});
            else
                dc.polyline(poly, kind == EMR_POLYLINETO);
            break;
        }
        case EMR_POLYPOLYLINE:
        case EMR_POLYPOLYGON:
        case EMR_POLYPOLYLINE16:
        case EMR_POLYPOLYGON16: {
            r.skip(16);
            const quint32 n = r.u32();
            r.skip(4);
            if (qint64(n) * 4 > r.remaining()) break;
            QList<quint32> counts;
            for (quint32 i = 0; i < n; ++i)
                counts << r.u32();
            QList<QPolygonF> polys;
            for (quint32 c : counts)
                polys << points(r, c, type >= EMR_POLYPOLYLINE16);
            if (type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16) {
                dc.polygon(polys);
            } else {
                dc.polyPolyline(polys);
            }
            break;
        }
        case EMR_SETWINDOWEXTEX: {
            const QPointF s = pointL(r);
            dc.setWindowExt({s.x(), s.y()});
            break;
        }
        case EMR_SETWINDOWORGEX:
            dc.setWindowOrg(pointL(r));
            break;
        case EMR_SETVIEWPORTEXTEX: {
            const QPointF s = pointL(r);
            dc.setViewportExt({s.x(), s.y()});
            break;
        }
        case EMR_SETVIEWPORTORGEX:
            dc.setViewportOrg(pointL(r));
            break;
        case EMR_SETPIXELV: {
            const QPointF p = pointL(r);
            const QColor c = MetafileDc::colorRef(r.u32());
            dc.save();
            dc.selectPen(MetafileDc::LogPen{5, 0, c, {}});
            dc.selectBrush(MetafileDc::LogBrush{0, c, 0, {}});
            dc.rectangle(QRectF(p, QSizeF(1, 1)));
            dc.restore(-1);
            break;
        }
        case EMR_SETMAPMODE:
            dc.setMapMode(int(r.u32()));
            break;
        case EMR_SETBKMODE:
            dc.setBkMode(int(r.u32()));
            break;
        case EMR_SETPOLYFILLMODE:
            dc.setPolyFillMode(int(r.u32()));
            break;
        case EMR_SETROP2:
            dc.setRop2(int(r.u32()));
            break;
        case EMR_SETTEXTALIGN:
            dc.setTextAlign(r.u32());
            break;
        case EMR_SETTEXTCOLOR:
            dc.setTextColor(MetafileDc::colorRef(r.u32()));
            break;
        case EMR_SETBKCOLOR:
            dc.setBkColor(MetafileDc::colorRef(r.u32()));
            break;
        case EMR_OFFSETCLIPRGN:
            dc.offsetClip(pointL(r));
            break;
        case EMR_MOVETOEX:
            dc.moveTo(pointL(r));
            break;
        case EMR_EXCLUDECLIPRECT:
            dc.excludeClipRect(rectL(r));
            break;
        case EMR_INTERSECTCLIPRECT:
            dc.intersectClipRect(rectL(r));
            break;
        case EMR_SCALEVIEWPORTEXTEX:
        case EMR_SCALEWINDOWEXTEX: {
            const qint32 xn = r.i32(), xd = r.i32(), yn = r.i32(), yd = r.i32();
            if (type == EMR_SCALEVIEWPORTEXTEX)
                dc.scaleViewportExt(xn, xd, yn, yd);
            else
                dc.scaleWindowExt(xn, xd, yn, yd);
            break;
        }
        case EMR_SAVEDC:
            dc.save();
            break;
        case EMR_RESTOREDC:
            dc.restore(r.i32());
            break;
        case EMR_SETWORLDTRANSFORM: {
            const QTransform t = xform(r);
            if (r.ok()) dc.setWorldTransform(t);
            break;
        }
        case EMR_MODIFYWORLDTRANSFORM: {
            const QTransform t = xform(r);
            const quint32 mode = r.u32();
            if (r.ok()) dc.modifyWorldTransform(t, int(mode));
            break;
        }
        case EMR_SELECTOBJECT:
            dc.selectObject(r.u32());
            break;
        case EMR_DELETEOBJECT:
            dc.deleteObject(r.u32());
            break;
        case EMR_CREATEPEN: {
            const quint32 index = r.u32(), style = r.u32();
            const qint32 width = r.i32();
            r.skip(4);
            const QColor c = MetafileDc::colorRef(r.u32());
            if (r.ok()) dc.createObjectAt(index, MetafileDc::LogPen{style, qreal(width), c, {}});
            break;
        }
        case EMR_EXTCREATEPEN: {
            const quint32 index = r.u32();
            r.skip(16);
            const quint32 style = r.u32(), width = r.u32(), brushStyle = r.u32();
            const QColor c = MetafileDc::colorRef(r.u32());
            r.skip(4); // hatch
            const quint32 entries = r.u32();
            if (!r.ok()) break;
            QList<qreal> dashes;
            if (qint64(entries) * 4 <= r.remaining())
                for (quint32 i = 0; i < entries; ++i)
                    dashes << r.u32();
            // A pen whose brush is hollow draws nothing.
            // A cosmetic pen is one device pixel wide whatever its width says.
            const qreal w = (style & 0x10000) ? qreal(width) : 0;
            dc.createObjectAt(index,
                              MetafileDc::LogPen{brushStyle == 1 ? 5u : style, w, c, dashes});
            break;
        }
        case EMR_CREATEBRUSHINDIRECT: {
            const quint32 index = r.u32(), style = r.u32();
            const QColor c = MetafileDc::colorRef(r.u32());
            const quint32 hatch = r.u32();
            if (r.ok())
                dc.createObjectAt(index,
                                  MetafileDc::LogBrush{style > 2 ? 0u : style, c, hatch, {}});
            break;
        }
        case EMR_CREATEMONOBRUSH:
        case EMR_CREATEDIBPATTERNBRUSHPT: {
            const quint32 index = r.u32();
            r.skip(4);
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            if (r.ok())
                dc.createObjectAt(
                    index, MetafileDc::LogBrush{3, Qt::black, 0,
                                                dib(record, offBmi, cbBmi, offBits, cbBits)});
            break;
        }
        case EMR_EXTCREATEFONTINDIRECTW: {
            const quint32 index = r.u32();
            MetafileDc::LogFont f;
            f.height = r.i32();
            f.width = r.i32();
            f.escapement = r.i32();
            r.skip(4);
            f.weight = r.i32();
            f.italic = r.u8();
            f.underline = r.u8();
            f.strikeOut = r.u8();
            f.charset = r.u8();
            r.skip(4);
            const QByteArrayView face = r.bytes(64);
            if (!r.ok()) break;
            f.face = MetafileText::utf16(face);
            dc.createObjectAt(index, f);
            break;
        }
        case EMR_CREATEPALETTE:
            dc.createObjectAt(r.u32(), MetafileDc::Palette{});
            break;
        case EMR_ANGLEARC: {
            const QPointF c = pointL(r);
            const quint32 radius = r.u32();
            const float a = r.f32(), sweep = r.f32();
            if (r.ok() && std::isfinite(a) && std::isfinite(sweep))
                dc.angleArc(c, radius, a, sweep);
            break;
        }
        case EMR_ELLIPSE: {
            const QRectF b = rectL(r);
            if (r.ok()) dc.ellipse(b);
            break;
        }
        case EMR_RECTANGLE: {
            const QRectF b = rectL(r);
            if (r.ok()) dc.rectangle(b);
            break;
        }
        case EMR_ROUNDRECT: {
            const QRectF b = rectL(r);
            const QPointF corner = pointL(r);
            if (r.ok()) dc.roundRect(b, QSizeF(corner.x(), corner.y()));
            break;
        }
        case EMR_ARC:
        case EMR_CHORD:
        case EMR_PIE:
        case EMR_ARCTO: {
            const QRectF b = rectL(r);
            const QPointF s = pointL(r), e = pointL(r);
            if (!r.ok()) break;
            dc.arc(b, s, e,
                   type == EMR_ARC     ? MetafileDc::ArcKind::Arc
                   : type == EMR_CHORD ? MetafileDc::ArcKind::Chord
                   : type == EMR_PIE   ? MetafileDc::ArcKind::Pie
                                       : MetafileDc::ArcKind::ArcTo);
            break;
        }
        case EMR_LINETO:
            dc.lineTo(pointL(r));
            break;
        case EMR_SETARCDIRECTION:
            dc.setArcDirection(int(r.u32()));
            break;
        case EMR_BEGINPATH:
            dc.beginPath();
            break;
        case EMR_ENDPATH:
            dc.endPath();
            break;
        case EMR_CLOSEFIGURE:
            dc.closeFigure();
            break;
        case EMR_FILLPATH:
            dc.fillPath();
            break;
        case EMR_STROKEANDFILLPATH:
            dc.strokeAndFillPath();
            break;
        case EMR_STROKEPATH:
            dc.strokePath();
            break;
        case EMR_SELECTCLIPPATH:
            dc.selectClipPath(int(r.u32()));
            break;
        case EMR_ABORTPATH:
            dc.abortPath();
            break;
        case EMR_FILLRGN:
        case EMR_FRAMERGN:
        case EMR_INVERTRGN:
        case EMR_PAINTRGN: {
            r.skip(16);
            const quint32 cb = r.u32();
            const quint32 brush = type <= EMR_FRAMERGN ? r.u32() : 0;
            QSizeF frameSize;
            if (type == EMR_FRAMERGN) {
                const QPointF s = pointL(r);
                frameSize = QSizeF(s.x(), s.y());
            }
            const MetafileDc::Region region = regionData(r.bytes(qMin<qint64>(cb, r.remaining())));
            if (type == EMR_FILLRGN)
                dc.fillRegion(region, dc.brushAt(brush));
            else if (type == EMR_FRAMERGN)
                dc.frameRegion(region, dc.brushAt(brush), frameSize);
            else if (type == EMR_INVERTRGN)
                dc.invertRegion(region);
            else
                dc.fillRegion(region, std::nullopt);
            break;
        }
        case EMR_EXTSELECTCLIPRGN: {
            const quint32 cb = r.u32(), mode = r.u32();
            if (!r.ok()) break;
            if (cb == 0)
                dc.selectClipRegion(std::nullopt, int(mode), true);
            else
                dc.selectClipRegion(regionData(r.bytes(qMin<qint64>(cb, r.remaining()))), int(mode),
                                    true);
            break;
        }
        case EMR_BITBLT:
        case EMR_STRETCHBLT:
        case EMR_ALPHABLEND:
        case EMR_TRANSPARENTBLT: {
            r.skip(16);
            const QPointF destPos = pointL(r), destExt = pointL(r);
            const QRectF dest(destPos, QSizeF(destExt.x(), destExt.y()));
            const quint32 rop = r.u32();
            const QPointF srcPos = pointL(r);
            const QTransform srcXform = xform(r);
            Q_UNUSED(srcXform);
            r.skip(8); // background colour, usage
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            QSizeF srcSize = dest.size();
            if (type != EMR_BITBLT) {
                const QPointF s = pointL(r);
                srcSize = QSizeF(s.x(), s.y());
            }
            if (!r.ok()) break;
            QImage image = cbBmi ? dib(record, offBmi, cbBmi, offBits, cbBits) : QImage();
            if (cbBmi && image.isNull()) break;
            quint32 op = rop;
            if (type == EMR_TRANSPARENTBLT) {
                // TransparentBlt: the colour named in place of the raster operation is see-through.
                image = image.convertToFormat(QImage::Format_ARGB32);
                const QRgb key = MetafileDc::colorRef(rop).rgb();
                for (int y = 0; y < image.height(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = 0; x < image.width(); ++x)
                        if ((line[x] | 0xFF000000) == key) line[x] = 0;
                }
                op = 0x00CC0020;
            }
            qreal opacity = 1;
            if (type == EMR_ALPHABLEND) { // AlphaBlend: the blend function's constant alpha
                op = 0x00CC0020;
                opacity = ((rop >> 16) & 0xFF) / 255.0;
            }
            dc.blit(dest, image, QRectF(srcPos, srcSize), op, opacity);
            break;
        }
        case EMR_SETDIBITSTODEVICE:
        case EMR_STRETCHDIBITS: {
            r.skip(16);
            const QPointF destPos = pointL(r), srcPos = pointL(r);
            const QPointF srcExt = pointL(r);
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            r.skip(4); // usage
            quint32 rop = 0x00CC0020;
            QPointF destExt = srcExt;
            if (type == EMR_STRETCHDIBITS) {
                rop = r.u32();
                destExt = pointL(r);
            }
            if (!r.ok()) break;
            const QImage image = dib(record, offBmi, cbBmi, offBits, cbBits);
            if (image.isNull()) break;
            // DIB source rectangles count from the bottom scan line.
            const QRectF src(QPointF(srcPos.x(), image.height() - srcPos.y() - srcExt.y()),
                             QSizeF(srcExt.x(), srcExt.y()));
            dc.blit(QRectF(destPos, QSizeF(destExt.x(), destExt.y())), image, src, rop);
            break;
        }
        case EMR_EXTTEXTOUTA:
        case EMR_EXTTEXTOUTW: {
            r.skip(16 + 4 + 8); // bounds, graphics mode, scales
            const QPointF ref = pointL(r);
            const quint32 chars = r.u32(), offString = r.u32(), options = r.u32();
            const QRectF rect = rectL(r);
            const quint32 offDx = r.u32();
            if (!r.ok() || chars > 0x100000) break;
            QString text;
            if (type == EMR_EXTTEXTOUTW) {
                const QByteArrayView s = part(record, offString, chars * 2);
                if (s.size() != qsizetype(chars) * 2) break;
                text = MetafileText::utf16(s);
            } else {
                const QByteArrayView s = part(record, offString, chars);
                if (s.size() != qsizetype(chars)) break;
                text = MetafileText::ansi(s);
            }
            QList<qreal> dx;
            ByteReader dxr(part(record, offDx, chars * 4));
            if (offDx && dxr.remaining() == qsizetype(chars) * 4)
                for (quint32 i = 0; i < chars; ++i)
                    dx << dxr.i32();
            dc.textOut(ref, text, dx, options, rect);
            break;
        }
        default:
            break; // comments, palettes and unknown records: skipped
        }
    }
    return true;
}

} // namespace platform
