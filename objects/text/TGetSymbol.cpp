#include "TGetSymbol.h"

#include "platform/Cp1252.h"
#include "platform/DialogHost.h"
#include "platform/SymbolFonts.h"
#include "platform/TextMetrics.h"

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

    Fontbutton = new QPushButton(this);
    Fontbutton->setObjectName(QStringLiteral("Fontbutton"));
    Fontbutton->setAutoDefault(false);
    auto* fontLabel = new QLabel(QStringLiteral("&Font"), this);
    fontLabel->setBuddy(Fontbutton);
    SymbolFaceCombo = new QComboBox(this);
    SymbolFaceCombo->setObjectName(QStringLiteral("SymbolFaceCombo"));
    SymbolFaceCombo->setToolTip(QStringLiteral("Picture fonts, shown even when not installed"));
    auto* faceLabel = new QLabel(QStringLiteral("&Symbols"), this);
    faceLabel->setBuddy(SymbolFaceCombo);
    SymbolSizeBox = new QSpinBox(this);
    SymbolSizeBox->setObjectName(QStringLiteral("SymbolSizeBox"));
    SymbolSizeBox->setRange(minPoints, maxPoints);
    SymbolSizeBox->setSuffix(QStringLiteral(" pt"));
    SymbolSizeBox->setToolTip(QStringLiteral("Size of the symbol in points"));
    auto* sizeLabel = new QLabel(QStringLiteral("Si&ze"), this);
    sizeLabel->setBuddy(SymbolSizeBox);
    SymbolList = new QListWidget(this);
    SymbolList->setObjectName(QStringLiteral("SymbolList"));
    SymbolList->setFlow(QListView::TopToBottom);
    SymbolList->setWrapping(true);
    SymbolList->setUniformItemSizes(true);
    SymbolList->setFixedSize(kListWidth, 10 * kItemHeight + 24);
    for (int code = 32; code <= 255; ++code) {
        auto* item = new QListWidgetItem(SymbolList);
        item->setTextAlignment(Qt::AlignCenter);
        item->setSizeHint(QSize(kListWidth / columnsFor(listPoints), kItemHeight));
    }
    SelectedChar = new QLabel(this);
    SelectedChar->setObjectName(QStringLiteral("SelectedChar"));
    SelectedChar->hide();

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setAutoDefault(false);
    help->setProperty("HelpContext", kHelpContext);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(faceLabel);
    fontRow->addWidget(SymbolFaceCombo, 1);
    fontRow->addWidget(sizeLabel);
    fontRow->addWidget(SymbolSizeBox);
    fontRow->addWidget(fontLabel);
    fontRow->addWidget(Fontbutton, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addLayout(fontRow);
    top->addWidget(SymbolList);
    top->addWidget(SelectedChar);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Fontbutton, &QPushButton::clicked, this, &TGetSymbol::FontbuttonClick);
    connect(SymbolFaceCombo, &QComboBox::textActivated, this, &TGetSymbol::chooseFace);
    connect(SymbolSizeBox, &QSpinBox::valueChanged, this, [this](int points) {
        chosen_.setSize(points);
        SelectedChar->setFont(chosen_.toQFont());
    });
    connect(SymbolList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
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
    const int row = SymbolList->currentRow();
    return row < 0 ? -1 : row + 32;
}

void TGetSymbol::setCode(int code) {
    SymbolList->setCurrentRow(code >= 32 && code <= 255 ? code - 32 : -1);
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
    SymbolList->setFont(tm.qfont());
    const QColor color = f.color.toQColor();
    for (int row = 0; row < SymbolList->count(); ++row) {
        QListWidgetItem* item = SymbolList->item(row);
        // The characters as the card shows them: a symbol face that is not installed
        // draws through the same mapping as the symbol itself.
        item->setText(tm.shown(characterOf(row + 32)));
        item->setForeground(color);
    }
    SelectedChar->setFont(chosen_.toQFont());
    Fontbutton->setText(fontButtonCaption());
    const QSignalBlocker faceQuiet(SymbolFaceCombo), sizeQuiet(SymbolSizeBox);
    // The symbol faces, and the chosen face when it is another; faces compare without
    // regard to case, as the mapping names them.
    SymbolFaceCombo->clear();
    SymbolFaceCombo->addItems(platform::SymbolFonts::faces());
    if (SymbolFaceCombo->findText(chosen_.name(), Qt::MatchFixedString) < 0)
        SymbolFaceCombo->addItem(chosen_.name());
    SymbolFaceCombo->setCurrentIndex(
        SymbolFaceCombo->findText(chosen_.name(), Qt::MatchFixedString));
    SymbolSizeBox->setValue(chosen_.size());
}

void TGetSymbol::chooseFace(const QString& face) {
    chosen_.setName(face);
    listFont_.setName(face);
    showListFont();
}

void TGetSymbol::FontbuttonClick() {
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
