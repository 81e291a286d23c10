#pragma once
// Reading printed PDFs back with poppler-utils (pdftoppm, pdftotext, pdfimages): a page rendered to
// an image, the images a PDF embeds, and the bounds of the pixels a test counts as ink.
#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>

#include <functional>

namespace PdfReadBack {
// Whether pdftoppm, pdftotext and pdfimages are installed.
bool available();
// The PDF's first page rendered at dpi; only the crop rectangle (in rendered pixels)
// when one is given, so that high resolutions stay small.
QImage render(const QString& pdf, int dpi, const QRect& crop = {});
// The PDF's text (pdftotext).
QString text(const QString& pdf);
// The images the PDF embeds: object number and width of each, once per object however
// often it is drawn.
QMap<int, int> embeddedImages(const QString& pdf);
// The bounds of the pixels ink accepts.
QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink);
} // namespace PdfReadBack
