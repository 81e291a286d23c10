#include "TGBusinessCardLabel.h"

#include "TGetBCLabelText.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/widgets/DialogHost.h"

#include <QLineEdit>

#include <memory>

namespace {
const QString kPersonalInfoCaption = QStringLiteral("Personal Information");
}

const QStringList& TGBusinessCardLabel::personalInfoPrefixes() {
    static const QStringList prefixes = {
        QStringLiteral("Name\t"),      QStringLiteral("Company\t"),   QStringLiteral("Title\t"),
        QStringLiteral("Address 1\t"), QStringLiteral("Address 2\t"), QStringLiteral("Address 3\t"),
        QStringLiteral("Phone 1\t"),   QStringLiteral("Phone 2\t"),   QStringLiteral("EMail\t"),
        QStringLiteral("Fax\t")};
    return prefixes;
}

TGBusinessCardPanel32* TGBusinessCardLabel::cardSurface() const {
    return qobject_cast<TGBusinessCardPanel32*>(surface());
}

void TGBusinessCardLabel::buildPopup() {
    TGPLabel::buildPopup();
    personalInfoMenu_ = nullptr;
    if (!cardSurface()) return;
    platform::MenuModel& m = *objectMenu();
    m.prepend(QStringLiteral("-"));
    auto sub = std::make_shared<platform::MenuModel>();
    personalInfoMenu_ = sub.get();
    m.prepend(kPersonalInfoCaption).submenu = std::move(sub);
    fillPersonalInfoMenu();
}

void TGBusinessCardLabel::popupRefresh() {
    TGPLabel::popupRefresh();
    fillPersonalInfoMenu();
}

void TGBusinessCardLabel::fillPersonalInfoMenu() {
    TGBusinessCardPanel32* card = cardSurface();
    if (!card || !personalInfoMenu_) return;
    platform::MenuModel& sub = *personalInfoMenu_;
    sub.items().clear();
    const QStringList& prefixes = personalInfoPrefixes();
    for (int i = 0; i < TGBusinessCardPanel32::PersonalInfoCount; ++i) {
        const QString caption = prefixes[i] + card->personalInfo(i);
        sub.add(caption, [this, caption] { pickPersonalInfo(caption); });
    }
}

void TGBusinessCardLabel::pickPersonalInfo(const QString& itemCaption) {
    const qsizetype tab = itemCaption.indexOf(QLatin1Char('\t'));
    QString text = itemCaption.mid(tab + 1);
    if (text.size() > maxPickLength) {
        // Cut between characters, never inside a surrogate pair.
        text.truncate(text.at(maxPickLength - 1).isHighSurrogate() ? maxPickLength - 1
                                                                   : maxPickLength);
    }
    setCaption(text);
    fitToText();
    flagChanged();
    repaint();
}

void TGBusinessCardLabel::editText() {
    QStringList values;
    if (TGBusinessCardPanel32* card = cardSurface())
        for (int i = 0; i < TGBusinessCardPanel32::PersonalInfoCount; ++i)
            values << card->personalInfo(i);
    TGetBCLabelText dialog(values);
    dialog.setText(caption());
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return;
    setCaption(dialog.text());
    fitToText();
    repaint();
}
