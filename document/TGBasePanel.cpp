#include "TGBasePanel.h"

#include "TGGraphicControl.h"
#include "platform/pictures/BackgroundArt.h"
#include "platform/pictures/Graphic.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/SystemTickClock.h"
#include "platform/widgets/DialogHost.h"

#include "platform/system/FileName.h"

#include <algorithm>
#include <cmath>

using platform::Cursor;

TGBasePanel::TGBasePanel(QObject* owner)
    : QObject(owner), handle_(std::make_unique<TGHandle>(*this)),
      ownClock_(std::make_unique<platform::SystemTickClock>()), clock_(ownClock_.get()),
      history_(std::make_unique<TGUndoHistory>(*this)) {
    // The frame starts empty and hidden, so that no invisible 24 x 24 frame at the card's
    // top-left corner takes presses before anything has been selected.
    handle_->clear();
    handle_->setSnapToGrid(false);
    clipboardFile_ = platform::HomeFolder::path() + QStringLiteral("Clipbrd.tmp");
    tempFile_ = platform::HomeFolder::path() + QStringLiteral("TempFile.tmp");
    buildSurfaceMenu();
}

TGBasePanel::~TGBasePanel() {
    handle_->clear();
    // Objects owned elsewhere must not call back into a surface that is going away.
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(objects_))
        o->setSurface(nullptr);
    if (ownsTemporaryFiles_) {
        platform::FileName::remove(clipboardFile_);
        platform::FileName::remove(tempFile_);
    }
}

void TGBasePanel::setSize(int w, int h) {
    if (w == width_ && h == height_) return;
    width_ = w;
    height_ = h;
    invalidate();
}

void TGBasePanel::setDrawOutline(bool v) {
    if (drawOutline_ == v) return;
    drawOutline_ = v;
    invalidate();
}

void TGBasePanel::setShape(TLabelShapeType v) {
    if (shape_ == v) return;
    shape_ = v;
    invalidate();
}

void TGBasePanel::setShowGrid(bool v) {
    if (showGrid_ == v) return;
    showGrid_ = v;
    invalidate();
}

void TGBasePanel::setSnapToGrid(bool v) {
    if (snapToGrid_ == v) return;
    snapToGrid_ = v;
    handle_->setSnapToGrid(v);
    if (v) {
        const int g = gridSize_ == gs4x4 ? 4 : 8;
        handle_->setGridX(g);
        handle_->setGridY(g);
        handle_->setSnapToGrid(true);
    }
}

void TGBasePanel::setGridSize(TGridSize v) {
    if (gridSize_ == v) return;
    gridSize_ = v;
    const int g = v == gs4x4 ? 4 : 8;
    handle_->setGridX(g);
    handle_->setGridY(g);
    handle_->setSnapToGrid(snapToGrid_);
    invalidate();
}

void TGBasePanel::setColorPicture(std::shared_ptr<const platform::Graphic> g) {
    colorPicture_ = std::move(g);
    invalidate();
}

QString TGBasePanel::loadBackground(const QString& fileName) {
    QString problem;
    std::optional<platform::Graphic> art = platform::BackgroundArt::load(fileName, problem);
    setColorPicture(art ? std::make_shared<const platform::Graphic>(std::move(*art)) : nullptr);
    return problem;
}

void TGBasePanel::clearBackground() {
    setColorPicture(nullptr);
}

// --- objects

int TGBasePanel::indexOf(const TGGraphicControl* o) const {
    const auto it = std::find(objects_.begin(), objects_.end(), o);
    return it == objects_.end() ? -1 : int(it - objects_.begin());
}

void TGBasePanel::insertChild(TGGraphicControl* o) {
    if (indexOf(o) < 0) objects_.push_back(o);
    invalidate();
}

void TGBasePanel::removeChild(TGGraphicControl* o) {
    handle_->remove(o);
    capture_.forget(o);
    const auto it = std::find(objects_.begin(), objects_.end(), o);
    if (it != objects_.end()) objects_.erase(it);
    invalidate();
}

