#pragma once
// Draws a Windows metafile (placeable WMF or EMF) stretched into a rectangle of any
// QPainter, as vectors, so that it stays sharp on screen, in PDF and on paper.
#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace platform {

class MetafilePlayer {
  public:
    enum class Format { None, Wmf, Emf };
    // The format of metafile data, judged by its header.
    static Format formatOf(QByteArrayView data);
    // The picture's size in hundredths of a millimetre (empty when not a metafile).
    static QSizeF sizeHundredthsMm(QByteArrayView data);
    // Plays the metafile into `target`; false when the data is no metafile. Damaged or
    // unknown records are skipped.
    static bool play(QPainter& painter, const QRectF& target, QByteArrayView data);
};

} // namespace platform
