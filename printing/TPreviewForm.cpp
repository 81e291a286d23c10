#include "TPreviewForm.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/PaintBox.h"
#include "platform/widgets/WindowPlacement.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double MarginPercent = 2.5;
constexpr int ShadowDepth = 5;

// The magnifier: a lens with a handle, hot spot in the lens's middle.
QCursor magnifyCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QRectF(2, 2, 18, 18));
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(29, 29));
    p.end();
    return QCursor(pixmap, 11, 11);
}

// Shrinks a page to `size`, each pixel taking the darkest of the pixels it covers: a line
// one printer pixel wide (a card's outline, a hairline) stays one screen pixel wide at any
// magnification, where averaging would fade it and plain sampling would drop it.
QImage shrinkKeepingLines(const QImage& page, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    const double fx = double(page.width()) / size.width();
    const double fy = double(page.height()) / size.height();
    std::vector<int> darkest(size_t(size.width()));
    for (int y = 0; y < size.height(); ++y) {
        const int y0 = int(y * fy),
                  y1 = std::max(y0 + 1, std::min(page.height(), int((y + 1) * fy)));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        std::fill(darkest.begin(), darkest.end(), 256);
        for (int sy = y0; sy < y1; ++sy) {
            const auto* src = reinterpret_cast<const QRgb*>(page.constScanLine(sy));
            for (int x = 0; x < size.width(); ++x) {
                const int x0 = int(x * fx);
                const int x1 = std::max(x0 + 1, std::min(page.width(), int((x + 1) * fx)));
                for (int sx = x0; sx < x1; ++sx) {
                    const int g = qGray(src[sx]);
                    if (g < darkest[size_t(x)]) {
                        darkest[size_t(x)] = g;
                        dst[x] = src[sx];
                    }
                }
            }
        }
    }
    return out;
}

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preview"));
    resize(640, 720);

    scrollBox_ = platform::named(new QScrollArea(this), "ScrollBox1");
    scrollBox_->setBackgroundRole(QPalette::Dark);
    scrollBox_->setAlignment(Qt::AlignCenter);
    scrollBox_->setCursor(magnifyCursor());
    scrollBox_->viewport()->installEventFilter(this);
    scrollBox_->installEventFilter(this);
    pageBox_ = platform::named(new platform::PaintBox, "PreviewPage");
    pageBox_->onPaint = [this](QPainter& p) { paintPage(p); };
    pageBox_->onMousePress = [this](Qt::MouseButton b, QPoint) { pageMousePress(b); };
    scrollBox_->setWidget(pageBox_);

    closeButton_ = platform::named(new QPushButton(QStringLiteral("Ok"), this), "CloseButton");
    closeButton_->setDefault(true);
    auto tool = [this](const char* name, const QString& text, const QString& hint) {
        auto* b = platform::named(new QToolButton(this), name);
        b->setText(text);
        b->setToolTip(hint);
        return b;
    };
    zoomInButton_ = tool("sbZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in"));
    zoomOutButton_ = tool("sbZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out"));
    zoomPageWidthButton_ =
        tool("sbZoomPageWidth", QStringLiteral("Width"), QStringLiteral("Page width"));
    zoomPageButton_ = tool("sbZoomPage", QStringLiteral("Page"), QStringLiteral("Whole page"));
    helpButton_ = platform::named(new QPushButton(QStringLiteral("Help"), this), "Helpbutton");
    helpButton_->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(closeButton_);
    bottom->addSpacing(12);
    bottom->addWidget(zoomInButton_);
    bottom->addWidget(zoomOutButton_);
    bottom->addWidget(zoomPageWidthButton_);
    bottom->addWidget(zoomPageButton_);
    bottom->addStretch();
    bottom->addWidget(helpButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scrollBox_, 1);
    layout->addLayout(bottom);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(zoomInButton_, &QToolButton::clicked, this, &TPreviewForm::sbZoomInClick);
    connect(zoomOutButton_, &QToolButton::clicked, this, &TPreviewForm::sbZoomOutClick);
    connect(zoomPageWidthButton_, &QToolButton::clicked, this,
            [this] { setZoomFactor(zoomPageWidth); });
    connect(zoomPageButton_, &QToolButton::clicked, this, [this] { setZoomFactor(zoomPage); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { emit helpRequested(2039); });
}

bool TPreviewForm::setReport(QIODevice& stream, QString& error) {
    if (!report_.load(stream, error)) return false;
    page_ = 1;
    fullPage_ = QImage();
    shownZoom_ = 0;
    onZoomChange();
    return true;
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    platform::WindowPlacement::restoreWindowPlacement(*this);
    zoom_ = 100;
    onZoomChange();
    onPageChange();
}