void TGBasePanel::moveToFront(TGGraphicControl* o) {
    const auto it = std::find(objects_.begin(), objects_.end(), o);
    if (it == objects_.end()) return;
    objects_.erase(it);
    objects_.push_back(o);
    invalidate();
}

void TGBasePanel::moveToBack(TGGraphicControl* o) {
    const auto it = std::find(objects_.begin(), objects_.end(), o);
    if (it == objects_.end()) return;
    objects_.erase(it);
    objects_.insert(objects_.begin(), o);
    invalidate();
}

void TGBasePanel::setObjectOrder(const std::vector<TGGraphicControl*>& order) {
    if (order.size() != objects_.size() ||
        !std::is_permutation(order.begin(), order.end(), objects_.begin()))
        return;
    objects_ = order;
    invalidate();
}

TGGraphicControl* TGBasePanel::objectAt(QPoint p) const {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        TGGraphicControl* o = *it;
        if (!o->isVisible() || o->width() <= 0 || o->height() <= 0) continue;
        if (p.x() >= o->left() && p.x() < o->left() + o->width() && p.y() >= o->top() &&
            p.y() < o->top() + o->height())
            return o;
    }
    return nullptr;
}

void TGBasePanel::notifyChanged() {
    emit labelChanged();
}

void TGBasePanel::clearObjects() {
    handle_->clear();
    while (!objects_.empty())
        delete objects_.back();
}

void TGBasePanel::deleteStrayObjects() {
    handle_->clear();
    for (auto i = objects_.size(); i-- > 0;) {
        TGGraphicControl* o = objects_[i];
        if (o->top() > height_ - 10 || o->left() > width_ - 10 || o->width() < 1 || o->height() < 1)
            delete o;
    }
}

void TGBasePanel::printObjects(platform::Report& report, double leftInches, double topInches) {
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(objects_))
        o->print(report, leftInches, topInches);
}

void TGBasePanel::setZoom(float z) {
    // A factor of zero or less (or not a number) shows the card at its own size.
    if (!(z > 0.0f)) z = 1.0f;
    if (z == zoomFactor_) return;
    zoomFactor_ = z;
    invalidate();
}

void TGBasePanel::setDevicePixelRatio(qreal ratio) {
    if (!(ratio > 0.0) || ratio == devicePixelRatio_) return;
    devicePixelRatio_ = ratio;
    invalidate();
}

QSize TGBasePanel::viewSize() const {
    return QSize(std::max(1, int(std::lround(width_ * double(zoomFactor_)))),
                 std::max(1, int(std::lround(height_ * double(zoomFactor_)))));
}

QPoint TGBasePanel::toCard(QPointF viewPos) const {
    const double z = zoomFactor_;
    return QPoint(int(std::floor(viewPos.x() / z)), int(std::floor(viewPos.y() / z)));
}

QRect TGBasePanel::toView(const QRect& r) const {
    // The view pixels whose area lies within the card pixels: the edges of the card
    // rectangle scaled and rounded to the nearest pixel boundary.
    const double z = zoomFactor_;
    auto edge = [z](int v) { return int(std::lround(v * z)); };
    return QRect(QPoint(edge(r.left()), edge(r.top())),
                 QPoint(edge(r.right() + 1) - 1, edge(r.bottom() + 1) - 1));
}

void TGBasePanel::addObject(TGGraphicControl* o, QRect r) {
    o->setVisible(false);
    o->setSurface(this);
    o->setObjectName(uniqueName(QStringLiteral("Special")));
    o->setBounds(r.left(), r.top(), std::max(r.right() - r.left(), 10),
                 std::max(r.bottom() - r.top(), 15));
    attachObject(o);
    o->setVisible(true);
    notifyChanged();
    processPendingEvents();
}

bool TGBasePanel::nameFree(const QString& name) const {
    return std::none_of(objects_.begin(), objects_.end(),
                        [&name](const TGGraphicControl* o) { return o->objectName() == name; });
}

