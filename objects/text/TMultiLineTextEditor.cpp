#include "TMultiLineTextEditor.h"

#include "document/TGFont.h"
#include "platform/widgets/DialogParts.h"

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

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo"));
    memo_->setMinimumSize(320, 160);

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);

    auto* top = new QVBoxLayout(this);
    top->addWidget(memo_, 1);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(memo_->document(), &QTextDocument::contentsChange, this,
            &TMultiLineTextEditor::enforceLimit);
}

void TMultiLineTextEditor::setEditorFont(const TGFont& font) {
    memo_->setFont(font.toQFont());
}

QStringList TMultiLineTextEditor::lines() const {
    const QString text = memo_->toPlainText();
    if (text.isEmpty()) return {};
    QStringList out = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) out.removeLast();
    return out;
}

void TMultiLineTextEditor::setLines(const QStringList& lines) {
    // Lines from a card file may hold more than a person can type here; they are shown
    // whole, so that "Ok" loses nothing, and only typing beyond the limit is refused.
    const QScopedValueRollback settingText(settingText_, true);
    memo_->setPlainText(lines.join(QLatin1Char('\n')));
}

void TMultiLineTextEditor::enforceLimit(int position, int, int added) {
    // characterCount counts the document's closing paragraph separator too.
    const int excess = memo_->document()->characterCount() - 1 - maxLength;
    if (excess <= 0 || added <= 0 || settingText_) return;
    QTextCursor cursor(memo_->document());
    const int cut = std::min(excess, added);
    cursor.setPosition(position + added - cut);
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
