#include "TPrintFineTune.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
struct PanelText {
    const char* key;
    const char* title;
    const char* explanation;
};
const std::array<PanelText, 4> panels{{
    {"TopMarginNudge", "Top Margin nudge",
     "Increase or decrease to adjust where vertical printing starts. "},
    {"LeftMarginNudge", "Left Margin nudge",
     "Increase or decrease to adjust where horizontal printing starts. "},
    {"VerticalSpacing", "Vertical Spacing",
     "Increase or decrease to adjust vertical spacing between cards.( You may need to adjust "
     "this if printing \"creeps\" between the top and bottom cards.)"},
    {"HorizontalSpacing", "Horizontal Spacing",
     "Increase or decrease to adjust horizontal spacing between cards "},
}};
} // namespace

TPrintFineTune::TPrintFineTune(const TFineTuneOffsets& offsets, QWidget* parent)
    : QDialog(parent), offsets_(offsets) {
    setWindowTitle(QStringLiteral("Printer Fine-Tuning"));
    auto* layout = new QVBoxLayout(this);
    for (size_t i = 0; i < panels.size(); ++i) {
        const QString key = QLatin1String(panels[i].key);
        auto* box = new QGroupBox(QString::fromLatin1(panels[i].title), this);
        box->setObjectName(key + QStringLiteral("Panel"));
        auto* explanation = new QLabel(QString::fromLatin1(panels[i].explanation), box);
        explanation->setWordWrap(true);
        lines_[i] = new QLabel(box);
        lines_[i]->setObjectName(key + QStringLiteral("Value"));
        auto* up = new QToolButton(box);
        up->setObjectName(key + QStringLiteral("Up"));
        up->setArrowType(Qt::UpArrow);
        auto* down = new QToolButton(box);
        down->setObjectName(key + QStringLiteral("Down"));
        down->setArrowType(Qt::DownArrow);
        auto* spin = new QVBoxLayout;
        spin->setSpacing(0);
        spin->addWidget(up);
        spin->addWidget(down);
        auto* text = new QVBoxLayout;
        text->addWidget(explanation);
        text->addWidget(lines_[i]);
        auto* row = new QHBoxLayout(box);
        row->addLayout(text, 1);
        row->addLayout(spin);
        layout->addWidget(box);
        connect(up, &QToolButton::clicked, this, [this, i] { nudge(*values()[i], -1); });
        connect(down, &QToolButton::clicked, this, [this, i] { nudge(*values()[i], +1); });
    }

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* ok = button(QStringLiteral("Ok"), "OKButton");
    ok->setDefault(true);
    QPushButton* cancel = button(QStringLiteral("Cancel"), "CancelButton");
    QPushButton* defaults = button(QStringLiteral("Default"), "DefaultButton");
    QPushButton* help = button(QStringLiteral("Help"), "HelpButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(defaults);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, &TPrintFineTune::defaultButtonClick);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(2103); });
    refreshLines();
}

QString TPrintFineTune::valueLine(qint32 v) {
    if (v == 0) return QStringLiteral("None");
    // Values beyond the dialog's range come only from an edited preferences file; they are
    // described the same way.
    const qint64 magnitude = v < 0 ? -qint64(v) : qint64(v);
    return (v < 0 ? QStringLiteral("Decrease by ") : QStringLiteral("Increase by ")) +
           QString::number(magnitude) + QStringLiteral("/32\"");
}

void TPrintFineTune::defaultButtonClick() {
    offsets_ = TFineTuneOffsets{};
    refreshLines();
}

void TPrintFineTune::nudge(qint32& value, int delta) {
    if (delta > 0 && value < TFineTuneOffsets::limit) value += 1;
    if (delta < 0 && value > -TFineTuneOffsets::limit) value -= 1;
    refreshLines();
}

void TPrintFineTune::refreshLines() {
    const auto v = values();
    for (size_t i = 0; i < lines_.size(); ++i)
        lines_[i]->setText(valueLine(*v[i]));
}

std::array<qint32*, 4> TPrintFineTune::values() {
    return {&offsets_.topMarginNudge, &offsets_.leftMarginNudge, &offsets_.verticalSpacing,
            &offsets_.horizontalSpacing};
}
