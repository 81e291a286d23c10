#include "TSelectSpecificLabels.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PrinterReportTarget.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/PaintBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TSelectSpecificLabels::TSelectSpecificLabels(const TCardLayout& layout,
                                             const TCardSelection& selection, QWidget* parent)
    : QDialog(parent), layout_(layout), selection_(selection),
      sheet_(TCardLayout::sheetSizeInches(layout.papersize)),
      ppi_(platform::ScreenMetrics::pixelsPerInch()) {
    layout_.across = std::clamp(int(layout_.across), 1, int(TCardLayout::maxAcross));
    layout_.down = std::clamp(int(layout_.down), 1, int(TCardLayout::maxDown));
    selection_.fitLayout(layout_.across, layout_.down);
    setWindowTitle(QStringLiteral("Print Cards"));

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"), this);
    printerName_ = new QLabel(printerBox);
    printerName_->setObjectName(QStringLiteral("PrinterName"));
    (new QVBoxLayout(printerBox))->addWidget(printerName_);

    auto* miniatureBox = new QGroupBox(QStringLiteral(" Select Cards To Print"), this);
    miniature_ = new platform::PaintBox(miniatureBox);
    miniature_->setObjectName(QStringLiteral("Miniature"));
    miniature_->setFixedSize(areaWidth, areaHeight);
    miniature_->onPaint = [this](QPainter& p) { paintMiniature(p); };
    miniature_->onMousePress = [this](Qt::MouseButton, QPoint p) { miniatureMousePress(p); };
    (new QVBoxLayout(miniatureBox))->addWidget(miniature_);

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* all = button(QStringLiteral("&All"), "AllButton");
    QPushButton* none = button(QStringLiteral("&None"), "NoneButton");
    auto* pagesLabel = new QLabel(QStringLiteral("Number of &pages:"), this);
    pagesEdit_ = new QSpinBox(this);
    pagesEdit_->setObjectName(QStringLiteral("PagesEdit"));
    pagesEdit_->setRange(1, 99);
    pagesEdit_->setValue(1);
    pagesLabel->setBuddy(pagesEdit_);
    printSetupButton_ = button(QStringLiteral("Print &Setup"), "PrintSetupButton");
    QPushButton* ok = button(QStringLiteral("Ok"), "OKButton");
    ok->setDefault(true);
    QPushButton* cancel = button(QStringLiteral("Cancel"), "CancelButton");
    QPushButton* help = button(QStringLiteral("Help"), "HelpButton");

    auto* side = new QVBoxLayout;
    side->addWidget(printerBox);
    side->addWidget(all);
    side->addWidget(none);
    side->addWidget(pagesLabel);
    side->addWidget(pagesEdit_);
    side->addWidget(printSetupButton_);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(miniatureBox);
    top->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(top);
    layoutBox->addLayout(buttons);

    connect(all, &QPushButton::clicked, this, &TSelectSpecificLabels::allButtonClick);
    connect(none, &QPushButton::clicked, this, &TSelectSpecificLabels::noneButtonClick);
    connect(printSetupButton_, &QPushButton::clicked, this,
            &TSelectSpecificLabels::printSetupClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(2020); });

    setPrinter(nullptr);
    determineRectangles();
}

void TSelectSpecificLabels::setPrinter(platform::PrinterReportTarget* printer) {
    printer_ = printer;
    printSetupButton_->setEnabled(printer_ != nullptr);
    showPrinterName();
}

int TSelectSpecificLabels::pages() const {
    return pagesEdit_->value();
}

int TSelectSpecificLabels::T(double v) const {
    return int(std::trunc(v * scale_ * ppi_));
}

void TSelectSpecificLabels::determineRectangles() {
    // The miniature covers the sheet and every card, even cards placed beyond the sheet;
    // it is drawn at a fifth of real size unless that would overflow the area.
    const double right = std::max<double>(
        sheet_.width(), layout_.leftMargin + (layout_.across - 1) * layout_.hPitch + layout_.width);
    const double bottom = std::max<double>(
        sheet_.height(), layout_.topMargin + (layout_.down - 1) * layout_.vPitch + layout_.height);
    const double room = std::min((areaWidth - border - 1) / (right * ppi_),
                                 (areaHeight - border - 1) / (bottom * ppi_));
    scale_ = std::min(scale, room);

    rects_.assign(size_t(positions()), QRect());
    for (int r = 0; r < layout_.down; ++r)
        for (int c = 0; c < layout_.across; ++c) {
            const int left = border + T(layout_.leftMargin) + c * T(layout_.hPitch);
            const int top = border + T(layout_.topMargin) + r * T(layout_.vPitch);
            // QRect's right and bottom are inclusive: the rectangle ends before
            // left + T(Width) and top + T(Height).
            rects_[size_t(c + r * layout_.across)] =
                QRect(QPoint(left, top),
                      QPoint(left + T(layout_.width) - 1, top + T(layout_.height) - 1));
        }
    miniature_->update();
}

QRect TSelectSpecificLabels::sheetRectangle() const {
    return QRect(QPoint(border, border),
                 QPoint(border + T(sheet_.width()) - 1, border + T(sheet_.height()) - 1));
}

void TSelectSpecificLabels::paintMiniature(QPainter& painter) {
    platform::Canvas canvas(painter);
    canvas.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
    canvas.brush = {TColor::clWhite, Gdi::bsSolid};
    const QRect sheet = sheetRectangle();
    canvas.rectangle(sheet.left(), sheet.top(), sheet.right() + 1, sheet.bottom() + 1);
    for (size_t i = 0; i < rects_.size(); ++i)
        fillLabelRect(painter, rects_[i], selection_.isSelected(int(i)));
}

void TSelectSpecificLabels::fillLabelRect(QPainter& painter, const QRect& r, bool selected) {
    platform::Canvas canvas(painter);
    canvas.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
    canvas.brush = {TColor(selected ? 0x0000FF : 0xFFFFFF), Gdi::bsSolid};
    canvas.rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TSelectSpecificLabels::miniatureMousePress(QPoint p) {
    for (int r = 0; r < layout_.down; ++r)
        for (int c = 0; c < layout_.across; ++c) {
            const int index = c + r * layout_.across;
            if (!rects_[size_t(index)].contains(p)) continue;
            selection_.toggle(index);
            miniature_->update(rects_[size_t(index)]);
            break; // the first hit of this row; the next row is tested too
        }
}

void TSelectSpecificLabels::allButtonClick() {
    selection_.setFirst(positions(), true);
    miniature_->update();
}

void TSelectSpecificLabels::noneButtonClick() {
    selection_.setFirst(positions(), false);
    miniature_->update();
}

void TSelectSpecificLabels::done(int result) {
    if (result == QDialog::Accepted && !selection_.anySelected(positions())) {
        platform::showInformation(QStringLiteral("You must select at least one card to print"));
        return;
    }
    QDialog::done(result);
}

void TSelectSpecificLabels::showPrinterName() {
    printerName_->setText(printer_ ? printer_->printerName() : QString());
}

void TSelectSpecificLabels::printSetupClick() {
    if (!printer_) return;
    printer_->showSetupDialog(this);
    showPrinterName();
}