QString TGBasePanel::uniqueName(const QString& prefix) const {
    for (int i = 1; i <= 1000; ++i) {
        const QString name = prefix + QString::number(i);
        if (nameFree(name)) return name;
    }
    return QString();
}

void TGBasePanel::attachObject(TGGraphicControl* o) {
    // Objects lay out at the card's own size whatever the view's zoom.
    o->setZoomFactor(1.0f);
}

void TGBasePanel::attachAllObjects() {
    for (TGGraphicControl* o : objects_)
        attachObject(o);
}

// --- surface menu

void TGBasePanel::buildSurfaceMenu() {
    platform::MenuModel& m = surfaceMenu_;
    // The commands on the selection, enabled while there is one.
    const auto onSelection = [this, &m](const QString& caption, std::function<void()> action) {
        selectionItems_.push_back(&m.add(caption, std::move(action)));
    };
    onSelection(QStringLiteral("Bring To Front"), [this] { bringSelectionToFrontCommand(); });
    onSelection(QStringLiteral("Send To Back"), [this] { sendSelectionToBackCommand(); });
    m.addSeparator();
    onSelection(QStringLiteral("Cut"), [this] { clipboardCut(); });
    onSelection(QStringLiteral("Copy"), [this] { clipboardCopy(); });
    pasteItem_ = &m.add(QStringLiteral("Paste"), [this] { clipboardPaste(); });
    m.addSeparator();
    onSelection(QStringLiteral("Delete"), [this] { clipboardDelete(); });
    m.addSeparator();
    onSelection(QStringLiteral("Align Left"), [this] { alignLeft(); });
    onSelection(QStringLiteral("Align Right"), [this] { alignRight(); });
    onSelection(QStringLiteral("Align Tops"), [this] { alignTops(); });
    onSelection(QStringLiteral("Align Bottoms"), [this] { alignBottoms(); });
    m.addSeparator();
    onSelection(QStringLiteral("Center Vertically"), [this] { centerSelectionVertically(); });
    onSelection(QStringLiteral("Center Horizontally"), [this] { centerSelectionHorizontally(); });
    m.addSeparator();
    lockAllItem_ = &m.add(QStringLiteral("Lock All"), [this] { lockAll(); });
    unlockAllItem_ = &m.add(QStringLiteral("Unlock All"), [this] { unlockAll(); });
    m.addSeparator();
    m.add(QStringLiteral("Mark All Selectable"), [this] { markAllSelectable(); });
    m.add(QStringLiteral("Mark All Unselectable"), [this] { markAllUnselectable(); });
    m.add(QStringLiteral("Select All"), [this] { selectAll(); });
    m.addSeparator();
    onSelection(QStringLiteral("Font"), [this] { fontCommand(); });
    m.onPopup = [this] { refreshSurfaceMenu(); };
}

void TGBasePanel::refreshSurfaceMenu() {
    const bool selected = handle_->count() > 0;
    for (platform::MenuModel::Item* item : selectionItems_)
        item->enabled = selected;
    pasteItem_->enabled = platform::FileName::exists(clipboardFile_);
    const bool any = !objects_.empty();
    lockAllItem_->enabled = any;
    unlockAllItem_->enabled = any;
}

void TGBasePanel::bringSelectionToFrontCommand() {
    if (handle_->count() == 0) return;
    for (TGGraphicControl* o : handle_->selection())
        moveToFront(o);
    handle_->setFocused(handle_->isVisible() && handle_->isEnabled());
    notifyChanged();
}

void TGBasePanel::sendSelectionToBackCommand() {
    if (handle_->count() == 0) return;
    for (TGGraphicControl* o : handle_->selection())
        moveToBack(o);
    handle_->clear();
    notifyChanged();
}

void TGBasePanel::alignLeft() {
    if (handle_->count() == 0) return;
    notifyChanged();
    int m = width_;
    for (const TGGraphicControl* o : handle_->selection())
        m = std::min(m, o->left());
    for (TGGraphicControl* o : handle_->selection())
        o->setLeft(m);
    invalidate();
}

