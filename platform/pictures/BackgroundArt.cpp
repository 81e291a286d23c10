#include "platform/pictures/BackgroundArt.h"

#include <QFileInfo>

namespace platform {

std::optional<Graphic> BackgroundArt::load(const QString& fileName, QString& problem) {
    const QString extension = QLatin1Char('.') + QFileInfo(fileName).suffix().toUpper();
    const QString art = QStringLiteral("The background art %1 ").arg(fileName);
    if (!Graphic::readsExtension(extension)) {
        problem = art + QStringLiteral("is not a picture file");
        return std::nullopt;
    }
    QString error;
    const std::optional<QByteArray> data = Graphic::readPictureFile(fileName, &error);
    if (!data) {
        problem = art + QStringLiteral("cannot be read (%1)").arg(error);
        return std::nullopt;
    }
    error = Graphic::sizeRefusal(*data, extension);
    std::optional<Graphic> graphic;
    if (error.isEmpty()) graphic = Graphic::fromFileData(*data, extension, &error);
    if (graphic && !graphic->isEmpty()) return graphic;
    problem = art + (error.isEmpty() ? QStringLiteral("is damaged")
                                     : QStringLiteral("is refused (%1)").arg(error));
    return std::nullopt;
}

} // namespace platform
