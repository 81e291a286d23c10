// The module that works on the PDFs the toolkit writes, with qpdf: it places a card drawn
// once on the pages, and completes the text of the embedded fonts. It is loaded only when a
// PDF is written, so that starting the program does not load qpdf and the libraries it needs.
#include "platform/report/PdfCardPlacer.h"

#include <QList>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

using platform::PdfCardPlacer;
using Placement = PdfCardPlacer::Placement;

namespace {

std::string number(double v) {
    return QByteArray::number(v, 'f', 4).toStdString();
}

// The placements of each page, kept once for all pages that have the same.
class Contents {
  public:
    explicit Contents(size_t pages) : ofPage_(pages, 0) { texts_.emplace_back(); }
    size_t size() const { return ofPage_.size(); }
    const std::string& of(size_t page) const { return texts_[ofPage_[page]]; }
    void set(size_t page, const std::string& text) {
        auto known = index_.find(text);
        if (known == index_.end()) {
            known = index_.emplace(text, texts_.size()).first;
            texts_.push_back(text);
        }
        ofPage_[page] = known->second;
    }

  private:
    std::vector<size_t> ofPage_;
    std::deque<std::string> texts_; // [0] is no placement; a deque keeps references valid
    std::map<std::string, size_t> index_;
};

QByteArray bytes(const std::shared_ptr<Buffer>& buffer) {
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                      qsizetype(buffer->getSize()));
}

// Runs `work` and turns whatever it throws into the reason: nothing may leave the module's
// C entry points.
bool guarded(QString& error, const QString& failed, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = failed;
    }
    return false;
}

QByteArray reference(QPDFObjectHandle object) {
    return QByteArray::number(object.getObjectID()) + ' ' +
           QByteArray::number(object.getGeneration()) + " R";
}

// Writes a document, as at least the given PDF version; with object streams (smaller) or
// with a plain cross-reference table, which more pages can be appended to.
QByteArray write(QPDF& document, const std::string& version, bool objectStreams) {
    QPDFWriter writer(document);
    writer.setOutputMemory();
    writer.setMinimumPDFVersion(version);
    writer.setStreamDataMode(qpdf_s_compress);
    writer.setObjectStreamMode(objectStreams ? qpdf_o_generate : qpdf_o_disable);
    writer.setDeterministicID(true);
    writer.write();
    return bytes(writer.getBufferSharedPointer());
}

