#include "platform/drawing/GlyphCharacters.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>

namespace platform {

namespace {

constexpr qreal kEm = 256; // pixels per em at which outlines are measured

// A glyph's advance and bounds, by which most glyphs are told apart without their outlines.
struct Metrics {
    qreal advance = 0;
    QRectF box;
};

std::vector<Metrics> metricsOf(const QRawFont& font, const QList<quint32>& glyphs) {
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    std::vector<Metrics> metrics;
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        metrics.push_back({advances.value(i).x(), font.boundingRect(glyphs[i])});
    return metrics;
}

// Whether advance and bounds agree within what the subset's rounding to 1/2048 em (and the
// conversion of its curves) moves them.
bool sameMetrics(const Metrics& a, const Metrics& b) {
    constexpr qreal tolerance = kEm / 200;
    for (const auto& [x, y] : {std::pair{a.advance, b.advance},
                               {a.box.left(), b.box.left()},
                               {a.box.top(), b.box.top()},
                               {a.box.right(), b.box.right()},
                               {a.box.bottom(), b.box.bottom()}})
        if (std::abs(x - y) > tolerance) return false;
    return true;
}

QImage coverage(const QPainterPath& path, const QTransform& toImage) {
    QImage image(64, 64, QImage::Format_Alpha8);
    image.fill(0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(toImage.map(path), Qt::black);
    return image;
}

// The share of the ink of two outlines, drawn 64 pixels large, that only one of them has:
// near 0 for the same outline, large for mirrored or otherwise different ones.
double difference(const QPainterPath& a, const QPainterPath& b) {
    const QRectF box = a.boundingRect().united(b.boundingRect());
    const qreal scale = 62 / std::max(box.width(), box.height());
    const QTransform toImage = QTransform::fromTranslate(-box.left(), -box.top()) *
                               QTransform::fromScale(scale, scale) *
                               QTransform::fromTranslate(1, 1);
    const QImage p = coverage(a, toImage), q = coverage(b, toImage);
    qint64 differ = 0, ink = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const int u = p.constScanLine(y)[x], v = q.constScanLine(y)[x];
            differ += std::abs(u - v);
            ink += std::max(u, v);
        }
    return ink ? double(differ) / double(ink) : 1.0;
}

// The glyphs of characters above U+FFFF in the planes that hold characters, each with the
// lowest character drawn with it.
std::map<quint32, char32_t> glyphsAboveBmp(const QRawFont& font) {
    std::vector<char32_t> characters;
    for (char32_t c = 0x10000; c < 0x40000; ++c)
        characters.push_back(c);
    for (char32_t c = 0xE0000; c < 0x110000; ++c)
        characters.push_back(c);
    const QString text = QString::fromUcs4(characters.data(), qsizetype(characters.size()));
    const QList<quint32> ids = font.glyphIndexesForString(text);
    std::map<quint32, char32_t> glyphs;
    if (size_t(ids.size()) != characters.size()) return glyphs;
    for (size_t i = 0; i < characters.size(); ++i)
        if (ids[qsizetype(i)] != 0) glyphs.emplace(ids[qsizetype(i)], characters[i]);
    return glyphs;
}

} // namespace

std::map<int, char32_t> GlyphCharacters::aboveBmp(const QByteArray& subset,
                                                  const std::vector<int>& glyphs) {
    std::map<int, char32_t> found;
    const QRawFont embedded(subset, kEm, QFont::PreferNoHinting);
    if (!embedded.isValid() || glyphs.empty()) return found;
    QFont face(embedded.familyName());
    face.setStyleName(embedded.styleName());
    face.setPixelSize(int(kEm));
    face.setHintingPreference(QFont::PreferNoHinting);
    const QRawFont installed = QRawFont::fromFont(face);
    if (!installed.isValid() || installed.familyName() != embedded.familyName()) return found;

    const std::map<quint32, char32_t> candidates = glyphsAboveBmp(installed);
    QList<quint32> candidateGlyphs;
    for (const auto& candidate : candidates)
        candidateGlyphs.push_back(candidate.first);
    const std::vector<Metrics> candidateMetrics = metricsOf(installed, candidateGlyphs);
    for (int glyph : glyphs) {
        const QPainterPath wanted = embedded.pathForGlyph(quint32(glyph));
        if (wanted.isEmpty()) continue;
        const Metrics metrics = metricsOf(embedded, {quint32(glyph)}).front();
        double best = 0.1; // the most a match may differ: the rounding of the subset's points
        for (qsizetype i = 0; i < candidateGlyphs.size(); ++i) {
            if (!sameMetrics(metrics, candidateMetrics[size_t(i)])) continue;
            const double d = difference(wanted, installed.pathForGlyph(candidateGlyphs[i]));
            if (d < best) {
                best = d;
                found[glyph] = candidates.at(candidateGlyphs[i]);
            }
        }
    }
    return found;
}

} // namespace platform
