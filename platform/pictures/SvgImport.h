#pragma once
// Turns an SVG file into an enhanced metafile (EMF) by rendering it through Qt SVG onto the
// metafile recorder, so an SVG logo is kept, drawn and printed as vectors.
//
// Only the file itself is read: before Qt SVG sees the document, references to other files
// (images, external uses, style sheets) and scripts are taken out, inline pictures are kept
// only as raster pictures re-encoded here (SvgInlineImage), and uses of uses or of elements
// that contain uses are dropped, so that nested uses cannot multiply the drawing work
// without bound. A document damaged part way keeps what was read before the damage. A
// drawing with too many elements, or one whose metafile would exceed the recorder's bound,
// is refused with the reason.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace platform {

class SvgImport {
  public:
    // The picture's longer side is scaled down to this many pixels (at 96 per inch).
    static constexpr double maxSidePixels = 20000;

    // Documents with more elements than this are refused.
    static constexpr int maxElements = 100000;

    // The metafile, or nullopt when nothing drawable could be read; `error` then says why
    // when the drawing was refused for its size (and is left alone otherwise).
    static std::optional<QByteArray> toMetafile(QByteArrayView svg, QString* error = nullptr);
    // The document with every outside reference, script and nested use removed, and at
    // most one element more than maxElements; `elements` gets the number written.
    static QByteArray selfContained(QByteArrayView svg, int* elements = nullptr);
};

} // namespace platform
