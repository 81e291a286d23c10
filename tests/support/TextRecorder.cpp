#include "TextRecorder.h"

#include <QPaintEngine>
#include <QTextItem>

#include <cmath>
#include <numbers>

namespace {
class RecordingEngine : public QPaintEngine {
  public:
    explicit RecordingEngine(TextRecorder& device)
        : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override {
        const double angle =
            std::atan2(-transform_.m12(), transform_.m11()) * 180 / std::numbers::pi;
        device_.texts.push_back({item.text(), transform_.map(QPointF(0, 0)), angle});
    }
    Type type() const override { return QPaintEngine::User; }

  private:
    TextRecorder& device_;
    QTransform transform_;
};
} // namespace

TextRecorder::TextRecorder(QSize size)
    : size_(size), engine_(std::make_unique<RecordingEngine>(*this)) {}

TextRecorder::~TextRecorder() = default;

QPaintEngine* TextRecorder::paintEngine() const {
    return engine_.get();
}

int TextRecorder::metric(PaintDeviceMetric m) const {
    switch (m) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}