void TPreviewForm::done(int result) {
    if (activated_) platform::WindowPlacement::saveWindowPlacement(*this);
    QDialog::done(result);
}

double TPreviewForm::pixelsPerInch(int percent) const {
    return percent / 100.0 * platform::ScreenMetrics::pixelsPerInch();
}

int TPreviewForm::margin(int percent) const {
    return int(std::lround(report_.pageSizeInches().width() * pixelsPerInch(percent) *
                           MarginPercent / 100.0));
}

int TPreviewForm::fittedZoom(bool wholePage) const {
    const QSizeF inches = report_.pageSizeInches();
    if (inches.isEmpty()) return 100;
    const QSize area = scrollBox_->viewport()->size();
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    // The page, its margins on both sides and its shadow fill the area.
    const double scale = 1.0 + 2 * MarginPercent / 100.0;
    double percent = (area.width() - ShadowDepth) / (inches.width() * scale * ppi) * 100.0;
    if (wholePage) {
        const double tall =
            (area.height() - ShadowDepth) /
            (inches.height() * ppi + 2 * inches.width() * ppi * MarginPercent / 100.0) * 100.0;
        percent = std::min(percent, tall);
    }
    return int(std::floor(percent));
}

void TPreviewForm::setZoomFactor(int percent) {
    if (percent == zoomPageWidth)
        percent = fittedZoom(false);
    else if (percent == zoomPage)
        percent = fittedZoom(true);
    const int z = std::clamp(percent, minZoom, maxZoom);
    if (z == zoom_) return;
    zoom_ = z;
    onZoomChange();
}

void TPreviewForm::pageMousePress(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        sbZoomInClick();
    else
        sbZoomOutClick();
}

void TPreviewForm::onPageChange() {
    setWindowTitle(QStringLiteral("Preview Page %1 of %2").arg(page_).arg(report_.pageCount()));
}

void TPreviewForm::onZoomChange() {
    const QSizeF inches = report_.pageSizeInches();
    const double ppi = pixelsPerInch(zoom_);
    const int m = margin(zoom_);
    pageBox_->setFixedSize(int(std::ceil(inches.width() * ppi)) + 2 * m + ShadowDepth,
                           int(std::ceil(inches.height() * ppi)) + 2 * m + ShadowDepth);
    pageBox_->update();
}

void TPreviewForm::paintPage(QPainter& painter) {
    const QSizeF inches = report_.pageSizeInches();
    const double ppi = pixelsPerInch(zoom_);
    const int m = margin(zoom_);
    const QRectF paper(m, m, inches.width() * ppi, inches.height() * ppi);
    painter.fillRect(paper.translated(ShadowDepth, ShadowDepth), Qt::black);
    painter.fillRect(paper, Qt::white);
    if (page_ < 1 || page_ > report_.pageCount()) return;
    if (ppi >= report_.resolution()) { // no finer than the page itself: replay it
        painter.save();
        painter.translate(paper.topLeft());
        report_.paintPage(page_ - 1, painter, ppi);
        painter.restore();
        return;
    }
    painter.drawImage(paper.topLeft(), pageImage());
}

const QImage& TPreviewForm::pageImage() {
    if (fullPage_.isNull()) {
        const double res = report_.resolution();
        const QSizeF inches = report_.pageSizeInches();
        fullPage_ = QImage(int(std::ceil(inches.width() * res)),
                           int(std::ceil(inches.height() * res)), QImage::Format_RGB32);
        fullPage_.fill(Qt::white);
        QPainter p(&fullPage_);
        report_.paintPage(page_ - 1, p, res);
    }
    if (shownZoom_ != zoom_) {
        const double ppi = pixelsPerInch(zoom_);
        const QSizeF inches = report_.pageSizeInches();
        shownPage_ = shrinkKeepingLines(fullPage_,
                                        QSize(std::max(1, int(std::ceil(inches.width() * ppi))),
                                              std::max(1, int(std::ceil(inches.height() * ppi)))));
        shownZoom_ = zoom_;
    }
    return shownPage_;
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBox_->viewport() && event->type() == QEvent::MouseButtonPress) {
        pageMousePress(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            QScrollBar* bar = scrollBox_->verticalScrollBar();
            const int step = key == Qt::Key_Up ? -bar->singleStep() : bar->singleStep();
            bar->setValue(std::clamp(bar->value() + step, 0, bar->maximum()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
