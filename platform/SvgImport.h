#pragma once
// Turns an SVG file into an enhanced metafile (EMF) by rendering it through Qt SVG onto the
// metafile recorder, so an SVG logo is kept, drawn and printed as vectors.
//
// Only the file itself is read: before Qt SVG sees the document, references to other files
// (images, external uses, style sheets) and scripts are taken out, and uses of uses or of
// elements that contain uses are dropped, so that nested uses cannot multiply the drawing
// work without bound. A document damaged part way keeps what was read before the damage.
#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace platform {

class SvgImport {
public:
    // The picture's longer side is scaled down to this many pixels (at 96 per inch).
    static constexpr double maxSidePixels = 20000;

    // The metafile, or nullopt when nothing drawable could be read.
    static std::optional<QByteArray> toMetafile(QByteArrayView svg);
    // The document with every outside reference, script and nested use removed.
    static QByteArray selfContained(QByteArrayView svg);
};

} // namespace platform
