#include "TGGraphicControl.h"

#include "TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"

#include <QMetaProperty>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <limits>

TGGraphicControl::TGGraphicControl(QObject* owner) : QObject(owner) {}

TGGraphicControl::~TGGraphicControl() {
    if (surface_) surface_->removeChild(this);
}

void TGGraphicControl::setSurface(TGBasePanel* s) {
    if (surface_ == s) return;
    if (surface_) surface_->removeChild(this);
    surface_ = s;
    if (surface_) surface_->insertChild(this);
}

namespace {
// Any int is a valid stored position and size, but the far edge (position + size, and the
// last pixel before it) must be an int too: the size is cut where the edge would leave the
// int range.
int sizeWithinRange(int position, int size) {
    const qint64 edge =
        std::clamp<qint64>(qint64(position) + size, qint64(std::numeric_limits<int>::min()) + 1,
                           std::numeric_limits<int>::max());
    return int(edge - position);
}
} // namespace

void TGGraphicControl::setBounds(int l, int t, int w, int h) {
    w = sizeWithinRange(l, w);
    h = sizeWithinRange(t, h);
    const QRect r(l, t, w, h);
    if (r == bounds_ && r.width() == w && r.height() == h) return;
    bounds_ = r;
    if (surface_) surface_->invalidate();
    // The toolkit's position-changed notification.
    if (!loading_ && !reading_) boundsChangedCheck();
}

void TGGraphicControl::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    if (surface_) surface_->invalidate();
}

void TGGraphicControl::repaint() {
    if (surface_) surface_->invalidate();
}

void TGGraphicControl::flagChanged() {
    if (surface_ && !surface_->printing()) surface_->notifyChanged();
}

void TGGraphicControl::boundsChangedCheck() {
    if (boundsGuard_) return;
    const QScopedValueRollback guard(boundsGuard_, true);
    const int cur[4] = {left(), top(), left() + width(), top() + height()};
    if (lastBounds_[0] == 0 && lastBounds_[1] == 0 && lastBounds_[2] == 0 && lastBounds_[3] == 0)
        std::copy(cur, cur + 4, lastBounds_);
    if (!std::equal(cur, cur + 4, lastBounds_)) {
        flagChanged();
        std::copy(cur, cur + 4, lastBounds_);
        if (surface_) surface_->postRefit();
    }
}

