#pragma once
// The text label the surface's text tool creates: a TGPLabel that can take its text from
// the user's personal information, through the "Personal Information" submenu at the top
// of its popup or through the list in its text dialog. It keeps no link to the entry.
#include "TGPLabel.h"

#include <QStringList>

class TGBusinessCardPanel32;

class TGBusinessCardLabel : public TGPLabel {
    Q_OBJECT
  public:
    Q_INVOKABLE explicit TGBusinessCardLabel(QObject* owner = nullptr) : TGPLabel(owner) {}

    // The submenu captions' prefixes, in the order of the surface's entries.
    static const QStringList& personalInfoPrefixes();
    // Texts taken from a submenu item are cut to this many characters.
    static constexpr int maxPickLength = 255;

    void buildPopup() override;
    void popupRefresh() override;
    // The personal-information text dialog.
    void editText() override;
    // Takes the part of a submenu caption after its first tab as the text.
    void pickPersonalInfo(const QString& itemCaption);

  private:
    TGBusinessCardPanel32* cardSurface() const;
    void fillPersonalInfoMenu();

    // The "Personal Information" submenu, owned by the popup menu; nullptr off the card.
    platform::MenuModel* personalInfoMenu_ = nullptr;
};
