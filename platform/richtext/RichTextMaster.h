#pragma once
// The shared rich text engine that every rich text object paints through, named
// "MASTERWPRICHTEXT". One lives on every card surface that has the rich text kinds, with
// or without a window. An object hands it its document, the zoom and the page (its own size
// in twips at zoom 1, no margins); the master lays the document out on the page width and
// paints the page scaled to the zoom. The layout stays with the object's document, so it is
// redone only when the text, the page or the zoom changes.
#include <QObject>
#include <QSize>

class QPainter;
class QRect;

namespace platform {

class RichTextDocument;

class RichTextMaster : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* masterName = "MASTERWPRICHTEXT";

    // Named masterName.
    explicit RichTextMaster(QObject* parent = nullptr);

    // The first master among the holder's children whose name, in upper case, is
    // masterName; nullptr when it has none.
    static RichTextMaster* find(const QObject* holder);

    // The document to paint; it must outlive its use here (objects hand it over before
    // every paint).
    void setDocument(const RichTextDocument* document) { document_ = document; }
    void setZoom(int percent) { zoom_ = percent; }
    void setPage(QSize twips) { page_ = twips; }
    void setWordWrap(bool on) { wordWrap_ = on; }

    // Paints the page into the target rectangle; nothing without a document or a page.
    void paint(QPainter& painter, const QRect& target);

  private:
    const RichTextDocument* document_ = nullptr;
    int zoom_ = 100;
    QSize page_;
    bool wordWrap_ = true;
};

} // namespace platform
