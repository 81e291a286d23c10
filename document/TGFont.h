#pragma once
// A font as objects store it: face name, height in pixels (negative: character height, as
// the platform's font mapper takes it), style set, pitch and colour. Embedded as "Font";
// Size (points) is derived from Height and the screen's pixels per inch and never stored.
#include "platform/drawing/Gdi.h"
#include "platform/drawing/GdiFont.h"
#include "platform/drawing/TColor.h"

#include <QFont>
#include <QObject>
#include <QString>

class TGFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(qint32 Height READ height WRITE setHeight)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(Gdi::TFontPitch Pitch READ pitch WRITE setPitch)
    Q_PROPERTY(qint32 Size READ size WRITE setSize STORED false)
    Q_PROPERTY(Gdi::TFontStyles Style READ style WRITE setStyle)
    Q_CLASSINFO("default.Pitch", "fpDefault")

  public:
    explicit TGFont(QObject* parent = nullptr);

    TColor color() const { return color_; }
    qint32 height() const { return height_; }
    QString name() const { return name_; }
    Gdi::TFontPitch pitch() const { return pitch_; }
    qint32 size() const; // points
    Gdi::TFontStyles style() const { return style_; }
    void setColor(TColor v);
    void setHeight(qint32 v);
    void setName(const QString& v); // an empty name is ignored
    void setPitch(Gdi::TFontPitch v);
    void setSize(qint32 points);
    void setStyle(Gdi::TFontStyles v);

    // Copies every property; emits changed() once when anything differs.
    void assign(const TGFont& other);
    bool sameAs(const TGFont& other) const;
    // The font to draw with at the given zoom: unless the zoom is exactly 1.0 its size
    // becomes trunc(size in points × zoom), as every text object draws zoomed text.
    platform::GdiFont gdiFont(float zoom = 1.0f) const;
    // The Qt font for drawing at the given zoom (through gdiFont).
    QFont toQFont(float zoom = 1.0f) const { return gdiFont(zoom).toQFont(); }
    // Takes face, size and style from a Qt font (e.g. from the font dialog).
    void assignQFont(const QFont& f);

  signals:
    void changed();

  private:
    TColor color_ = TColor::clBlack;
    qint32 height_ = -13; // 10 points at 96 pixels per inch
    QString name_ = QStringLiteral("Arial");
    Gdi::TFontPitch pitch_ = Gdi::fpDefault;
    Gdi::TFontStyles style_;
};
