#pragma once
// A picture embedded in an SVG document as a "data:" address, made safe for Qt SVG to
// draw: only raster pictures of the formats a web page may embed (PNG, JPEG, GIF, BMP,
// WebP) are kept, decoded here within the pixel limit and written back as PNG, reduced to
// what a picture on the card can print. Anything else, above all another SVG document
// (Qt SVG would read it as a second document, with its own references to other files), is
// refused, so that no picture inside a picture can name a file.
//
//     std::optional<QString> href = SvgInlineImage::safeAddress(attribute.value());
//     if (!href) dropTheImage();
#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

class SvgInlineImage {
  public:
    // A picture on the card is at most 3.5 inches long: this many pixels print it at 600 dpi.
    static constexpr int maxSide = 2100;

    // The address to give Qt SVG in place of `address`, or nullopt when it names no
    // picture that may be kept.
    static std::optional<QString> safeAddress(QStringView address);
};

} // namespace platform
