#pragma once
// Background art: the picture file a card names to be drawn stretched behind it. The window
// and the printed sheets read it here, the same way, so that the art the card shows is the
// art that prints. Art that cannot be used gives no picture and a sentence saying why, for
// the caller to say how the card goes on without it; the card keeps naming the file.
#include "platform/pictures/Graphic.h"

#include <QString>

#include <optional>

namespace platform {

class BackgroundArt {
  public:
    // The picture in the file, or nullopt with `problem` set ("The background art NAME is
    // damaged"): a name no picture file has, a file that cannot be read, data that is no
    // picture of its kind, or a picture refused for its size.
    static std::optional<Graphic> load(const QString& fileName, QString& problem);
};

} // namespace platform
