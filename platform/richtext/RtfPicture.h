#pragma once
// A picture of an RTF document ("{\pict ...}"): PNG and JPEG data as they are, WMF and EMF
// data played by the program's own metafile player, each through the same size and format
// checks as a picture file. Its size on the page comes from the goal size and the scaling
// the group states.
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

#include <optional>

namespace platform {

class RtfPicture {
  public:
    QImage image;
    QSizeF twips; // the size on the page

    // The picture of a "{\pict ...}" group, nullopt when its data is of no kind read here or
    // fails the checks.
    static std::optional<RtfPicture> read(QByteArrayView group);
    // A "{\pict ...}" group holding the image as PNG, shown at the size in twips.
    static QByteArray write(const QImage& image, QSizeF twips);
};

} // namespace platform
