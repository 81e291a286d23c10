#include "TMultiLineTextEditor.h"

#include "document/TGFont.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kHelpContext = 40001;
}

TMultiLineTextEditor::TMultiLineTextEditor(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Multi-line Text Editor"));
    setSizeGripEnabled(true);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setMinimumSize(320, 160);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setAutoDefault(false);
    help->setProperty("HelpContext", kHelpContext);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addWidget(Memo, 1);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Memo->document(), &QTextDocument::contentsChange, this,
            &TMultiLineTextEditor::enforceLimit);
}

void TMultiLineTextEditor::setEditorFont(const TGFont& font) {
    Memo->setFont(font.toQFont());
}

QStringList TMultiLineTextEditor::lines() const {
    const QString text = Memo->toPlainText();
    if (text.isEmpty()) return {};
    QStringList out = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) out.removeLast();
    return out;
}

void TMultiLineTextEditor::setLines(const QStringList& lines) {
    // Lines from a card file may hold more than a person can type here; they are shown
    // whole, so that "Ok" loses nothing, and only typing beyond the limit is refused.
    const QScopedValueRollback settingText(settingText_, true);
    Memo->setPlainText(lines.join(QLatin1Char('\n')));
}

void TMultiLineTextEditor::enforceLimit(int position, int, int added) {
    // characterCount counts the document's closing paragraph separator too.
    const int excess = Memo->document()->characterCount() - 1 - maxLength;
    if (excess <= 0 || added <= 0 || settingText_) return;
    QTextCursor cursor(Memo->document());
    const int cut = std::min(excess, added);
    cursor.setPosition(position + added - cut);
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
