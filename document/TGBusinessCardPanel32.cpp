#include "TGBusinessCardPanel32.h"

#include "TGGraphicControl.h"
#include "TGHandle.h"

TGBusinessCardPanel32::TGBusinessCardPanel32(QObject* owner) : TGBasePanel(owner) {
    setZoom(1.0f);
}

void TGBusinessCardPanel32::setPanelState(TLPanelState state) {
    if (state == panelState_) return;
    panelState_ = state;
    setPointing(state == psPointing);
    setScreenCursor(state == psPointing ? platform::Cursor::Default : platform::Cursor::Drag);
}

void TGBusinessCardPanel32::registerTool(TLPanelState state, Tool tool) {
    tools_[state] = std::move(tool);
}

void TGBusinessCardPanel32::createObjectInRect(QRect r) {
    // r holds corners: x1 = left, y1 = top, x2 = right, y2 = bottom.
    draggedBand_ = r;
    if (r.right() - r.left() < minBandWidth) r.setRight(r.left() + 50);
    if (r.bottom() - r.top() < minBandHeight) r.setBottom(r.top() + 15);
    const auto it = tools_.find(panelState_);
    if (it == tools_.end()) return;
    const size_t before = objects().size();
    it->second(*this, r);
    // The new object is selected, ready for its grips, keys and popup.
    if (objects().size() > before) {
        handle().clear();
        handle().add(objects().back());
    }
}

QString TGBusinessCardPanel32::personalInfoCaption(int entry) {
    static const char* const captions[PersonalInfoCount] = {
        "Name",      "Company", "Title",   "Address 1", "Address 2",
        "Address 3", "Phone 1", "Phone 2", "E-mail",    "Fax"};
    return entry >= 0 && entry < PersonalInfoCount ? QLatin1String(captions[entry]) : QString();
}

bool TGBusinessCardPanel32::hasEffectObjects() const {
    for (const TGGraphicControl* o : objects()) {
        const char* cls = o->metaObject()->className();
        if (qstrcmp(cls, "TSuperShape") == 0 || qstrcmp(cls, "TGSuperText") == 0) return true;
    }
    return false;
}
