#pragma once
// GDI-style drawing over any QPainter (the screen image, a QImage in tests, a QPicture for
// printing), with GDI's pixel rules: Rectangle's right and bottom are exclusive with the
// pen inside, LineTo leaves out its end point, a null pen makes filled figures one pixel
// smaller, pen modes such as exclusive-or combine with what is already there, and text is
// placed by the top-left corner of its first character cell.
#include "platform/drawing/Gdi.h"
#include "platform/drawing/GdiFont.h"
#include "platform/drawing/TColor.h"
#include "platform/drawing/TextMetrics.h"

#include <QPainter>
#include <QPoint>
#include <QRegion>

#include <algorithm>
#include <array>
#include <optional>

class QImage;
class QPicture;

namespace platform {

class Canvas {
  public:
    // A cosmetic pen (GDI's default) draws its style only when it is one pixel wide, wider
    // ones solid; a geometric pen draws its style at any width, each dash and gap its
    // one-pixel length times the width.
    struct Pen {
        TColor color = TColor::clBlack;
        Gdi::TPenMode mode = Gdi::pmCopy;
        Gdi::TPenStyle style = Gdi::psSolid;
        int width = 1;
        bool geometric = false;
    };
    // Pens are drawn at most this many pixels wide. A stored width may be any int; a wider
    // pen would cover any drawing anyway, and the frame's sums stay far from int's limits.
    static constexpr int maxPenWidth = 1 << 20;
    struct Brush {
        TColor color = TColor::clWhite;
        Gdi::TBrushStyle style = Gdi::bsSolid;
    };
    // An 8 x 8 monochrome pattern: one byte per row, bit 7 is column 0. 0-bits take the
    // foreground colour and 1-bits the background colour, as GDI maps monochrome brushes.
    using Pattern = std::array<quint8, 8>;

    explicit Canvas(QPainter& painter);

    Pen pen;
    Brush brush;
    // The text font; its colour is the text colour, its escapement the text angle.
    GdiFont font;
    // Which point of the text textOut's (x, y) names, as GDI's text alignment flags: the
    // top-left corner of the first character cell (0), or with TA_CENTER and TA_BOTTOM the
    // middle of the bottom of the text's cell.
    static constexpr int TA_CENTER = 6, TA_BOTTOM = 8;
    int textAlign = 0;

    QPainter& painter() { return p_; }

    // Moves the origin (for drawing an object in its own coordinates).
    void translate(int dx, int dy);
    // Clipping in current coordinates; clearClip removes all clipping.
    void setClipRect(const QRect& r);
    void setClipRegion(const QRegion& r);
    void setClipPath(const QPainterPath& path);
    void intersectClipRect(const QRect& r);
    void clearClip();

    void fillRect(const QRect& r); // with the brush, no pen; right/bottom exclusive
    void rectangle(int left, int top, int right, int bottom);
    void roundRect(int left, int top, int right, int bottom, int ellipseW, int ellipseH);
    void ellipse(int left, int top, int right, int bottom);
    void polygon(const QPolygon& points); // winding fill
    void moveTo(int x, int y);
    void lineTo(int x, int y); // leaves out the end point
    QPoint penPos() const { return pos_; }

    // Stretches an image over the destination rectangle (StretchBlt with SRCCOPY).
    void stretchDraw(const QRect& dest, const QImage& image);
    // Replays a recorded picture stretched into the destination rectangle.
    void stretchDraw(const QRect& dest, const QPicture& picture);
    // Puts a painter's pen, brush, font and modes back to a new painter's. A recorded
    // picture stores only the state changes made while recording, so it must be replayed
    // on a painter in that state, or it takes the colours of whatever was drawn before.
    static void resetState(QPainter& painter);
    // PatBlt with destination AND pattern over r, the pattern aligned to the origin.
    void patBltAnd(const QRect& r, const Pattern& pattern, TColor fg, TColor bg);
    // A rectangle outline in the focus-rectangle style (dotted, exclusive-or).
    void drawFocusRect(const QRect& r);

    // --- text, always without a background (the brush is not used)
    TextMetrics textMetrics() const { return TextMetrics(font); }
    int textWidth(const QString& text) const { return textMetrics().textWidth(text); }
    QSize textExtent(const QString& text) const { return textMetrics().textExtent(text); }
    // Draws text in font.color with the point textAlign names at (x, y), the whole line
    // turned counter-clockwise by font.escapement about that point.
    void textOut(int x, int y, const QString& text);
    // As textOut, clipped to clip (in unturned coordinates), as ExtTextOut with its clip
    // option does.
    void extTextOut(int x, int y, const QRect& clip, const QString& text);
    // As textOut, for text already turned into the characters drawn for it and measured in
    // this font (TextMetrics::shown and shownWidth), so that a text drawn in every paint is
    // mapped and measured once.
    void textOutShown(int x, int y, const QString& shown, int shownWidth);

  private:
    void applyMode();
    QPen qpen() const;
    // The pen's width as drawn: from 1 to maxPenWidth.
    int penWidth() const { return std::clamp(pen.width, 1, maxPenWidth); }
    // Whether the pen draws dashes or dots, which depends on its style, width and kind.
    bool styled() const;
    QBrush qbrush() const;
    // Draws the outline of r (right/bottom exclusive) with the current pen, GDI-centred.
    void frame(int left, int top, int right, int bottom);
    void drawText(int x, int y, const QString& text);
    // The metrics of the font text is drawn in. Text objects draw many texts in one font
    // (circle text draws letter by letter), and resolving a font is the costly part of
    // drawing a short text, so the last font's metrics are kept while this canvas lives;
    // colour and angle do not change them.
    const TextMetrics& drawingMetrics();
    void drawShown(const TextMetrics& tm, int x, int y, const QString& shown, int shownWidth);
    // The part of the device that drawing can reach, in current coordinates (the clip and
    // the device's own rectangle); a vast rectangle when nothing bounds it (a recording).
    QRectF visibleArea() const;
    // A one-pixel line by GDI's rule, over the visible steps only.
    void bresenham(QPoint from, QPoint to);

    QPainter& p_;
    QPoint pos_;
    std::optional<TextMetrics> drawingMetrics_;
    GdiFont drawingFont_;
};

} // namespace platform
