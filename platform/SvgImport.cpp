#include "SvgImport.h"

#include "EmfRecorder.h"

#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace platform {

namespace {
// Elements nested deeper than this are left out, with everything inside them.
constexpr int maxDepth = 200;

bool isHref(QStringView attributeName)
{
    return attributeName == u"href" || attributeName.endsWith(u":href");
}

// A reference the document may keep: a fragment of itself or inline data.
bool isInside(QStringView reference)
{
    const QStringView r = reference.trimmed();
    return r.startsWith(u'#') || r.startsWith(u"data:", Qt::CaseInsensitive);
}

QString fragment(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (isHref(a.qualifiedName())) {
            const QStringView r = a.value().trimmed();
            if (r.startsWith(u'#')) return r.mid(1).toString();
        }
    return {};
}

bool dropped(QStringView element, const QXmlStreamAttributes& attributes)
{
    if (element == u"script" || element.endsWith(u":script") || element == u"foreignObject")
        return true;
    // An image or use that names another file is left out whole.
    for (const QXmlStreamAttribute& a : attributes)
        if (isHref(a.qualifiedName()) && !isInside(a.value())) return true;
    return false;
}

// The ids of uses and of elements that contain one: using one of those could multiply the
// drawing work without bound.
QSet<QString> idsContainingUse(QByteArrayView svg)
{
    QXmlStreamReader reader(svg.toByteArray());
    reader.setNamespaceProcessing(false);
    QList<std::pair<QString, bool>> open; // id, contains a use
    QSet<QString> ids;
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const bool use = reader.qualifiedName() == u"use" || reader.qualifiedName().endsWith(u":use");
            if (use)
                for (auto& o : open) o.second = true;
            // A use counts as containing one: chains of uses would add up without bound too.
            open.append({reader.attributes().value(QLatin1String("id")).toString(), use});
        } else if (reader.isEndElement() && !open.isEmpty()) {
            const auto [id, containsUse] = open.takeLast();
            if (containsUse && !id.isEmpty()) ids.insert(id);
        }
    }
    return ids;
}
} // namespace

QByteArray SvgImport::selfContained(QByteArrayView svg)
{
    const QSet<QString> nesting = idsContainingUse(svg);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    QXmlStreamReader reader(svg.toByteArray());
    reader.setNamespaceProcessing(false);
    writer.writeStartDocument();
    int depth = 0;
    while (!reader.atEnd() && !reader.hasError()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = reader.qualifiedName();
            const QXmlStreamAttributes attributes = reader.attributes();
            const bool use = name == u"use" || name.endsWith(u":use");
            if (depth >= maxDepth || dropped(name, attributes) ||
                (use && nesting.contains(fragment(attributes)))) {
                reader.skipCurrentElement();
                break;
            }
            ++depth;
            writer.writeStartElement(name.toString());
            for (const QXmlStreamAttribute& a : attributes)
                writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            writer.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            if (reader.isCDATA())
                writer.writeCDATA(reader.text().toString());
            else
                writer.writeCharacters(reader.text().toString());
            break;
        default: break; // document type, comments, processing instructions (style sheets)
        }
    }
    // A damaged document keeps what came before the damage; open elements are closed.
    writer.writeEndDocument();
    return out;
}

std::optional<QByteArray> SvgImport::toMetafile(QByteArrayView svg)
{
    QSvgRenderer renderer(selfContained(svg));
    if (!renderer.isValid()) return std::nullopt;
    QSizeF size = renderer.defaultSize();
    if (size.isEmpty()) size = renderer.viewBoxF().size();
    if (!(size.width() > 0 && size.height() > 0)) return std::nullopt;
    if (std::max(size.width(), size.height()) > maxSidePixels)
        size.scale(maxSidePixels, maxSidePixels, Qt::KeepAspectRatio);
    size = size.expandedTo(QSizeF(1, 1));
    EmfRecorder recorder(size);
    QPainter painter(&recorder);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    if (!recorder.drewAnything()) return std::nullopt;
    return recorder.data();
}

} // namespace platform
