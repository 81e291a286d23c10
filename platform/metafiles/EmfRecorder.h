#pragma once
// A paint device that records what is painted on it as an enhanced metafile (EMF), the
// card file's vector picture format: paths become path records with pens and brushes, so
// the recording plays back (MetafilePlayer) and prints as vectors. Text arrives as glyph
// outlines. Dashed pens stay dashed pens (a user style of dash lengths). Linear and radial
// gradients become bands of one colour each within the shape's clip (GradientBands);
// see-through paint (a colour's alpha or the painter's opacity) becomes an alpha blend of
// one pixel over the shape, clipped to it, as does a see-through stroke's outline. Other
// fills (conical gradients, patterns) take their average colour, and a raster drawn on it
// becomes a bitmap record over white.
//
// The recording is bounded: once it would pass maxBytes or maxRecords, nothing more is
// recorded and overflowed() tells the caller, who refuses the picture.
//
//     EmfRecorder emf(QSizeF(120, 60));   // size in pixels at 96 per inch
//     QPainter p(&emf);
//     p.drawEllipse(10, 10, 100, 40);
//     p.end();
//     QByteArray bytes = emf.data();
#include <QByteArray>
#include <QPaintDevice>
#include <QSizeF>

#include <memory>

namespace platform {

class EmfRecorder : public QPaintDevice {
  public:
    static constexpr int pixelsPerInch = 96;
    static constexpr qsizetype maxBytes = 32 * 1024 * 1024;
    static constexpr int maxRecords = 1000000;

    explicit EmfRecorder(QSizeF pixels);
    ~EmfRecorder() override;

    QPaintEngine* paintEngine() const override;
    // The complete metafile; valid once the painter has ended.
    QByteArray data() const;
    // Whether anything was drawn (a metafile of settings alone shows nothing).
    bool drewAnything() const;
    // Whether drawing stopped at the bound; the metafile then lacks part of the picture.
    bool overflowed() const;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    class Engine;
    QSizeF size_;
    std::unique_ptr<Engine> engine_;
};

} // namespace platform
