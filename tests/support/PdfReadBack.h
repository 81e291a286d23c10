#pragma once
// Reading printed PDFs back with poppler-utils (pdftoppm, pdftotext, pdfimages, pdffonts): a page
// rendered to an image, the words and their boxes, the fonts and the images a PDF embeds, and the
// bounds of the pixels a test counts as ink.
#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace PdfReadBack {
// Whether pdftoppm, pdftotext, pdfimages and pdffonts are installed.
bool available();
// A page of the PDF (from 1) rendered at dpi; only the crop rectangle (in rendered pixels)
// when one is given, so that high resolutions stay small.
QImage render(const QString& pdf, int dpi, const QRect& crop = {}, int page = 1);
// The PDF's text (pdftotext).
QString text(const QString& pdf);
// A word of the PDF's text and its box, in points from the page's top-left.
struct Word {
    QString text;
    QRectF box;
};
// The PDF's words in reading order (pdftotext -bbox).
std::vector<Word> words(const QString& pdf);
// The fonts the PDF uses, as pdffonts lists them.
QString fonts(const QString& pdf);
// The images the PDF embeds: object number and width of each, once per object however
// often it is drawn.
QMap<int, int> embeddedImages(const QString& pdf);
// The bounds of the pixels ink accepts, within window (the whole image when empty).
QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink,
                const QRect& window = {});
// Dark ink: black text and borders.
bool dark(QRgb pixel);
// Empty when every edge of the ink lies within 1.5 pixels of the expected rectangle's edge;
// otherwise where the ink is, for the failure message.
QString edgesOff(const QRect& ink, const QRectF& expected);
} // namespace PdfReadBack
