#include "platform/report/PdfModule.h"

#include <QCoreApplication>
#include <QLibrary>

namespace platform {

namespace {

// The module lies beside the program in the build tree (or one folder up, for the tests)
// and in the library folder once installed. Kept loaded for the rest of the run.
QLibrary* module() {
    static QLibrary* const loaded = []() -> QLibrary* {
        const QString dir = QCoreApplication::applicationDirPath();
        for (const QString& folder : {dir, dir + QStringLiteral("/.."),
                                      dir + QStringLiteral("/../" ORLANTO_LIBDIR "/orlanto")}) {
            auto* library = new QLibrary(folder + QStringLiteral("/orlanto_pdfcards"));
            if (library->load()) return library;
            delete library;
        }
        return nullptr;
    }();
    return loaded;
}

} // namespace

QFunctionPointer PdfModule::resolve(const char* name) {
    QLibrary* library = module();
    return library ? library->resolve(name) : nullptr;
}

} // namespace platform
