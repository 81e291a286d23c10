#include "platform/richtext/RtfPicture.h"

#include "platform/pictures/Graphic.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/richtext/RtfGroup.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <algorithm>

namespace platform {

namespace {

enum class Kind { Unknown, Png, Jpeg, Wmf, Emf };

struct Group {
    Kind kind = Kind::Unknown;
    int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    QByteArray data;
};

void control(QByteArrayView word, int n, Group& g) {
    if (word == "pngblip")
        g.kind = Kind::Png;
    else if (word == "jpegblip")
        g.kind = Kind::Jpeg;
    else if (word == "wmetafile")
        g.kind = Kind::Wmf;
    else if (word == "emfblip")
        g.kind = Kind::Emf;
    else if (word == "picw")
        g.picw = n;
    else if (word == "pich")
        g.pich = n;
    else if (word == "picwgoal")
        g.goalw = n;
    else if (word == "pichgoal")
        g.goalh = n;
    else if (word == "picscalex")
        g.scalex = n;
    else if (word == "picscaley")
        g.scaley = n;
}

// The control words and data of the group's own level; nested groups are passed over.
Group parse(QByteArrayView in) {
    Group g;
    qsizetype pos = in.startsWith('{') ? 1 : 0;
    int nibble = -1;
    while (pos < in.size()) {
        const char c = in[pos++];
        if (c == '{') {
            pos = RtfGroup::end(in, pos);
            if (pos < 0) break;
        } else if (c == '}') {
            break;
        } else if (c == '\\' && pos < in.size() && RtfGroup::isLetter(in[pos])) {
            const qsizetype start = pos;
            while (pos < in.size() && RtfGroup::isLetter(in[pos]))
                ++pos;
            const QByteArrayView word(in.data() + start, pos - start);
            const int n = RtfGroup::parameter(in, pos);
            if (word == "bin" && n > 0) {
                const qsizetype len = std::min<qsizetype>(n, in.size() - pos);
                g.data.append(in.sliced(pos, len));
                pos += len;
            } else {
                control(word, n, g);
            }
        } else if (c == '\\') {
            ++pos;
        } else if (const int h = RtfGroup::hexValue(c); h >= 0) {
            if (nibble < 0) {
                nibble = h;
            } else {
                g.data.append(char(nibble * 16 + h));
                nibble = -1;
            }
        }
    }
    return g;
}

// A placeable header for the bare metafile an RTF picture holds, its box the picture's
// size in hundredths of a millimetre.
QByteArray placeable(const Group& g) {
    QByteArray h(22, '\0');
    uchar* p = reinterpret_cast<uchar*>(h.data());
    qToLittleEndian<quint32>(0x9AC6CDD7, p);
    const auto w = qint16(std::clamp(g.picw, 1, 32767)), t = qint16(std::clamp(g.pich, 1, 32767));
    qToLittleEndian<qint16>(w, p + 10);
    qToLittleEndian<qint16>(t, p + 12);
    qToLittleEndian<quint16>(2540, p + 14);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(p + i);
    qToLittleEndian<quint16>(sum, p + 20);
    return h;
}

// A metafile drawn at twice the screen's resolution for its size on the page.
QImage render(const Graphic& g, QSizeF twips) {
    QSize px((twips / 1440.0 * 192).toSize());
    px = px.boundedTo(QSize(4096, 4096)).expandedTo(QSize(1, 1));
    if (RasterDecoder::tooLarge(px)) return {};
    QImage image(px, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    g.draw(painter, QRectF(QPointF(0, 0), QSizeF(px)));
    return image;
}

QSizeF naturalTwips(const Group& g, const Graphic& graphic) {
    if (g.kind == Kind::Wmf && g.picw > 0 && g.pich > 0)
        return QSizeF(g.picw * 1440.0 / 2540, g.pich * 1440.0 / 2540);
    if (g.kind == Kind::Emf || g.kind == Kind::Wmf)
        return graphic.height() > 0 ? QSizeF(graphic.width(), graphic.height()) * 15.0 : QSizeF();
    return QSizeF(graphic.image().size()) * 15.0;
}

} // namespace

std::optional<RtfPicture> RtfPicture::read(QByteArrayView group) {
    const Group g = parse(group);
    std::optional<Graphic> graphic;
    switch (g.kind) {
    case Kind::Png:
        graphic = Graphic::fromFileData(g.data, QStringLiteral(".PNG"));
        break;
    case Kind::Jpeg:
        graphic = Graphic::fromFileData(g.data, QStringLiteral(".JPG"));
        break;
    case Kind::Wmf:
        graphic = Graphic::fromFileData(placeable(g) + g.data, QStringLiteral(".WMF"));
        break;
    case Kind::Emf:
        graphic = Graphic::fromFileData(g.data, QStringLiteral(".EMF"));
        break;
    case Kind::Unknown:
        break;
    }
    if (!graphic || graphic->isEmpty()) return std::nullopt;
    QSizeF twips =
        g.goalw > 0 && g.goalh > 0 ? QSizeF(g.goalw, g.goalh) : naturalTwips(g, *graphic);
    twips = QSizeF(twips.width() * std::clamp(g.scalex, 1, 1000) / 100.0,
                   twips.height() * std::clamp(g.scaley, 1, 1000) / 100.0)
                .boundedTo(QSizeF(31680, 31680));
    if (twips.isEmpty()) return std::nullopt;
    RtfPicture picture;
    picture.twips = twips;
    picture.image =
        graphic->kind() == Graphic::Kind::Metafile ? render(*graphic, twips) : graphic->image();
    if (picture.image.isNull()) return std::nullopt;
    return picture;
}

QByteArray RtfPicture::write(const QImage& image, QSizeF twips) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
           QByteArray::number(image.height()) + "\\picwgoal" +
           QByteArray::number(qRound(twips.width())) + "\\pichgoal" +
           QByteArray::number(qRound(twips.height())) + '\n' + png.toHex() + "}";
}

} // namespace platform
