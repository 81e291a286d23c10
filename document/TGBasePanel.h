#pragma once
// The design surface: owns the design objects in z-order, turns mouse drags into new
// objects or a rubber-band selection, draws the card's backdrop (pictures, outline, grid),
// carries out the popup and keyboard commands, scales everything for zoom, and is the
// point through which the card is saved, loaded and printed.
//
// It is a plain object driven by input calls (mouseDown, mouseMove, mouseUp, doubleClick,
// keyDown, keyUp) in card pixels, with an injectable tick clock, so every sequence can be
// replayed exactly. It paints into an off-screen image that a widget host shows.
//
// The card's geometry is always in card pixels (zoom 1, as stored). The zoom is only a way
// of looking: the image shows the card magnified by zoom x device-pixel ratio, the grips
// and exclusive-or outlines drawn in view pixels over it, and the host maps its input back
// to card pixels. Zooming never touches an object.
#include "document/TGClassRegistry.h"
#include "document/TGFont.h"
#include "document/TGGraphicControl.h"
#include "document/TGHandle.h"
#include "document/TGMouseCapture.h"
#include "document/TGUndoHistory.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ReusableImage.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/TickClock.h"
#include "platform/widgets/Cursor.h"
#include "platform/widgets/MenuModel.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPainterPath>
#include <QPointer>
#include <QScopedValueRollback>

#include <functional>
#include <memory>
#include <vector>

class TGGraphicControl;
namespace platform {
class Graphic;
class Report;
} // namespace platform

