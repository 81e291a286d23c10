#pragma once
// A paint device that draws nothing and records every text drawn on it: the text, the
// point on the device where the drawing's origin was (the point a Canvas text call names),
// and the angle of the text in degrees, counter-clockwise. Shows what a paint asked for
// without reading pixels.
#include <QPaintDevice>
#include <QPointF>
#include <QString>

#include <memory>
#include <vector>

class QPaintEngine;

class TextRecorder : public QPaintDevice {
  public:
    struct Text {
        QString text;
        QPointF origin;
        double angle = 0;
    };

    explicit TextRecorder(QSize size = QSize(1000, 1000));
    ~TextRecorder() override;

    QPaintEngine* paintEngine() const override;
    std::vector<Text> texts;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize size_;
    std::unique_ptr<QPaintEngine> engine_;
};
