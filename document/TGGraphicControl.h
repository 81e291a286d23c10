#pragma once
// The base of every design object: a windowless control on the design surface with its
// bounds, lock and selectability, zoom, selection grips, common popup commands and the
// virtual operations (popup building, paint, bounds-changed check, popup refresh, apply
// font, print) through which the surface, the card file and the sheet printer treat every
// object kind alike. Stored properties are Q_PROPERTYs in card-file order; declared
// defaults are "default.<Property>" class infos. A property that is stored only sometimes
// (Qt 6 accepts no STORED function) names a Q_INVOKABLE bool method in a
// "stored.<Property>" class info; isStored evaluates both.
#include "platform/drawing/TColor.h"
#include "platform/widgets/MenuModel.h"

#include <QObject>
#include <QRect>
#include <QRectF>

#include <functional>
#include <memory>

class QMetaProperty;
class TGBasePanel;
class TGFont;
namespace platform {
class Canvas;
class Report;
} // namespace platform

class TGGraphicControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 Tag READ tag WRITE setTag)
    Q_PROPERTY(qint32 Left READ left WRITE setLeft)
    Q_PROPERTY(qint32 Top READ top WRITE setTop)
    Q_PROPERTY(qint32 Width READ width WRITE setWidth)
    Q_PROPERTY(qint32 Height READ height WRITE setHeight)
    Q_PROPERTY(TCursor Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(bool Unselectable READ unselectable WRITE setUnselectable)
    Q_CLASSINFO("default.Tag", "0")
    Q_CLASSINFO("default.Cursor", "0")

  public:
    // Construction: zoom 1.0, bounds guard off. The owner is the surface's owner; the
    // object joins a surface through setSurface.
    explicit TGGraphicControl(QObject* owner = nullptr);
    ~TGGraphicControl() override;

    // --- stored properties
    qint32 tag() const { return tag_; }
    void setTag(qint32 v) { tag_ = v; }
    int left() const { return bounds_.left(); }
    int top() const { return bounds_.top(); }
    int width() const { return bounds_.width(); }
    int height() const { return bounds_.height(); }
    void setLeft(int v) { setBounds(v, top(), width(), height()); }
    void setTop(int v) { setBounds(left(), v, width(), height()); }
    void setWidth(int v) { setBounds(left(), top(), v, height()); }
    void setHeight(int v) { setBounds(left(), top(), width(), v); }
    TCursor cursor() const { return cursor_; }
    void setCursor(TCursor v) { cursor_ = v; }
    QString hint() const { return hint_; }
    void setHint(const QString& v) { hint_ = v; }
    bool locked() const { return locked_; }
    void setLocked(bool v);
    bool unselectable() const { return unselectable_; }
    void setUnselectable(bool v);

    // --- geometry (the toolkit's bounds; every change ends in the position-changed
    // notification). Width and height are kept as given, even when zero or negative.
    QRect bounds() const { return bounds_; }
    void setBounds(int l, int t, int w, int h);
    // The bounds the user gave with the selection frame's grips or keys; an object whose
    // size follows its content (a symbol) turns a new size into new content.
    virtual void setBoundsByUser(int l, int t, int w, int h) { setBounds(l, t, w, h); }
    bool isVisible() const { return visible_; }
    void setVisible(bool v);

    // --- the surface this object is a child of (nullptr when it has none)
    TGBasePanel* surface() const { return surface_; }
    void setSurface(TGBasePanel* s);

    // --- state flags set by the card file reader
    bool isLoading() const { return loading_; }
    bool isReading() const { return reading_; }
    void setLoading(bool v) { loading_ = v; }
    void setReading(bool v) { reading_ = v; }

    // --- zoom
    float zoomFactor() const { return zoomFactor_; }
    // Sets the factor without rescaling (the surface's attach step).
    void setZoomFactor(float z) { zoomFactor_ = z; }
    // Rescales the bounds from the current factor to z (halves to even).
    void setZoom(float z);

    // --- virtual operations, in slot order
    virtual void buildPopup();
    // The card reader's last step for each object read: builds the popup menu. Kinds whose
    // buildPopup builds nothing but the menu let it wait (see deferPopup).
    virtual void popupAfterReading() { buildPopup(); }
    // Draws the object in its own coordinates on a canvas clipped to its bounds.
    virtual void paint(platform::Canvas& canvas);
    virtual void boundsChangedCheck();
    virtual void popupRefresh() {}
    virtual void applyFont(const TGFont& font) { Q_UNUSED(font) }
    virtual void contentChanged() {}
    // Brings a layout made stale by a property change up to date, fitting the object's size
    // to its content where the kind does so. The surface runs it as part of every command
    // and after reading a card, never while painting, so painting changes nothing.
    virtual void fitLayout() {}
    // Draws the object on the report page; a card pixel p lands at offset + p / ppi inches.
    virtual void print(platform::Report& report, double leftInches, double topInches);
    // Where card pixels land on a report page whose card starts at (leftInches, topInches):
    // each edge p at offset + p / ppi inches.
    static QRectF inchRect(const QRect& cardPixels, double leftInches, double topInches);
    // The object's own bounds on that page.
    QRectF inchRect(double leftInches, double topInches) const {
        return inchRect(bounds_, leftInches, topInches);
    }

    // --- non-virtual operations
    void flagChanged();
    // Draws the grips on the surface's canvas in view pixels, around the view pixels the
    // object covers.
    void drawSelectionGrips(platform::Canvas& surfaceCanvas, const QRect& viewBounds) const;
    // The popup menu, built now if it was left to wait; nullptr when the object has none.
    platform::MenuModel* objectMenu();
    std::function<void(TGBasePanel*)> onEditRequest;

    // Common popup commands.
    void bringToFront();
    void sendToBack();
    void cutCommand();
    void copyCommand();
    void deleteCommand();
    void cloneCommand();
    void toggleLockedCommand();
    void unselectableCommand();
    void centerVertically();
    void centerHorizontally();

    // Removes leading and trailing spaces (character 32 only).
    static QString trimSpaces(const QString& s);

    // Whether the card file writes this property of the object now: its STORED flag and,
    // when the class names one in "stored.<Property>", the object's own rule.
    static bool isStored(const QObject& object, const QMetaProperty& property);

  protected:
    // Leaves the popup menu to be built when objectMenu is first called: a card of many
    // objects read to be printed never shows a menu, and a menu takes about 2 KB.
    void deferPopup() { popupDeferred_ = true; }
    bool popupDeferred() const { return popupDeferred_; }
    // Repaints the object's area of the surface.
    void repaint();
    // Prints the object as it paints: its paint of Width x Height pixels is stretched onto
    // its inch rectangle on the page.
    void printAsPainted(platform::Report& report, double leftInches, double topInches);

  private:
    qint32 tag_ = 0;
    QRect bounds_{0, 0, 0, 0};
    TCursor cursor_;
    QString hint_;
    bool locked_ = false;
    bool unselectable_ = false;
    bool visible_ = true;
    TGBasePanel* surface_ = nullptr;
    bool loading_ = false;
    bool reading_ = false;
    float zoomFactor_ = 1.0f;
    int lastBounds_[4] = {0, 0, 0, 0}; // left, top, right, bottom seen by the last check
    bool boundsGuard_ = false;

    std::unique_ptr<platform::MenuModel> objectMenu_;
    platform::MenuModel::Item* lockedItem_ = nullptr; // of objectMenu_
    bool popupDeferred_ = false;
};
