#pragma once
// The module that works on written PDFs with qpdf (pdfcards/PdfCards.cpp). It is loaded on
// first use, so that starting the program does not load qpdf and the libraries it needs.
#include <QFunctionPointer>

namespace platform {

class PdfModule {
  public:
    // The module's function of that name, or nullptr when the module cannot be loaded.
    static QFunctionPointer resolve(const char* name);
};

} // namespace platform
