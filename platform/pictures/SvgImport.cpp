#include "platform/pictures/SvgImport.h"

#include "platform/metafiles/EmfRecorder.h"
#include "platform/pictures/SvgInlineImage.h"

#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace platform {

namespace {
// Elements nested deeper than this are left out, with everything inside them.
constexpr int maxDepth = 200;

bool isHref(QStringView attributeName) {
    return attributeName == u"href" || attributeName.endsWith(u":href");
}

bool named(QStringView element, QStringView name) {
    return element == name ||
           (element.endsWith(name) && element.at(element.size() - name.size() - 1) == u':');
}

QString fragment(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& a : attributes)
        if (isHref(a.qualifiedName())) {
            const QStringView r = a.value().trimmed();
            if (r.startsWith(u'#')) return r.mid(1).toString();
        }
    return {};
}

// The element's attributes as Qt SVG may see them, or nullopt when the element is left out
// whole: scripts, and elements that name anything outside the document. An image keeps
// only an inline raster picture, made safe; any other element only references to parts of
// the document itself.
std::optional<QXmlStreamAttributes> keptAttributes(QStringView element,
                                                   const QXmlStreamAttributes& attributes) {
    if (named(element, u"script") || named(element, u"foreignObject")) return std::nullopt;
    const bool image = named(element, u"image");
    QXmlStreamAttributes kept;
    for (const QXmlStreamAttribute& a : attributes) {
        if (!isHref(a.qualifiedName())) {
            kept.append(a);
        } else if (image) {
            const std::optional<QString> safe = SvgInlineImage::safeAddress(a.value());
            if (!safe) return std::nullopt;
            kept.append(a.qualifiedName().toString(), *safe);
        } else if (a.value().startsWith(u'#')) {
            kept.append(a);
        } else {
            return std::nullopt;
        }
    }
    return kept;
}

// The ids of uses and of elements that contain one: using one of those could multiply the
// drawing work without bound.
QSet<QString> idsContainingUse(QByteArrayView svg) {
    QXmlStreamReader reader(svg.toByteArray());
    reader.setNamespaceProcessing(false);
    QList<std::pair<QString, bool>> open; // id, contains a use
    QSet<QString> ids;
    // A document with more elements than are imported is refused whole: no need to read on.
    int elements = 0;
    while (!reader.atEnd() && !reader.hasError() && elements <= SvgImport::maxElements) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++elements;
            const bool use =
                reader.qualifiedName() == u"use" || reader.qualifiedName().endsWith(u":use");
            if (use)
                for (auto& o : open)
                    o.second = true;
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

QByteArray SvgImport::selfContained(QByteArrayView svg, int* elements) {
    const QSet<QString> nesting = idsContainingUse(svg);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    QXmlStreamReader reader(svg.toByteArray());
    reader.setNamespaceProcessing(false);
    writer.writeStartDocument();
    int depth = 0, written = 0;
    while (!reader.atEnd() && !reader.hasError() && written <= maxElements) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = reader.qualifiedName();
            const QXmlStreamAttributes attributes = reader.attributes();
            const std::optional<QXmlStreamAttributes> kept = keptAttributes(name, attributes);
            if (depth >= maxDepth || !kept ||
                (named(name, u"use") && nesting.contains(fragment(attributes)))) {
                reader.skipCurrentElement();
                break;
            }
            ++depth;
            ++written;
            writer.writeStartElement(name.toString());
            writer.writeAttributes(*kept);
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
        default:
            break; // document type, comments, processing instructions (style sheets)
        }
    }
    // A damaged document keeps what came before the damage; open elements are closed.
    writer.writeEndDocument();
    if (elements) *elements = written;
    return out;
}

std::optional<QByteArray> SvgImport::toMetafile(QByteArrayView svg, QString* error) {
    auto refuse = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    int elements = 0;
    const QByteArray document = selfContained(svg, &elements);
    if (elements > maxElements)
        return refuse(QStringLiteral("The drawing has more than %1 elements: too many to import.")
                          .arg(maxElements));
    QSvgRenderer renderer(document);
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
    if (recorder.overflowed())
        return refuse(QStringLiteral("The drawing is too complex to import: its picture would "
                                     "take more than %1 MB or %2 drawing steps.")
                          .arg(EmfRecorder::maxBytes / (1024 * 1024))
                          .arg(EmfRecorder::maxRecords));
    if (!recorder.drewAnything()) return std::nullopt;
    return recorder.data();
}

} // namespace platform