// Appends pages that hold only cards to a written document whose last page is such a page,
// as an update at the end of the file: each new page shares that page's resources and a
// content stream with every page of the same cards. Nothing is kept per page but its
// object's offset, so a long job takes no more memory than a short one.
QByteArray appendCardPages(const QByteArray& written, const Contents& content, size_t from) {
    QPDF base;
    base.setSuppressWarnings(true);
    base.processMemoryFile("written", written.constData(), size_t(written.size()));
    QPDFObjectHandle trailer = base.getTrailer();
    QPDFObjectHandle pages = base.getRoot().getKey("/Pages");
    QPDFObjectHandle kids = pages.getKey("/Kids");
    QPDFObjectHandle last = kids.getArrayItem(kids.getArrayNItems() - 1);
    const qsizetype at = written.lastIndexOf("startxref");
    if (at < 0 || !trailer.getKey("/Size").isInteger())
        throw std::runtime_error("the written pages cannot be extended");
    const QByteArray previous = written.mid(at + 9).trimmed().split('\n').value(0).trimmed();
    const QByteArray pageStart = "<< /Type /Page /Parent " + reference(pages) + " /MediaBox " +
                                 QByteArray::fromStdString(last.getKey("/MediaBox").unparse()) +
                                 " /Resources " + reference(last.getKey("/Resources")) +
                                 " /Contents ";

    QByteArray pdf = written;
    if (!pdf.endsWith('\n')) pdf += '\n';
    const int firstNew = int(trailer.getKey("/Size").getIntValue());
    int next = firstNew;
    std::vector<qsizetype> offsets; // of the objects from firstNew on
    const auto begin = [&] {
        offsets.push_back(pdf.size());
        pdf += QByteArray::number(next) + " 0 obj\n";
        return next++;
    };
    QByteArray kidList;
    for (qsizetype i = 0; i < kids.getArrayNItems(); ++i)
        kidList += reference(kids.getArrayItem(int(i))) + ' ';
    std::map<const std::string*, int> streams;
    for (size_t i = from; i < content.size(); ++i) {
        const std::string& text = content.of(i);
        auto stream = streams.find(&text);
        if (stream == streams.end()) {
            const int id = begin();
            pdf += "<< /Length " + QByteArray::number(qsizetype(text.size())) + " >>\nstream\n" +
                   QByteArray::fromStdString(text) + "\nendstream\nendobj\n";
            stream = streams.emplace(&text, id).first;
        }
        const int id = begin();
        pdf += pageStart + QByteArray::number(stream->second) + " 0 R >>\nendobj\n";
        kidList += QByteArray::number(id) + " 0 R ";
    }
    // The page list again, now with every page.
    const qsizetype pagesAt = pdf.size();
    pdf += QByteArray::number(pages.getObjectID()) + ' ' +
           QByteArray::number(pages.getGeneration()) + " obj\n<< /Type /Pages /Kids [ " + kidList +
           "] /Count " +
           QByteArray::number(kids.getArrayNItems() + qsizetype(content.size() - from)) +
           " >>\nendobj\n";

    const auto entry = [](qsizetype offset, int generation) {
        return QByteArray::number(offset).rightJustified(10, '0') + ' ' +
               QByteArray::number(generation).rightJustified(5, '0') + " n \n";
    };
    const qsizetype xref = pdf.size();
    pdf += "xref\n" + QByteArray::number(pages.getObjectID()) + " 1\n" +
           entry(pagesAt, pages.getGeneration());
    pdf += QByteArray::number(firstNew) + ' ' + QByteArray::number(next - firstNew) + '\n';
    for (qsizetype offset : offsets)
        pdf += entry(offset, 0);
    pdf += "trailer\n<< /Size " + QByteArray::number(next) + " /Root " + reference(base.getRoot());
    for (const char* key : {"/Info", "/ID"})
        if (trailer.hasKey(key))
            pdf += QByteArray(" ") + key + ' ' +
                   QByteArray::fromStdString(trailer.getKey(key).unparse());
    pdf += " /Prev " + previous + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

extern "C" Q_DECL_EXPORT bool orlantoPlaceCards(const QByteArray& pages,
                                                const std::vector<bool>& drawnOn,
                                                const QByteArray& card, QPoint cardCorner,
                                                const std::vector<Placement>& placements,
                                                int resolution, QByteArray& pdf, QString& error) {
    return guarded(error, QStringLiteral("the cards could not be placed"), [&] {
        QPDF sheets;
        sheets.setSuppressWarnings(true);
        sheets.processMemoryFile("pages", pages.constData(), size_t(pages.size()));
        QPDF drawing;
        drawing.setSuppressWarnings(true);
        drawing.processMemoryFile("card", card.constData(), size_t(card.size()));
        QPDF out;
        out.emptyPDF();
        out.setSuppressWarnings(true);

        // The toolkit's writer keeps every page in one flat list; only the pages drawn on are
        // read from it.
        QPDFObjectHandle kids = sheets.getRoot().getKey("/Pages").getKey("/Kids");
        if (!kids.isArray() || size_t(kids.getArrayNItems()) != drawnOn.size() || drawnOn.empty())
            throw std::runtime_error("the pages are not as written");
        std::vector<QPDFPageObjectHelper> cardPages = QPDFPageDocumentHelper(drawing).getAllPages();
        if (cardPages.size() != 1) throw std::runtime_error("the card drawing has no page");
        QPDFPageObjectHelper first(kids.getArrayItem(0));
        QPDFObjectHandle mediaBox = first.getMediaBox().shallowCopy();
        const double pageTop = mediaBox.getArrayAsRectangle().ury;
        const double cardTop = cardPages.front().getMediaBox().getArrayAsRectangle().ury;
        QPDFObjectHandle form =
            out.copyForeignObject(cardPages.front().getFormXObjectForPage(false));

        // The toolkit's writer puts device pixel (x, y) at (x * k, top - y * k): the card's
        // pixel counted from its corner must land on the page's pixel counted from a placement.
        const double k = 72.0 / resolution;
        Contents content(drawnOn.size());
        std::string placed;
        for (size_t i = 0; i < placements.size(); ++i) {
            const Placement& p = placements[i];
            if (p.page < 0 || size_t(p.page) >= drawnOn.size())
                throw std::runtime_error("a card is placed on a page that does not exist");
            const double dx = k * (p.corner.x() - cardCorner.x());
            const double dy = pageTop - cardTop + k * (cardCorner.y() - p.corner.y());
            placed += "q 1 0 0 1 " + number(dx) + ' ' + number(dy) + " cm /OrlCard Do Q\n";
            if (i + 1 == placements.size() || placements[i + 1].page != p.page) {
                content.set(size_t(p.page), placed);
                placed.clear();
            }
        }

        // Pages with the same cards share one stream: full sheets are all alike.
        std::map<std::string, QPDFObjectHandle> streams;
        const auto streamFor = [&](const std::string& text) {
            auto s = streams.find(text);
            if (s == streams.end()) s = streams.emplace(text, out.newStream(text)).first;
            return s->second;
        };
        QPDFObjectHandle cardResources = out.makeIndirectObject(QPDFObjectHandle::newDictionary(
            {{"/XObject", QPDFObjectHandle::newDictionary({{"/OrlCard", form}})}}));
        // When nothing but cards is drawn, the document is made with its first page and the
        // others are appended to the written file.
        const bool cardsOnly =
            std::none_of(drawnOn.begin(), drawnOn.end(), [](bool b) { return b; });
        const size_t made = cardsOnly ? 1 : drawnOn.size();
        QPDFPageDocumentHelper book(out);
        for (size_t i = 0; i < made; ++i) {
            if (!drawnOn[i]) {
                book.addPage(
                    QPDFPageObjectHelper(out.makeIndirectObject(QPDFObjectHandle::newDictionary(
                        {{"/Type", QPDFObjectHandle::newName("/Page")},
                         {"/MediaBox", mediaBox},
                         {"/Resources", cardResources},
                         {"/Contents", streamFor(content.of(i))}}))),
                    false);
                continue;
            }
            book.addPage(QPDFPageObjectHelper(kids.getArrayItem(int(i))), false);
            if (content.of(i).empty()) continue;
            QPDFObjectHandle added = out.getRoot().getKey("/Pages").getKey("/Kids");
            QPDFPageObjectHelper page(added.getArrayItem(added.getArrayNItems() - 1));
            QPDFObjectHandle resources = page.getAttribute("/Resources", true);
            if (!resources.isDictionary()) throw std::runtime_error("a page has no resources");
            if (!resources.hasKey("/XObject") || !resources.getKey("/XObject").isDictionary())
                resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
            resources.getKey("/XObject").replaceKey("/OrlCard", form);
            // The page's own drawing leaves its transformation in place: it is wrapped so
            // that the cards start from the page's default coordinates.
            page.addPageContents(streamFor("q\n"), true);
            page.addPageContents(streamFor("Q\n" + content.of(i)), false);
        }
        // The document information (title, creator, date) is copied as text: copying it as
        // an object would make qpdf read every page of the toolkit's document.
        QPDFObjectHandle info = sheets.getTrailer().getKey("/Info");
        if (info.isDictionary())
            out.getTrailer().replaceKey(
                "/Info", out.makeIndirectObject(QPDFObjectHandle::parse(info.unparseResolved())));

        // The version of the toolkit's documents: a new document would claim an older one.
        const std::string version = std::max(sheets.getPDFVersion(), drawing.getPDFVersion());
        pdf = write(out, version, !cardsOnly || made == drawnOn.size());
        if (made < drawnOn.size()) pdf = appendCardPages(pdf, content, made);
    });
}

// Gives each embedded TrueType font (the toolkit writes each face as a Type0 font with one
// descendant) the ToUnicode map that `complete` makes of its map and its font file, when
// that is not empty. `pdf` is left empty when no font's map changed.
extern "C" Q_DECL_EXPORT bool orlantoCompleteFontText(
    const QByteArray& written,
    const std::function<QByteArray(const QByteArray& cmap, const QByteArray& fontFile)>& complete,
    QByteArray& pdf, QString& error) {
    return guarded(error, QStringLiteral("the fonts' text could not be completed"), [&] {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("written", written.constData(), size_t(written.size()));
        bool changed = false;
        for (QPDFObjectHandle font : document.getAllObjects()) {
            if (!font.isDictionary() || !font.getKey("/Subtype").isNameAndEquals("/Type0"))
                continue;
            QPDFObjectHandle map = font.getKey("/ToUnicode");
            QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
            if (!map.isStream() || !descendants.isArray() || descendants.getArrayNItems() != 1)
                continue;
            QPDFObjectHandle descriptor = descendants.getArrayItem(0).getKey("/FontDescriptor");
            if (!descriptor.isDictionary() || !descriptor.getKey("/FontFile2").isStream()) continue;
            const QByteArray completed = complete(
                bytes(map.getStreamData()), bytes(descriptor.getKey("/FontFile2").getStreamData()));
            if (completed.isEmpty()) continue;
            map.replaceStreamData(completed.toStdString(), QPDFObjectHandle::newNull(),
                                  QPDFObjectHandle::newNull());
            changed = true;
        }
        pdf.clear();
        if (changed) pdf = write(document, document.getPDFVersion(), false);
    });
}
