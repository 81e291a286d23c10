#include "PdfCardPlacer.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <map>
#include <string>

namespace platform {

namespace {

// The top of a page in PDF units: the toolkit's writer draws with y = top - pixels * scale.
double pageTop(QPDFPageObjectHelper& page)
{
    return page.getMediaBox().getArrayAsRectangle().ury;
}

std::string number(double v)
{
    return QByteArray::number(v, 'f', 4).toStdString();
}

} // namespace

bool PdfCardPlacer::place(const QByteArray& pages, const QByteArray& card, QPoint cardCorner,
                          const std::vector<Placement>& placements, int resolution,
                          QByteArray& pdf, QString& error)
{
    try {
        QPDF out;
        out.setSuppressWarnings(true);
        out.processMemoryFile("pages", pages.constData(), size_t(pages.size()));
        QPDF drawing;
        drawing.setSuppressWarnings(true);
        drawing.processMemoryFile("card", card.constData(), size_t(card.size()));

        std::vector<QPDFPageObjectHelper> cardPages = QPDFPageDocumentHelper(drawing).getAllPages();
        std::vector<QPDFPageObjectHelper> sheets = QPDFPageDocumentHelper(out).getAllPages();
        if (cardPages.size() != 1) throw std::runtime_error("the card drawing has no page");
        const double cardTop = pageTop(cardPages.front());
        QPDFObjectHandle form = out.copyForeignObject(cardPages.front().getFormXObjectForPage(false));

        // Device pixel (x, y) of the card's page lies at (x * k, cardTop - y * k); the same
        // pixel counted from a placement's corner must land on the sheet's pixel.
        const double k = 72.0 / resolution;
        std::map<int, std::string> content;
        for (const Placement& p : placements) {
            if (p.page < 0 || size_t(p.page) >= sheets.size())
                throw std::runtime_error("a card is placed on a page that does not exist");
            const double dx = k * (p.corner.x() - cardCorner.x());
            const double dy = pageTop(sheets[size_t(p.page)]) - cardTop
                              + k * (cardCorner.y() - p.corner.y());
            content[p.page] += "q 1 0 0 1 " + number(dx) + ' ' + number(dy) + " cm /OrlCard Do Q\n";
        }
        for (auto& [index, placed] : content) {
            QPDFPageObjectHelper& sheet = sheets[size_t(index)];
            QPDFObjectHandle resources = sheet.getAttribute("/Resources", true);
            if (!resources.isDictionary())
                throw std::runtime_error("a page has no resources");
            if (!resources.hasKey("/XObject") || !resources.getKey("/XObject").isDictionary())
                resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
            resources.getKey("/XObject").replaceKey("/OrlCard", form);
            // The page's own drawing leaves its transformation in place: it is wrapped so
            // that the placements start from the page's default coordinates.
            sheet.addPageContents(QPDFObjectHandle::newStream(&out, std::string("q\n")), true);
            sheet.addPageContents(QPDFObjectHandle::newStream(&out, "Q\n" + placed), false);
        }

        QPDFWriter writer(out);
        writer.setOutputMemory();
        writer.setStreamDataMode(qpdf_s_compress);
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        pdf = QByteArray(reinterpret_cast<const char*>(written->getBuffer()),
                         qsizetype(written->getSize()));
        return true;
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
}

} // namespace platform