class TGBasePanel : public QObject {
    Q_OBJECT
  public:
    enum TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };
    Q_ENUM(TLabelShapeType)
    enum TGridSize { gs4x4, gs8x8 };
    Q_ENUM(TGridSize)

    explicit TGBasePanel(QObject* owner = nullptr);
    ~TGBasePanel() override;

    // --- size (card pixels)
    int width() const { return width_; }
    int height() const { return height_; }
    void setSize(int w, int h);
    // The card as the view shows it: its size in view pixels, and the mapping of a view
    // position to the card pixel under it and of card pixels to the view pixels they cover.
    QSize viewSize() const;
    QPoint toCard(QPointF viewPos) const;
    QRect toView(const QRect& cardPixels) const;
    // The screen's device pixels per view pixel; the image is rendered at this resolution.
    qreal devicePixelRatio() const { return devicePixelRatio_; }
    void setDevicePixelRatio(qreal ratio);

    // --- properties
    bool pointing() const { return pointing_; }
    void setPointing(bool v) { pointing_ = v; }
    bool drawOutline() const { return drawOutline_; }
    void setDrawOutline(bool v);
    bool printing() const { return printing_; }
    // The surface prints for as long as the returned guard lives: changes made meanwhile
    // flag nothing.
    [[nodiscard]] QScopedValueRollback<bool> printingScope() {
        return QScopedValueRollback<bool>(printing_, true);
    }
    TLabelShapeType shape() const { return shape_; }
    void setShape(TLabelShapeType v);
    TGridSize gridSize() const { return gridSize_; }
    void setGridSize(TGridSize v);
    bool showGrid() const { return showGrid_; }
    void setShowGrid(bool v);
    bool snapToGrid() const { return snapToGrid_; }
    void setSnapToGrid(bool v);
    TGFont& font() { return font_; }
    // Background art drawn over the card (nullptr: none).
    void setColorPicture(std::shared_ptr<const platform::Graphic> g);
    const platform::Graphic* colorPicture() const { return colorPicture_.get(); }
    // Shows the background art in the file (platform::BackgroundArt); art that cannot be used
    // leaves the card without any, and the sentence saying why is returned (else empty).
    QString loadBackground(const QString& fileName);
    void clearBackground();

    // The owner of the design objects: the surface's owner, or the surface when it has none.
    QObject* owner() { return parent() ? parent() : this; }
    // The classes card files may name.
    TGClassRegistry& classes() { return classes_; }

    // --- objects in z-order (first = bottom)
    const std::vector<TGGraphicControl*>& objects() const { return objects_; }
    int indexOf(const TGGraphicControl* o) const;
    // Child-list bookkeeping, called by TGGraphicControl::setSurface and its destructor.
    void insertChild(TGGraphicControl* o);
    void removeChild(TGGraphicControl* o);
    void moveToFront(TGGraphicControl* o);
    void moveToBack(TGGraphicControl* o);
    // Puts the objects in this z-order (the same objects, in another order).
    void setObjectOrder(const std::vector<TGGraphicControl*>& order);
    TGGraphicControl* objectAt(QPoint p) const; // topmost visible object under p
    TGHandle& handle() { return *handle_; }
    const TGHandle& handle() const { return *handle_; }

    // --- operations used by other parts of the program
    void notifyChanged();
    void clearObjects();
    void deleteStrayObjects();
    void printObjects(platform::Report& report, double leftInches, double topInches);
    // The view's magnification; it changes how the card is shown, never the card.
    float zoomFactor() const { return zoomFactor_; }
    void setZoom(float z);
    void addObject(TGGraphicControl* o, QRect r);
    // A new object of kind T placed in r as the tools place one: it joins this surface, is
    // made ready by prepare (what its menu shows, such as a shape's kind), gets its menu and
    // is added in r. When building the menu throws, the object is deleted.
    template <class T, class Prepare> T* place(QRect r, Prepare&& prepare) {
        auto o = std::make_unique<T>(owner());
        o->setSurface(this);
        prepare(*o);
        o->buildPopup();
        addObject(o.get(), r);
        return o.release();
    }
    template <class T> T* place(QRect r) {
        return place<T>(r, [](T&) {});
    }
    QString uniqueName(const QString& prefix) const;
    // True when no object carries this name.
    bool nameFree(const QString& name) const;
    void attachObject(TGGraphicControl* o);
    void attachAllObjects();
    virtual void createObjectInRect(QRect r) { Q_UNUSED(r) }
    virtual void objectsReplaced() {}

    // --- the undo history of the card; every input call and popup command is one step
    TGUndoHistory& history() { return *history_; }

    // --- card file and clipboard (through the card file format)
    void saveCard(const QString& fileName,
                  platform::AtomicFile::Access access = platform::AtomicFile::Access::AsUmask);
    void loadCard(const QString& fileName);
    QString clipboardFile() const { return clipboardFile_; }
    // Whether destroying the surface deletes the clipboard and scratch files (true). A
    // surface of a command-line run clears it, so it cannot take away the clipboard of a
    // window open on the same home folder.
    void setOwnsTemporaryFiles(bool v) { ownsTemporaryFiles_ = v; }
    QString tempFile() const { return tempFile_; }
    void clipboardCopy();
    void clipboardCut();
    void clipboardDelete();
    void clipboardPaste();
    // An object's own Cut/Copy/Delete: on the whole selection when it is selected,
    // otherwise on the object alone.
    void objectCut(TGGraphicControl* o);
    void objectCopy(TGGraphicControl* o);
    void objectDelete(TGGraphicControl* o);
    void cloneObject(TGGraphicControl* o);

    // --- commands of the surface menu
    void bringSelectionToFrontCommand();
    void sendSelectionToBackCommand();
    void alignLeft();
    void alignRight();
    void alignTops();
    void alignBottoms();
    void centerSelectionVertically();
    void centerSelectionHorizontally();
    void lockAll();
    void unlockAll();
    void markAllSelectable();
    void markAllUnselectable();
    void selectAll();
    void fontCommand();
    platform::MenuModel& surfaceMenu() { return surfaceMenu_; }

    // --- input, in card pixels
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void doubleClick(Qt::KeyboardModifiers shift, int x, int y);
    void keyDown(int key, Qt::KeyboardModifiers shift);
    void keyUp(int key, Qt::KeyboardModifiers shift);
    void mouseLeave();
    // The surface's own key handler (Ctrl+C/V/X, Delete).
    void keyHandler(int key, Qt::KeyboardModifiers shift);

    // --- handlers the surface attaches to objects and the frame
    virtual void objectMouseDown(TGGraphicControl* o, Qt::MouseButton button,
                                 Qt::KeyboardModifiers shift, int x, int y);
    void objectMouseMove(TGGraphicControl* o, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift,
                         int x, int y);
    void objectMouseUp(TGGraphicControl* o, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                       int x, int y);
    void objectDoubleClick(TGGraphicControl* o, int x, int y);
    void frameDoubleClick(int x, int y); // frame coordinates
    void frameMouseDownHook(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void surfaceMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void surfaceMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void surfaceMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void selectInRect(QRect r, Qt::KeyboardModifiers shift);
    // Erases the rubber band and ends it, selecting and creating nothing.
    void abandonBand();

    // --- the platform around the surface
    void setClock(const platform::TickClock* clock) { clock_ = clock; }
    quint32 tick() const { return clock_->tick(); }
    platform::Cursor screenCursor() const { return cursor_; }
    void setScreenCursor(platform::Cursor c);
    std::function<void(platform::Cursor)> onCursorChanged;
    std::function<void()> onRepaint;        // the off-screen image changed
    std::function<QPoint(QPoint)> toGlobal; // surface point to screen point
    void popupAt(platform::MenuModel& menu, QPoint surfacePoint);
    // Mouse capture: while set, all mouse input goes to the frame.
    void captureFrame(bool on) { capture_.holdFrame(on); }
    // A press forwarded to the surface moves the capture there with it.
    void captureSurface() { capture_.holdSurface(); }
    // A yes/no question asked once in the surface's life (the session): later asks give
    // the first answer.
    bool askOnce(const QString& text, const QString& caption);
    // Work queued to run after the current event (the frame's refit).
    void post(std::function<void()> fn);
    void postRefit();
    void processPendingEvents();
    // Runs the queued work and lets every object fit its size to its content (fitLayout),
    // so that the card holds its settled state: after every command (as part of that
    // command's undo step), after a card is read and after an undo or redo. Painting then
    // finds nothing to fit.
    void settleLayout();

    // --- painting
    // The card changed: it is drawn anew at the next paint.
    void invalidate();
    // Only the selection's grips changed: the next paint puts them over the card as drawn.
    void invalidateGrips();
    const QImage& image(); // the surface as shown, painted when out of date
    void paintTo(QPainter& painter);
    // Draws the outline of r (the pixels it covers) with the rubber-band pen: white,
    // exclusive-or, dotted, hollow. Drawing the same rectangle again erases it; outlines
    // shown survive a repaint of the surface.
    void drawXorRect(const QRect& r);
    // Erases r when it is shown; nothing otherwise.
    void eraseXorRect(const QRect& r);
    // The exclusive-or outlines shown now.
    const std::vector<QRect>& xorOutlines() const { return xorRects_; }

  signals:
    void labelChanged();
    void droppedObject(QRect r);
    void surfaceDoubleClicked();

  protected:
    void buildSurfaceMenu();
    void refreshSurfaceMenu();
    QPainterPath cardRegion() const;

  private:
    void renderCard();
    void renderImage();
    void paintCard(QPainter& p);
    void drawXorOutline(const QRect& r);
    // Where a mouse event at p goes when nothing holds the capture: the frame over its
    // rectangle, else the topmost object under p, else the surface.
    using InputTarget = TGMouseCapture::Target;
    InputTarget targetAt(QPoint p) const;
    // Where a move or release at p goes: to the capture's holder, else to targetAt(p).
    InputTarget mouseTarget(QPoint p) const;
    bool overFrame(QPoint p) const;
    void updateHover(QPoint p);
    // The clipboard and clone through the card file format, on a file or in memory.
    void writeObjects(const QString& fileName, const std::vector<TGGraphicControl*>& objs);
    void readObjects(const QString& fileName, bool withOffset);

    int width_ = 336;
    int height_ = 192;
    bool pointing_ = true;
    bool drawOutline_ = false;
    bool printing_ = false;
    TLabelShapeType shape_ = lsRoundRect;
    TGridSize gridSize_ = gs4x4;
    bool showGrid_ = false;
    bool snapToGrid_ = false;
    TGFont font_;
    std::shared_ptr<const platform::Graphic> colorPicture_;

    TGClassRegistry classes_;
    float zoomFactor_ = 1.0f;
    qreal devicePixelRatio_ = 1.0;
    std::vector<TGGraphicControl*> objects_;
    std::unique_ptr<TGHandle> handle_;
    QString clipboardFile_;
    QString tempFile_;
    bool ownsTemporaryFiles_ = true;
    bool bandActive_ = false;
    QRect bandRect_; // corners as given (x1,y1 = start; x2,y2 = moving corner)
    quint32 lastPasteTime_ = 0;
    bool pastedBefore_ = false;
    platform::MenuModel surfaceMenu_;
    // Items of surfaceMenu_ that its refresh enables and disables.
    std::vector<platform::MenuModel::Item*> selectionItems_;
    platform::MenuModel::Item* pasteItem_ = nullptr;
    platform::MenuModel::Item* lockAllItem_ = nullptr;
    platform::MenuModel::Item* unlockAllItem_ = nullptr;

    std::unique_ptr<platform::TickClock> ownClock_;
    const platform::TickClock* clock_ = nullptr;
    platform::Cursor cursor_ = platform::Cursor::Default;
    TGMouseCapture capture_;
    QPointer<TGGraphicControl> hoverObject_; // for the mouse-leave reactions
    bool hoverFrame_ = false;
    std::vector<std::function<void()>> posted_;
    bool refitPosted_ = false;

    platform::ReusableImage card_; // the backdrop and the objects, without grips or outlines
    bool cardDirty_ = true;
    platform::ReusableImage image_; // the card with the grips and outlines: what is shown
    bool dirty_ = true;
    std::vector<QRect> xorRects_; // exclusive-or outlines currently shown

    std::unique_ptr<TGUndoHistory> history_;
    QHash<QString, bool> answers_;
};
