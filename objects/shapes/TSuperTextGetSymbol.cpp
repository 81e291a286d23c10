#include "TSuperTextGetSymbol.h"

#include "platform/widgets/DialogHost.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int firstCode = 32, lastCode = 255, columns = 15;
} // namespace

QStringList TSuperTextGetSymbol::symbolFonts() {
    QStringList fonts;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Symbol))
        if (QFontDatabase::isScalable(family)) fonts << family;
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SuperTextGetSymbol"));
    setWindowTitle(QStringLiteral("Symbol Selector"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    fontCombo_ = new QComboBox;
    fontCombo_->setObjectName(QStringLiteral("FontCombo"));
    symbolGrid_ = new QTableWidget((lastCode - firstCode + columns) / columns, columns);
    symbolGrid_->setObjectName(QStringLiteral("SymbolGrid"));
    symbolGrid_->horizontalHeader()->hide();
    symbolGrid_->verticalHeader()->hide();
    symbolGrid_->horizontalHeader()->setDefaultSectionSize(28);
    symbolGrid_->verticalHeader()->setDefaultSectionSize(28);
    // Large enough for every cell: the whole character set at one glance, no scroll bars.
    symbolGrid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    symbolGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    symbolGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int code = firstCode; code <= lastCode; ++code) {
        auto* item = new QTableWidgetItem(QString(QChar(code)));
        item->setTextAlignment(Qt::AlignCenter);
        symbolGrid_->setItem((code - firstCode) / columns, (code - firstCode) % columns, item);
    }
    auto* ok = new QPushButton(QStringLiteral("Ok"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setToolTip(QStringLiteral("Copy the selected symbol to the label"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancelbutton"));
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("Font")));
    fontRow->addWidget(fontCombo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(fontRow);
    top->addWidget(symbolGrid_);
    top->addLayout(buttons);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList fonts = symbolFonts();
    fontCombo_->addItems(fonts);
    int preselect = 0;
    for (int i = 0; i < fonts.size(); ++i)
        if (fonts[i].toUpper().contains(QLatin1String("WINGDING"))) {
            preselect = i;
            break;
        }
    fontCombo_->setCurrentIndex(fonts.isEmpty() ? -1 : preselect);
    QApplication::restoreOverrideCursor();
    fontChosen();

    connect(fontCombo_, &QComboBox::currentIndexChanged, this, &TSuperTextGetSymbol::fontChosen);
    connect(symbolGrid_, &QTableWidget::cellDoubleClicked, this,
            &TSuperTextGetSymbol::okButtonClick);
    connect(ok, &QPushButton::clicked, this, &TSuperTextGetSymbol::okButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TSuperTextGetSymbol::execute(QString& symbol, QString& fontName) {
    if (symbolFonts().isEmpty()) {
        platform::showInformation(QStringLiteral("No Symbol fonts installed"));
        return false;
    }
    TSuperTextGetSymbol chooser;
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return false;
    if (chooser.chosenSymbol().isEmpty()) return false;
    symbol = chooser.chosenSymbol();
    fontName = chooser.chosenFont();
    return true;
}

void TSuperTextGetSymbol::fontChosen() {
    QFont f(chosenFont());
    f.setPointSize(14);
    symbolGrid_->setFont(f);
}

QString TSuperTextGetSymbol::chosenFont() const {
    return fontCombo_->currentText();
}

QString TSuperTextGetSymbol::chosenSymbol() const {
    const QTableWidgetItem* item = symbolGrid_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TSuperTextGetSymbol::okButtonClick() {
    if (!chosenFont().isEmpty() || !chosenSymbol().isEmpty()) accept();
}
