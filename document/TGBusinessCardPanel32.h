#pragma once
// The card design surface: adds the tool state, the creation of each object kind by its
// tool, and the user's personal information to the general surface. The object kinds
// register their classes and tools here (see the objects library), so that this layer
// does not depend on them.
#include "document/TGBasePanel.h"

#include <QStringList>

#include <array>
#include <functional>
#include <map>

class TGBusinessCardPanel32 : public TGBasePanel {
    Q_OBJECT
  public:
    enum TLPanelState {
        psPointing,
        psLabel,
        psSymbolLabel,
        psMultiLineLabel,
        psRectangle,
        psEllipse,
        psRoundRectangle,
        psLine,
        psImage,
        psSuperShape,
        psRichLabel,
        psSuperText,
        psCircleText
    };
    Q_ENUM(TLPanelState)

    // The ten personal-information entries, in this order.
    enum PersonalInfo {
        piName,
        piCompany,
        piTitle,
        piAddress1,
        piAddress2,
        piAddress3,
        piPhone1,
        piPhone2,
        piEmail,
        piFax,
        PersonalInfoCount
    };
    // The name of an entry as the user sees it ("Name", "Address 1", ...).
    static QString personalInfoCaption(int entry);

    // Makes the object of a tool in the given rectangle, with every step after construction
    // (popup building, addObject, any dialog the kind opens at once).
    using Tool = std::function<void(TGBusinessCardPanel32& surface, QRect r)>;

    explicit TGBusinessCardPanel32(QObject* owner = nullptr);

    TLPanelState panelState() const { return panelState_; }
    void setPanelState(TLPanelState state);
    void registerTool(TLPanelState state, Tool tool);
    bool hasTool(TLPanelState state) const { return tools_.count(state) > 0; }

    // A band narrower than this is given a width of 50, one lower than this a height of 15.
    static constexpr int minBandWidth = 25;
    static constexpr int minBandHeight = 15;
    void createObjectInRect(QRect r) override;
    // The corners of the band the object being made was dragged as, before a click (a band
    // too small in both directions) was given its default size.
    QRect draggedBand() const { return draggedBand_; }
    // True when an effect shape or effect text is on the surface.
    bool hasEffectObjects() const;

    const QString& personalInfo(int index) const { return personal_[size_t(index)]; }
    void setPersonalInfo(int index, const QString& value) { personal_[size_t(index)] = value; }

  private:
    TLPanelState panelState_ = psPointing;
    std::map<TLPanelState, Tool> tools_;
    QRect draggedBand_;
    std::array<QString, PersonalInfoCount> personal_;
};
