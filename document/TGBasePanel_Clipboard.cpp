// Saving and loading the card, and the private clipboard and clone, all through the card
// file format.
#include "TGBasePanel.h"

#include "TGGraphicControl.h"
#include "TGLabelObjectFiler.h"

#include "platform/system/FileName.h"

void TGBasePanel::saveCard(const QString& fileName, platform::AtomicFile::Access access) {
    TGLabelObjectFiler(classes_).saveAll(*this, fileName, access);
    objectsReplaced();
}

void TGBasePanel::loadCard(const QString& fileName) {
    if (!platform::FileName::exists(fileName)) return;
    // Objects read join the end of the child list with their stored bounds, and settle.
    TGLabelObjectFiler(classes_).loadAll(owner(), *this, fileName);
    attachAllObjects();
    settleLayout();
    objectsReplaced();
}

void TGBasePanel::clipboardCopy() {
    if (handle_->count() == 0) return;
    TGLabelObjectFiler(classes_).saveSelection(*handle_, clipboardFile_);
}

void TGBasePanel::clipboardCut() {
    if (handle_->count() == 0) return;
    clipboardCopy();
    clipboardDelete();
}

void TGBasePanel::clipboardDelete() {
    while (handle_->count() > 0) {
        TGGraphicControl* o = handle_->item(handle_->count() - 1);
        handle_->remove(o);
        delete o;
        notifyChanged();
    }
}

void TGBasePanel::clipboardPaste() {
    const quint32 now = tick();
    if (pastedBefore_ && now < lastPasteTime_ + 1000) return;
    // The paste time is recorded even when reading fails part-way.
    struct Stamp {
        TGBasePanel& s;
        ~Stamp() {
            s.attachAllObjects();
            s.notifyChanged();
            s.processPendingEvents();
            s.lastPasteTime_ = s.tick();
            s.pastedBefore_ = true;
        }
    } stamp{*this};
    if (platform::FileName::exists(clipboardFile_))
        TGLabelObjectFiler(classes_).loadWithOffset(owner(), *this, clipboardFile_);
}

void TGBasePanel::objectCut(TGGraphicControl* o) {
    if (handle_->indexOf(o) >= 0) {
        clipboardCut();
        return;
    }
    TGLabelObjectFiler(classes_).saveObject(o, clipboardFile_);
    notifyChanged();
    handle_->remove(o);
    delete o;
}

void TGBasePanel::objectCopy(TGGraphicControl* o) {
    if (handle_->indexOf(o) >= 0)
        clipboardCopy();
    else
        TGLabelObjectFiler(classes_).saveObject(o, clipboardFile_);
}

void TGBasePanel::objectDelete(TGGraphicControl* o) {
    if (handle_->indexOf(o) >= 0) {
        clipboardDelete();
        return;
    }
    notifyChanged();
    handle_->remove(o);
    delete o;
}

void TGBasePanel::cloneObject(TGGraphicControl* source) {
    TGGraphicControl* copy = TGLabelObjectFiler(classes_).cloneObject(source, owner(), *this);
    processPendingEvents();
    if (!copy) return;
    copy->setTop(source->top() + 25);
    moveToFront(copy);
    if (handle_->indexOf(source) >= 0) {
        handle_->remove(source);
        handle_->add(copy);
    }
    attachAllObjects();
    copy->flagChanged();
}
