// Files dropped on the window: a card file opens, picture files become picture objects.
#include "TMainScreen.h"

#include "CardFiles.h"
#include "SurfaceView.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGUndoHistory.h"
#include "objects/shapes/TGImage.h"
#include "platform/pictures/Graphic.h"
#include "platform/widgets/DialogHost.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include <cmath>

namespace {
QStringList localFiles(const QMimeData& mime) {
    QStringList files;
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

bool isPicture(const QString& fileName) {
    return platform::Graphic::readsExtension(QLatin1Char('.') +
                                             QFileInfo(fileName).suffix().toUpper());
}
} // namespace

void TMainScreen::dragEnterEvent(QDragEnterEvent* event) {
    const QStringList files = localFiles(*event->mimeData());
    if (std::any_of(files.begin(), files.end(),
                    [](const QString& f) { return CardFiles::isCardFile(f) || isPicture(f); }))
        event->acceptProposedAction();
}

void TMainScreen::dropEvent(QDropEvent* event) {
    const QPoint at = surface_->toCard(view_->mapFrom(this, event->position()));
    if (dropFiles(*event->mimeData(), at)) event->acceptProposedAction();
}

bool TMainScreen::dropFiles(const QMimeData& mime, QPoint at) {
    const QStringList files = localFiles(mime);
    // A card among the files opens, and the rest are left alone.
    for (const QString& file : files) {
        if (!CardFiles::isCardFile(file)) continue;
        if (checkSaveNeeded()) openFile(file);
        return true;
    }
    QStringList pictures;
    std::copy_if(files.begin(), files.end(), std::back_inserter(pictures), isPicture);
    if (pictures.isEmpty()) return false;
    TGUndoHistory::Step step(surface_->history(), QStringLiteral("Drop Picture"));
    // Several pictures are laid out overlapping down and to the right.
    for (const QString& picture : pictures)
        if (dropPicture(picture, at)) at += QPoint(16, 16);
    return true;
}

bool TMainScreen::dropPicture(const QString& fileName, QPoint at) {
    platform::Graphic graphic;
    QString error;
    if (!graphic.loadFromFile(fileName, &error)) {
        platform::showError(error);
        return false;
    }
    // The picture at its own size in card pixels, shrunk to fit the card if larger.
    QSizeF size(std::max(1, graphic.width()), std::max(1, graphic.height()));
    const QSize card(surface_->width(), surface_->height());
    if (size.width() > card.width() || size.height() > card.height())
        size.scale(card, Qt::KeepAspectRatio);
    const QPoint topLeft(std::clamp(at.x(), 0, std::max(0, card.width() - int(size.width()))),
                         std::clamp(at.y(), 0, std::max(0, card.height() - int(size.height()))));
    // Placed first: the picture's reduction goes by the object's size on the card.
    auto* image = surface_->place<TGImage>(QRect(
        topLeft, QSize(int(std::lround(size.width())) + 1, int(std::lround(size.height())) + 1)));
    image->picture()->setGraphic(image->placed(graphic));
    return true;
}
