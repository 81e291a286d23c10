#include "platform/widgets/WhatsThisHelp.h"

#include <QAbstractButton>
#include <QAction>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWhatsThis>

namespace platform {

namespace {
const char* const buttonName = "WhatsThisButton";

// A caption as the user reads it: mnemonics removed ("&&" stays one "&"), on one line.
QString plain(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x01), QLatin1Char('&'));
    return text.simplified();
}

// The hint, else the caption, else the caption of the label that names the control.
QString helpText(const QWidget& w, const QHash<const QWidget*, QString>& buddies) {
    if (!w.toolTip().isEmpty()) return plain(w.toolTip());
    if (const auto* b = qobject_cast<const QAbstractButton*>(&w)) return plain(b->text());
    if (const auto* g = qobject_cast<const QGroupBox*>(&w)) return plain(g->title());
    return buddies.value(&w);
}

// The box layout below `layout` that holds `w` directly.
QBoxLayout* rowOf(QLayout* layout, const QWidget* w) {
    if (!layout) return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w) return qobject_cast<QBoxLayout*>(layout);
        if (QBoxLayout* found = rowOf(item->layout(), w)) return found;
    }
    return nullptr;
}

// The button the "?" button follows: the Help button, else the default one, else the first.
QPushButton* anchorButton(QDialog& dialog) {
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    for (QPushButton* b : buttons)
        if (b->objectName().compare(QLatin1String("HelpButton"), Qt::CaseInsensitive) == 0)
            return b;
    for (QPushButton* b : buttons)
        if (b->isDefault()) return b;
    return buttons.isEmpty() ? nullptr : buttons.front();
}

void addButton(QDialog& dialog) {
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(buttonName));
    button->setText(QStringLiteral("?"));
    button->setToolTip(QStringLiteral("What's this?"));
    button->setWhatsThis(QStringLiteral("Click, then click a control to see what it does"));
    QObject::connect(button, &QToolButton::clicked, button,
                     [] { QWhatsThis::enterWhatsThisMode(); });
    QPushButton* anchor = anchorButton(dialog);
    QWidget* holder = anchor ? anchor->parentWidget() : nullptr;
    if (auto* box = qobject_cast<QDialogButtonBox*>(holder)) {
        box->addButton(button, QDialogButtonBox::HelpRole);
        return;
    }
    if (QBoxLayout* row = holder ? rowOf(holder->layout(), anchor) : nullptr) {
        row->insertWidget(row->indexOf(anchor) + 1, button);
        return;
    }
    if (QLayout* top = dialog.layout())
        top->addWidget(button);
    else
        button->setParent(&dialog);
}
} // namespace

void addWhatsThisHelp(QDialog& dialog) {
    if (dialog.findChild<QToolButton*>(QLatin1String(buttonName))) return;
    QHash<const QWidget*, QString> buddies;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy()) buddies.insert(label->buddy(), plain(label->text()));
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->whatsThis().isEmpty()) continue;
        const QString text = helpText(*w, buddies);
        if (!text.isEmpty()) w->setWhatsThis(text);
    }
    addButton(dialog);
    QAction* shortcut = QWhatsThis::createAction(&dialog);
    shortcut->setShortcutContext(Qt::WindowShortcut);
    dialog.addAction(shortcut);
}

} // namespace platform
