#include "TGFont.h"

#include <cmath>

TGFont::TGFont(QObject* parent) : QObject(parent) {
    height_ = platform::GdiFont::heightForPoints(10);
}

qint32 TGFont::size() const {
    return platform::GdiFont::pointsForHeight(height_);
}

void TGFont::setColor(TColor v) {
    if (color_ == v) return;
    color_ = v;
    emit changed();
}

void TGFont::setHeight(qint32 v) {
    if (height_ == v) return;
    height_ = v;
    emit changed();
}

void TGFont::setName(const QString& v) {
    // A font without a face cannot be drawn or recorded: an empty name keeps the face.
    if (v.isEmpty() || name_ == v) return;
    name_ = v;
    emit changed();
}

void TGFont::setPitch(Gdi::TFontPitch v) {
    if (pitch_ == v) return;
    pitch_ = v;
    emit changed();
}

void TGFont::setSize(qint32 points) {
    setHeight(platform::GdiFont::heightForPoints(points));
}

void TGFont::setStyle(Gdi::TFontStyles v) {
    if (style_ == v) return;
    style_ = v;
    emit changed();
}

bool TGFont::sameAs(const TGFont& o) const {
    return color_ == o.color_ && height_ == o.height_ && name_ == o.name_ && pitch_ == o.pitch_ &&
           style_ == o.style_;
}

void TGFont::assign(const TGFont& o) {
    if (sameAs(o)) return;
    color_ = o.color_;
    height_ = o.height_;
    name_ = o.name_;
    pitch_ = o.pitch_;
    style_ = o.style_;
    emit changed();
}

platform::GdiFont TGFont::gdiFont(float zoom) const {
    platform::GdiFont f;
    f.name = name_;
    f.height = height_;
    f.style = style_;
    f.pitch = pitch_;
    f.color = color_;
    if (zoom != 1.0f)
        f.height =
            platform::GdiFont::heightForPoints(int(std::trunc(double(size()) * double(zoom))));
    return f;
}

void TGFont::assignQFont(const QFont& f) {
    Gdi::TFontStyles s;
    if (f.bold()) s |= Gdi::fsBold;
    if (f.italic()) s |= Gdi::fsItalic;
    if (f.underline()) s |= Gdi::fsUnderline;
    if (f.strikeOut()) s |= Gdi::fsStrikeOut;
    const qint32 h = f.pixelSize() > 0
                         ? -f.pixelSize()
                         : platform::GdiFont::heightForPoints(int(std::lround(f.pointSizeF())));
    const QString name = f.family().isEmpty() ? name_ : f.family();
    if (h == height_ && name == name_ && s == style_) return;
    height_ = h;
    name_ = name;
    style_ = s;
    emit changed();
}