void TGGraphicControl::setZoom(float z) {
    if (z == zoomFactor_) return;
    const float r = z / zoomFactor_;
    // Nearest integer with halves to even, in single precision as the factor is.
    auto scale = [r](int v) {
        return int(std::clamp<double>(std::nearbyint(float(v) * r), std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    };
    {
        // The bounds change in one step; the check runs once below, after the factor is set.
        const QScopedValueRollback guard(boundsGuard_, true);
        setBounds(scale(left()), scale(top()), scale(width()), scale(height()));
    }
    zoomFactor_ = z;
    if (!loading_ && !reading_) boundsChangedCheck();
}

void TGGraphicControl::setLocked(bool v) {
    if (locked_ == v) return;
    locked_ = v;
    if (loading_ || reading_) return;
    if (lockedItem_) lockedItem_->checked = v;
    flagChanged();
}

void TGGraphicControl::setUnselectable(bool v) {
    if (unselectable_ == v) return;
    unselectable_ = v;
    if (loading_ || reading_) return;
    flagChanged();
    if (v && surface_) surface_->handle().remove(this);
}

void TGGraphicControl::buildPopup() {
    objectMenu_ = std::make_unique<platform::MenuModel>();
    platform::MenuModel& m = *objectMenu_;
    m.add(QStringLiteral("Bring To Front"), [this] { bringToFront(); });
    m.add(QStringLiteral("Send To Back"), [this] { sendToBack(); });
    m.add(QStringLiteral("Cut"), [this] { cutCommand(); });
    m.add(QStringLiteral("Copy"), [this] { copyCommand(); });
    m.add(QStringLiteral("Delete"), [this] { deleteCommand(); });
    m.add(QStringLiteral("Clone"), [this] { cloneCommand(); });
    m.addSeparator();
    lockedItem_ = &m.add(QStringLiteral("Locked"), [this] { toggleLockedCommand(); });
    lockedItem_->checked = locked_;
    m.add(QStringLiteral("Unselectable"), [this] { unselectableCommand(); });
    m.addSeparator();
    m.add(QStringLiteral("Center Vertically"), [this] { centerVertically(); });
    m.add(QStringLiteral("Center Horizontally"), [this] { centerHorizontally(); });
    m.onPopup = [this] { popupRefresh(); };
}

platform::MenuModel* TGGraphicControl::objectMenu() {
    if (popupDeferred_ && !objectMenu_) {
        buildPopup(); // while deferred, so that kinds can tell how they were asked
        popupDeferred_ = false;
    }
    return objectMenu_.get();
}

void TGGraphicControl::paint(platform::Canvas&) {}

void TGGraphicControl::print(platform::Report&, double, double) {}

void TGGraphicControl::printAsPainted(platform::Report& report, double leftInches,
                                      double topInches) {
    report.drawStretched(inchRect(leftInches, topInches), QSize(width(), height()),
                         [this](platform::Canvas& canvas) { paint(canvas); });
}

QRectF TGGraphicControl::inchRect(const QRect& cardPixels, double leftInches, double topInches) {
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const QRect& p = cardPixels;
    return QRectF(QPointF(leftInches + p.left() / ppi, topInches + p.top() / ppi),
                  QPointF(leftInches + (p.left() + p.width()) / ppi,
                          topInches + (p.top() + p.height()) / ppi));
}

void TGGraphicControl::drawSelectionGrips(platform::Canvas& c, const QRect& at) const {
    if (!surface_) return;
    const TGHandle& frame = surface_->handle();
    if (frame.indexOf(this) < 0) return;
    const bool single = frame.count() == 1;
    const platform::Canvas::Brush saved = c.brush;
    c.brush = {single ? frame.color() : frame.secondaryColor(), Gdi::bsSolid};
    const int L = at.left() - 2, T = at.top() - 2;
    const int R = at.left() + at.width() + 2, B = at.top() + at.height() + 2;
    auto square = [&c](int l, int t, int r, int b) {
        c.fillRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
    };
    square(L, T, L + 5, T + 5);
    square(R - 5, T, R, T + 5);
    square(R - 5, B - 5, R, B);
    square(L, B - 5, L + 5, B);
    if (single) {
        const int mx = L + int((R - L) * 0.5), my = T + int((B - T) * 0.5);
        square(mx - 2, T, mx + 3, T + 5);
        square(mx - 2, B - 5, mx + 3, B);
        square(L, my - 2, L + 5, my + 3);
        square(R - 5, my - 2, R, my + 3);
    }
    c.brush = saved;
}

void TGGraphicControl::bringToFront() {
    flagChanged();
    if (surface_) surface_->moveToFront(this);
}

void TGGraphicControl::sendToBack() {
    flagChanged();
    if (!surface_) return;
    surface_->moveToBack(this);
    surface_->handle().clear();
}

void TGGraphicControl::cutCommand() {
    flagChanged();
    if (surface_) surface_->objectCut(this);
}

void TGGraphicControl::copyCommand() {
    if (surface_) surface_->objectCopy(this);
}

void TGGraphicControl::deleteCommand() {
    flagChanged();
    if (surface_) surface_->objectDelete(this);
}

void TGGraphicControl::cloneCommand() {
    if (surface_) surface_->cloneObject(this);
}

void TGGraphicControl::toggleLockedCommand() {
    setLocked(!locked_);
    if (lockedItem_) lockedItem_->checked = locked_;
}

void TGGraphicControl::unselectableCommand() {
    // Setting True again still flags the card as changed, as the command always does.
    if (unselectable_) {
        flagChanged();
        if (surface_) surface_->handle().remove(this);
        return;
    }
    setUnselectable(true);
}

void TGGraphicControl::centerVertically() {
    if (!surface_) return;
    setTop(surface_->height() / 2 - height() / 2);
    flagChanged();
    surface_->processPendingEvents();
    surface_->invalidate();
}

void TGGraphicControl::centerHorizontally() {
    if (!surface_) return;
    setLeft(surface_->width() / 2 - width() / 2);
    flagChanged();
    surface_->processPendingEvents();
    surface_->invalidate();
}

QString TGGraphicControl::trimSpaces(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

bool TGGraphicControl::isStored(const QObject& object, const QMetaProperty& property) {
    if (!property.isStored()) return false;
    const QMetaObject* mo = object.metaObject();
    const QByteArray key = QByteArray("stored.") + property.name();
    const int info = mo->indexOfClassInfo(key.constData());
    if (info < 0) return true;
    bool stored = true;
    QMetaObject::invokeMethod(const_cast<QObject*>(&object), mo->classInfo(info).value(),
                              Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
    return stored;
}
