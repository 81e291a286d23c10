#include "TGFont.h"

#include "platform/ScreenMetrics.h"

#include <cmath>

namespace {
// MulDiv as the platform defines it: a × b / c rounded to the nearest, halves away from 0.
int mulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const double v = double(a) * b / c;
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}
} // namespace

TGFont::TGFont(QObject* parent) : QObject(parent)
{
    height_ = -mulDiv(10, platform::ScreenMetrics::pixelsPerInch(), 72);
}

qint32 TGFont::size() const
{
    return -mulDiv(height_, 72, platform::ScreenMetrics::pixelsPerInch());
}

void TGFont::setColor(TColor v)
{
    if (color_ == v) return;
    color_ = v;
    emit changed();
}

void TGFont::setHeight(qint32 v)
{
    if (height_ == v) return;
    height_ = v;
    emit changed();
}

void TGFont::setName(const QString& v)
{
    if (name_ == v) return;
    name_ = v;
    emit changed();
}

void TGFont::setPitch(Gdi::TFontPitch v)
{
    if (pitch_ == v) return;
    pitch_ = v;
    emit changed();
}

void TGFont::setSize(qint32 points)
{
    setHeight(-mulDiv(points, platform::ScreenMetrics::pixelsPerInch(), 72));
}

void TGFont::setStyle(Gdi::TFontStyles v)
{
    if (style_ == v) return;
    style_ = v;
    emit changed();
}

bool TGFont::sameAs(const TGFont& o) const
{
    return color_ == o.color_ && height_ == o.height_ && name_ == o.name_ &&
           pitch_ == o.pitch_ && style_ == o.style_;
}

void TGFont::assign(const TGFont& o)
{
    if (sameAs(o)) return;
    color_ = o.color_;
    height_ = o.height_;
    name_ = o.name_;
    pitch_ = o.pitch_;
    style_ = o.style_;
    emit changed();
}

QFont TGFont::toQFont(float zoom) const
{
    QFont f(name_);
    // A negative height is the character height; a positive one the cell height, which
    // for the fonts in use is about 1.2 times larger.
    int px = height_ < 0 ? -height_ : int(std::lround(height_ / 1.2));
    if (zoom != 1.0f) px = int(float(px) * zoom);
    f.setPixelSize(std::max(1, px));
    f.setBold(style_.testFlag(Gdi::fsBold));
    f.setItalic(style_.testFlag(Gdi::fsItalic));
    f.setUnderline(style_.testFlag(Gdi::fsUnderline));
    f.setStrikeOut(style_.testFlag(Gdi::fsStrikeOut));
    if (pitch_ == Gdi::fpFixed) f.setFixedPitch(true);
    return f;
}

void TGFont::assignQFont(const QFont& f)
{
    Gdi::TFontStyles s;
    if (f.bold()) s |= Gdi::fsBold;
    if (f.italic()) s |= Gdi::fsItalic;
    if (f.underline()) s |= Gdi::fsUnderline;
    if (f.strikeOut()) s |= Gdi::fsStrikeOut;
    const qint32 h = f.pixelSize() > 0
                         ? -f.pixelSize()
                         : -mulDiv(int(std::lround(f.pointSizeF())),
                                   platform::ScreenMetrics::pixelsPerInch(), 72);
    if (h == height_ && f.family() == name_ && s == style_) return;
    height_ = h;
    name_ = f.family();
    style_ = s;
    emit changed();
}
