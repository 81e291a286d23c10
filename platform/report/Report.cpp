#include "platform/report/Report.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPicture>
#include <QScopeGuard>

#include <cmath>
#include <exception>

namespace platform {

Report::Report(ReportTarget& target) : target_(target) {}

QPageSize Report::pageSizeFor(int code) {
    return QPageSize(code == paperLetter ? QPageSize::Letter : QPageSize::A4);
}

QSizeF Report::pageSizeInches() const {
    const QSizeF s = pageSizeFor(paperSize_).size(QPageSize::Inch);
    return orientation_ == QPageLayout::Portrait ? s : s.transposed();
}

bool Report::run() {
    if (running_) return false;
    aborted_ = false;
    error_.clear();
    page_ = 1;
    pen = Pen{};
    brush = Brush{TColor::clWhite, Gdi::bsClear, {}};
    font = QFont();
    fontColor = TColor::clBlack;
    penPos_ = QPoint();
    origin_.reset();
    card_ = CardDrawing::NotYet;
    pageDrawnOn_ = false;

    running_ = true;
    bool started = false;
    try {
        if (onBeforePrint) onBeforePrint(*this);
        if (!aborted_) {
            const ReportTarget::Job job{title, pageSizeFor(paperSize_), orientation_, copies_,
                                        expectedCards_};
            started = target_.begin(job, sheetPainter_, error_);
            if (started) {
                dpi_ = target_.resolution();
                refreshStatus();
                if (onPrint) onPrint(*this);
            }
        }
    } catch (const std::exception& e) {
        error_ = QString::fromLocal8Bit(e.what());
    } catch (...) {
        error_ = QStringLiteral("The report could not be drawn.");
    }
    running_ = false;
    if (!started) return false;
    if (aborted_ || !error_.isEmpty()) {
        target_.abort(sheetPainter_);
        return false;
    }
    return target_.finish(sheetPainter_, error_);
}

bool Report::newPage() {
    if (!drawing() || !error_.isEmpty()) return false;
    if (!target_.newPage(sheetPainter_, error_)) return false;
    ++page_;
    pageDrawnOn_ = false;
    refreshStatus();
    return true;
}

void Report::abort() {
    aborted_ = true;
}

// ---- Device mapping

void Report::placeOrigin(double x, double y) {
    clearOrigin();
    const QPoint origin = toDevice(QPointF(x, y));
    if (painter_->isActive()) painter_->translate(origin);
    origin_ = origin;
}

void Report::clearOrigin() {
    if (!origin_) return;
    if (painter_->isActive()) painter_->translate(-*origin_);
    origin_.reset();
}

void Report::drawCard(double x, double y, const std::function<void()>& paint) {
    if (!drawing() || !error_.isEmpty()) return;
    if (card_ == CardDrawing::NotYet)
        card_ = keepCard(paint) ? CardDrawing::Kept : CardDrawing::EachTime;
    if (!error_.isEmpty()) return;
    if (card_ == CardDrawing::Kept) {
        target_.placeCard(toDevice(QPointF(x, y)));
        return;
    }
    placeOrigin(x, y);
    const auto back = qScopeGuard([this] { clearOrigin(); });
    paint();
}

bool Report::keepCard(const std::function<void()>& paint) {
    QPoint corner;
    QPainter* card = target_.beginCard(corner, error_);
    if (!card) return false;
    {
        painter_ = card;
        origin_ = corner;
        painter_->translate(corner);
        const auto back = qScopeGuard([this] {
            origin_.reset();
            painter_ = &sheetPainter_;
        });
        paint();
    }
    return target_.endCard(error_);
}

QPoint Report::toDevice(const QPointF& inches) const {
    return QPoint(qRound(xToDevice(inches.x())), qRound(yToDevice(inches.y())));
}

QRect Report::toDevice(const QRectF& inches) const {
    const QRectF r = inches.normalized();
    const QPoint tl = toDevice(r.topLeft());
    const QPoint br = toDevice(r.bottomRight());
    return QRect(tl, QPoint(br.x() - 1, br.y() - 1));
}

int Report::devicePenWidth() const {
    // A stored width may be any int: the result stays within what a canvas draws.
    if (pen.width > 0) return std::min(pen.width, Canvas::maxPenWidth);
    return int(
        std::clamp(std::lround(-double(pen.width) * dpi_ / 100.0), 1L, long(Canvas::maxPenWidth)));
}

QPainter& Report::surface() {
    if (painter_ == &sheetPainter_ && !pageDrawnOn_) {
        pageDrawnOn_ = true;
        target_.drawingOnPage();
    }
    return *painter_;
}

Canvas Report::canvas() {
    return Canvas(surface());
}

Canvas Report::styledCanvas() {
    Canvas c(surface());
    // A pen one hundredth of an inch wide is how a one-pixel screen pen prints (a screen
    // pixel is about that): it keeps its dashes, scaled to its width so that they are as
    // long on paper as on the screen. Wider pens draw solid, as wider screen pens do.
    c.pen = Canvas::Pen{pen.color, pen.mode, pen.style, devicePenWidth(), pen.width == -1};
    c.brush = Canvas::Brush{brush.color, brush.bitmap.isNull() ? brush.style : Gdi::bsClear};
    return c;
}

void Report::fillWithBitmap(const QPainterPath& figure) {
    if (brush.bitmap.isNull()) return;
    QPainter& p = surface();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillPath(figure, QBrush(brush.bitmap));
}

// ---- Figures

void Report::rectangle(double x1, double y1, double x2, double y2) {
    if (!drawing()) return;
    const QRect r = toDevice(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    QPainterPath figure;
    figure.addRect(r);
    fillWithBitmap(figure);
    styledCanvas().rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void Report::roundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH) {
    if (!drawing()) return;
    const QRect r = toDevice(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    const int cw = qRound(cornerW * dpi_), ch = qRound(cornerH * dpi_);
    QPainterPath figure;
    figure.addRoundedRect(r, cw / 2.0, ch / 2.0);
    fillWithBitmap(figure);
    styledCanvas().roundRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1, cw, ch);
}

void Report::ellipse(double x1, double y1, double x2, double y2) {
    if (!drawing()) return;
    const QRect r = toDevice(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    QPainterPath figure;
    figure.addEllipse(r);
    fillWithBitmap(figure);
    styledCanvas().ellipse(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void Report::moveTo(double x, double y) {
    penPos_ = toDevice(QPointF(x, y));
}

void Report::lineTo(double x, double y) {
    const QPoint to = toDevice(QPointF(x, y));
    if (drawing()) {
        Canvas c = styledCanvas();
        c.moveTo(penPos_.x(), penPos_.y());
        c.lineTo(to.x(), to.y());
    }
    penPos_ = to;
}

void Report::polygon(const QPolygonF& inches) {
    QPolygon device;
    device.reserve(inches.size());
    for (const QPointF& p : inches)
        device.append(toDevice(p));
    polygonDevice(device);
}

void Report::polygonDevice(const QPolygon& points) {
    if (!drawing() || points.size() < 2) return;
    QPainterPath figure;
    figure.setFillRule(Qt::WindingFill);
    figure.addPolygon(QPolygonF(points));
    fillWithBitmap(figure);
    styledCanvas().polygon(points);
}

// ---- Text

QFont Report::deviceFont() const {
    QFont f = font;
    if (f.pointSizeF() > 0) f.setPixelSize(std::max(1, qRound(f.pointSizeF() * dpi_ / 72.0)));
    return f;
}

QSizeF Report::textExtent(const QString& text) const {
    const QFontMetricsF fm(deviceFont());
    return QSizeF(fm.horizontalAdvance(text) / dpi_, fm.height() / dpi_);
}

void Report::textOut(double x, double y, const QString& text) {
    if (!drawing() || text.isEmpty()) return;
    const QFont f = deviceFont();
    QPainter& p = surface();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(f);
    p.setPen(fontColor.toQColor());
    p.drawText(QPointF(xToDevice(x), yToDevice(y) + QFontMetricsF(f).ascent()), text);
    p.restore();
}

// ---- Pictures

void Report::stretchDraw(const QRectF& inches, const QImage& image) {
    if (!drawing()) return;
    canvas().stretchDraw(toDevice(inches), image);
}

void Report::stretchDraw(const QRectF& inches, const QPicture& picture) {
    stretchDrawDevice(toDevice(inches), picture);
}

void Report::stretchDrawDevice(const QRect& device, const QPicture& picture) {
    if (!drawing()) return;
    canvas().stretchDraw(device, picture);
}

void Report::drawStretched(const QRectF& inches, const QSize& source,
                           const std::function<void(Canvas&)>& paint) {
    const QRect dest = toDevice(inches);
    if (!drawing() || source.isEmpty() || dest.isEmpty()) return;
    QPainter& p = surface();
    p.save();
    Canvas::resetState(p);
    p.translate(dest.topLeft());
    p.scale(double(dest.width()) / source.width(), double(dest.height()) / source.height());
    Canvas c(p);
    c.setClipRect(QRect(QPoint(0, 0), source));
    paint(c);
    p.restore();
}

} // namespace platform
