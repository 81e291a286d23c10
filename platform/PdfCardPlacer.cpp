#include "PdfCardPlacer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace platform {

namespace {

using Place = bool (*)(const QByteArray&, const std::vector<bool>&, const QByteArray&, QPoint,
                       const std::vector<PdfCardPlacer::Placement>&, int, QByteArray&, QString&);

// The module lies beside the program in the build tree (or one folder up, for the tests)
// and in the library folder once installed.
Place module()
{
    static const Place place = [] {
        const QString dir = QCoreApplication::applicationDirPath();
        for (const QString& folder :
             {dir, dir + QStringLiteral("/.."), dir + QStringLiteral("/../" ORLANTO_LIBDIR "/orlanto")}) {
            QLibrary library(folder + QStringLiteral("/orlanto_pdfcards"));
            if (library.load()) return reinterpret_cast<Place>(library.resolve("orlantoPlaceCards"));
        }
        return Place(nullptr);
    }();
    return place;
}

} // namespace

bool PdfCardPlacer::available()
{
    return module() != nullptr;
}

bool PdfCardPlacer::place(const QByteArray& pages, const std::vector<bool>& drawnOn,
                          const QByteArray& card, QPoint cardCorner,
                          const std::vector<Placement>& placements, int resolution,
                          QByteArray& pdf, QString& error)
{
    if (const Place place = module())
        return place(pages, drawnOn, card, cardCorner, placements, resolution, pdf, error);
    error = QStringLiteral("the module that places the cards cannot be loaded");
    return false;
}

} // namespace platform
