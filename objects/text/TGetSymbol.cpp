#include "TGetSymbol.h"

#include "platform/drawing/Cp1252.h"
#include "platform/drawing/SymbolFonts.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 40005;
constexpr int kListWidth = 440;
constexpr int kItemHeight = 30;
} // namespace

TGetSymbol::TGetSymbol(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Symbol Selector"));
    listFont_.setSize(listPoints);

    fontButton_ = new QPushButton(this);
    fontButton_->setObjectName(QStringLiteral("Fontbutton"));
    fontButton_->setAutoDefault(false);
    auto* fontLabel = new QLabel(QStringLiteral("&Font"), this);
    fontLabel->setBuddy(fontButton_);
    symbolFaceCombo_ = new QComboBox(this);
    symbolFaceCombo_->setObjectName(QStringLiteral("SymbolFaceCombo"));
    symbolFaceCombo_->setToolTip(QStringLiteral("Picture fonts, shown even when not installed"));
    auto* faceLabel = new QLabel(QStringLiteral("&Symbols"), this);
    faceLabel->setBuddy(symbolFaceCombo_);
    symbolSizeBox_ = new QSpinBox(this);
    symbolSizeBox_->setObjectName(QStringLiteral("SymbolSizeBox"));
    symbolSizeBox_->setRange(minPoints, maxPoints);
    symbolSizeBox_->setSuffix(QStringLiteral(" pt"));
    symbolSizeBox_->setToolTip(QStringLiteral("Size of the symbol in points"));
    auto* sizeLabel = new QLabel(QStringLiteral("Si&ze"), this);
    sizeLabel->setBuddy(symbolSizeBox_);
    symbolList_ = new QListWidget(this);
    symbolList_->setObjectName(QStringLiteral("SymbolList"));
    symbolList_->setFlow(QListView::TopToBottom);
    symbolList_->setWrapping(true);
    symbolList_->setUniformItemSizes(true);
    symbolList_->setFixedSize(kListWidth, 10 * kItemHeight + 24);
    for (int code = 32; code <= 255; ++code) {
        auto* item = new QListWidgetItem(symbolList_);
        item->setTextAlignment(Qt::AlignCenter);
        item->setSizeHint(QSize(kListWidth / columnsFor(listPoints), kItemHeight));
    }
    selectedChar_ = new QLabel(this);
    selectedChar_->setObjectName(QStringLiteral("SelectedChar"));
    selectedChar_->hide();

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(faceLabel);
    fontRow->addWidget(symbolFaceCombo_, 1);
    fontRow->addWidget(sizeLabel);
    fontRow->addWidget(symbolSizeBox_);
    fontRow->addWidget(fontLabel);
    fontRow->addWidget(fontButton_, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(fontRow);
    top->addWidget(symbolList_);
    top->addWidget(selectedChar_);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(fontButton_, &QPushButton::clicked, this, &TGetSymbol::fontbuttonClick);
    connect(symbolFaceCombo_, &QComboBox::textActivated, this, &TGetSymbol::chooseFace);
    connect(symbolSizeBox_, &QSpinBox::valueChanged, this, [this](int points) {
        chosen_.setSize(points);
        selectedChar_->setFont(chosen_.toQFont());
    });
    connect(symbolList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    showListFont();
}

void TGetSymbol::setChosenFont(const TGFont& font) {
    chosen_.assign(font);
    listFont_.setName(font.name());
    listFont_.setStyle(font.style());
    listFont_.setColor(font.color());
    showListFont();
}

int TGetSymbol::code() const {
    const int row = symbolList_->currentRow();
    return row < 0 ? -1 : row + 32;
}

void TGetSymbol::setCode(int code) {
    symbolList_->setCurrentRow(code >= 32 && code <= 255 ? code - 32 : -1);
}

int TGetSymbol::codeOf(const QString& text) {
    if (text.isEmpty()) return -1;
    const std::optional<QByteArray> byte = platform::Cp1252::encode(text.left(1));
    return byte && byte->size() == 1 ? quint8(byte->at(0)) : -1;
}

QString TGetSymbol::characterOf(int code) {
    const char byte = char(code);
    return platform::Cp1252::decode(QByteArrayView(&byte, 1));
}

int TGetSymbol::columnsFor(int points) {
    if (points >= 6 && points <= 10) return 14;
    if (points >= 11 && points <= 20) return 10;
    if (points >= 21 && points <= 30) return 8;
    if (points >= 31 && points <= 40) return 6;
    if (points >= 41 && points <= 50) return 4;
    if (points >= 51 && points <= 60) return 3;
    if (points >= 61 && points <= 72) return 2;
    return 1;
}

QString TGetSymbol::fontButtonCaption() const {
    QString caption = QStringLiteral("%1, %2pt ").arg(listFont_.name()).arg(listFont_.size());
    if (listFont_.style().testFlag(Gdi::fsItalic))
        caption += QStringLiteral("Italic ");
    else if (listFont_.style().testFlag(Gdi::fsBold))
        caption += QStringLiteral("Bold ");
    return caption;
}

void TGetSymbol::showListFont() {
    const platform::GdiFont f = listFont_.gdiFont();
    const platform::TextMetrics tm(f);
    symbolList_->setFont(tm.qfont());
    const QColor color = f.color.toQColor();
    for (int row = 0; row < symbolList_->count(); ++row) {
        QListWidgetItem* item = symbolList_->item(row);
        // The characters as the card shows them: a symbol face that is not installed
        // draws through the same mapping as the symbol itself.
        item->setText(tm.shown(characterOf(row + 32)));
        item->setForeground(color);
    }
    selectedChar_->setFont(chosen_.toQFont());
    fontButton_->setText(fontButtonCaption());
    const QSignalBlocker faceQuiet(symbolFaceCombo_), sizeQuiet(symbolSizeBox_);
    // The symbol faces, and the chosen face when it is another; faces compare without
    // regard to case, as the mapping names them.
    symbolFaceCombo_->clear();
    symbolFaceCombo_->addItems(platform::SymbolFonts::faces());
    if (symbolFaceCombo_->findText(chosen_.name(), Qt::MatchFixedString) < 0)
        symbolFaceCombo_->addItem(chosen_.name());
    symbolFaceCombo_->setCurrentIndex(
        symbolFaceCombo_->findText(chosen_.name(), Qt::MatchFixedString));
    symbolSizeBox_->setValue(chosen_.size());
}

void TGetSymbol::chooseFace(const QString& face) {
    chosen_.setName(face);
    listFont_.setName(face);
    showListFont();
}

void TGetSymbol::fontbuttonClick() {
    const std::optional<QFont> picked =
        platform::DialogHost::current().chooseFont(chosen_.toQFont());
    if (picked) {
        const QString face = chosen_.name();
        chosen_.assignQFont(*picked);
        if (platform::SymbolFonts::isMapped(face) &&
            picked->family() == platform::SymbolFonts::drawingFamily())
            chosen_.setName(face);
        listFont_.setName(chosen_.name());
        listFont_.setStyle(chosen_.style());
        listFont_.setColor(chosen_.color());
    }
    showListFont();
}