void TGBasePanel::alignRight() {
    if (handle_->count() == 0) return;
    notifyChanged();
    int m = 0;
    for (const TGGraphicControl* o : handle_->selection())
        m = std::max(m, o->left() + o->width());
    for (TGGraphicControl* o : handle_->selection())
        o->setLeft(m - o->width());
    invalidate();
}

void TGBasePanel::alignTops() {
    if (handle_->count() == 0) return;
    notifyChanged();
    int m = height_;
    for (const TGGraphicControl* o : handle_->selection())
        m = std::min(m, o->top());
    for (TGGraphicControl* o : handle_->selection())
        o->setTop(m);
    invalidate();
}

void TGBasePanel::alignBottoms() {
    if (handle_->count() == 0) return;
    notifyChanged();
    int m = 0;
    for (const TGGraphicControl* o : handle_->selection())
        m = std::max(m, o->top() + o->height());
    for (TGGraphicControl* o : handle_->selection())
        o->setTop(m - o->height());
    invalidate();
}

void TGBasePanel::centerSelectionVertically() {
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(handle_->selection()))
        o->centerVertically();
    invalidate();
}

void TGBasePanel::centerSelectionHorizontally() {
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(handle_->selection()))
        o->centerHorizontally();
    invalidate();
}

void TGBasePanel::lockAll() {
    for (TGGraphicControl* o : objects_)
        if (!o->locked()) o->setLocked(true);
}

void TGBasePanel::unlockAll() {
    for (TGGraphicControl* o : objects_)
        if (o->locked()) o->setLocked(false);
}

void TGBasePanel::markAllSelectable() {
    for (TGGraphicControl* o : objects_)
        o->setUnselectable(false);
}

void TGBasePanel::markAllUnselectable() {
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(objects_))
        o->setUnselectable(true);
}

void TGBasePanel::selectAll() {
    handle_->clear();
    for (TGGraphicControl* o : objects_)
        handle_->add(o);
    // Select All is a menu command, not a press: nothing is being dragged.
    captureFrame(false);
}

void TGBasePanel::fontCommand() {
    if (handle_->count() == 0) return;
    const std::optional<QFont> chosen = platform::DialogHost::current().chooseFont(font_.toQFont());
    if (!chosen) return;
    TGFont f;
    f.assign(font_);
    f.assignQFont(*chosen);
    for (TGGraphicControl* o : std::vector<TGGraphicControl*>(handle_->selection()))
        o->applyFont(f);
    invalidate();
}

// --- the platform around the surface

void TGBasePanel::setScreenCursor(Cursor c) {
    if (cursor_ == c) return;
    cursor_ = c;
    if (onCursorChanged) onCursorChanged(c);
}

void TGBasePanel::popupAt(platform::MenuModel& menu, QPoint surfacePoint) {
    // Each command of the menu, with any dialog it opens, is one step named after it.
    menu.runner = [this](const QString& caption, const std::function<void()>& action) {
        TGUndoHistory::Step step(*history_, caption);
        action();
    };
    const QPoint global = toGlobal ? toGlobal(surfacePoint) : surfacePoint;
    platform::DialogHost::current().popup(menu, global);
}

void TGBasePanel::post(std::function<void()> fn) {
    posted_.push_back(std::move(fn));
}

void TGBasePanel::postRefit() {
    if (refitPosted_) return;
    refitPosted_ = true;
    post([this] {
        refitPosted_ = false;
        handle_->refit();
    });
}

bool TGBasePanel::askOnce(const QString& text, const QString& caption) {
    const auto it = answers_.constFind(text);
    if (it != answers_.cend()) return *it;
    const bool yes = platform::askYesNo(text, caption);
    answers_.insert(text, yes);
    return yes;
}

void TGBasePanel::processPendingEvents() {
    while (!posted_.empty()) {
        std::vector<std::function<void()>> batch;
        batch.swap(posted_);
        for (auto& fn : batch)
            fn();
    }
}
