#include "platform/report/PdfCardPlacer.h"

#include "platform/report/PdfModule.h"

namespace platform {

namespace {

using Place = bool (*)(const QByteArray&, const std::vector<bool>&, const QByteArray&, QPoint,
                       const std::vector<PdfCardPlacer::Placement>&, int, QByteArray&, QString&);

Place module() {
    return reinterpret_cast<Place>(PdfModule::resolve("orlantoPlaceCards"));
}

} // namespace

bool PdfCardPlacer::available() {
    return module() != nullptr;
}

bool PdfCardPlacer::place(const QByteArray& pages, const std::vector<bool>& drawnOn,
                          const QByteArray& card, QPoint cardCorner,
                          const std::vector<Placement>& placements, int resolution, QByteArray& pdf,
                          QString& error) {
    if (const Place place = module())
        return place(pages, drawnOn, card, cardCorner, placements, resolution, pdf, error);
    error = QStringLiteral("the module that places the cards cannot be loaded");
    return false;
}

} // namespace platform
