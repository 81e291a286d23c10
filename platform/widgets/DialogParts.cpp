#include "platform/widgets/DialogParts.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace platform {

namespace {
QPushButton* button(QWidget* parent, ButtonText text) {
    return named(new QPushButton(QLatin1String(text.caption), parent), text.name);
}
} // namespace

ButtonRow::ButtonRow(QWidget* parent, ButtonText okText, ButtonText cancelText, ButtonText helpText,
                     int helpContext)
    : layout(new QHBoxLayout), ok(button(parent, okText)), cancel(button(parent, cancelText)),
      help(button(parent, helpText)) {
    ok->setDefault(true);
    help->setAutoDefault(false);
    help->setProperty("HelpContext", helpContext);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->addWidget(help);
}

} // namespace platform
