// `orlanto print`: sheets into a PDF with the home folder's layout and offsets and the
// card's background art, and the messages for wrong arguments, unwritable output, missing
// files and missing printers.
#include "app/HeadlessCard.h"
#include "app/PrintCommand.h"
#include "support/CardBytes.h"
#include "support/PdfReadBack.h"

#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TGImage.h"
#include "objects/shapes/TSuperShape.h"
#include "objects/text/TGPRichBaseLabel.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/pictures/Graphic.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Printers.h"
#include "platform/report/Report.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/IniFile.h"
#include "printing/TSheetPrinter.h"

#include <QProcess>
#include <QtTest>

namespace {
QString tool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pixels of `a` whose colour lies outside the range of the 3 x 3 neighbourhood of the
// same pixel in `b` (by more than a rounding step): 0 when the two differ at most by the
// anti-aliasing of edges moved by less than a pixel.
int outsideNeighbourhood(const QImage& a, const QImage& b) {
    int outside = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            for (int ny = std::max(0, y - 1); ny <= std::min(b.height() - 1, y + 1); ++ny) {
                const auto* near = reinterpret_cast<const QRgb*>(b.constScanLine(ny));
                for (int nx = std::max(0, x - 1); nx <= std::min(b.width() - 1, x + 1); ++nx) {
                    const int c[3] = {qRed(near[nx]), qGreen(near[nx]), qBlue(near[nx])};
                    for (int i = 0; i < 3; ++i) {
                        lo[i] = std::min(lo[i], c[i]);
                        hi[i] = std::max(hi[i], c[i]);
                    }
                }
            }
            const int c[3] = {qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
            for (int i = 0; i < 3; ++i)
                if (c[i] < lo[i] - 2 || c[i] > hi[i] + 2) {
                    ++outside;
                    break;
                }
        }
    }
    return outside;
}

// A PDF output that draws every card on the pages, as printers and the preview do.
class EachCardPdf : public platform::PdfReportTarget {
  public:
    using PdfReportTarget::PdfReportTarget;
    QPainter* beginCard(QPoint&, QString&) override { return nullptr; }
};

bool dark(const QImage& image, double xInches, double yInches) {
    return qGray(image.pixel(qRound(xInches * 100), qRound(yInches * 100))) < 128;
}
} // namespace

class tst_PrintCommand : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void sheetsIntoPdf_data();
    void sheetsIntoPdf();
    void layoutAndOffsetsFromTheHome();
    void backgroundArt_data();
    void backgroundArt();
    void badInput_data();
    void badInput();
    void noPrinterForTheQueue();
    void labelFonts_data();
    void labelFonts();
    void bitmapsLossless();
    void picturesEmbeddedOncePerJob();
    void cardDrawnOnceLikeEveryCard_data();
    void cardDrawnOnceLikeEveryCard();
    void heavyCardHeldOnceOnOneSheet();
    void styledEffectOutlines_data();
    void styledEffectOutlines();
    void richTextWithoutWindow();
    void pictogramsCarryTheirText_data();
    void pictogramsCarryTheirText();

  private:
    int print(const QStringList& args);
    // Saves the card with one effect shape at `bounds`, set up by `configure`.
    void saveShapeCard(const QRect& bounds, const std::function<void(TSuperShape&)>& configure);
    // Names the file as the card's background art in its companion file.
    bool nameArt(const QString& artFile);
    QTemporaryDir home_;
    QString card_;
    QStringList messages_;
};

bool tst_PrintCommand::nameArt(const QString& artFile) {
    QFile companion(home_.filePath(QStringLiteral("CARD.ORX")));
    return companion.open(QIODevice::WriteOnly) &&
           companion.write(artFile.toLocal8Bit() + "\r\n") > 0;
}

void tst_PrintCommand::initTestCase() {
    platform::ScreenMetrics::setPixelsPerInch(96);
    QVERIFY(home_.isValid());
}

void tst_PrintCommand::init() {
    // A fresh home and an empty card in it, for every case.
    for (const QString& f : QDir(home_.path()).entryList(QDir::Files))
        QFile::remove(home_.filePath(f));
    card_ = home_.filePath(QStringLiteral("CARD.ORL"));
    TGBusinessCardPanel32 surface;
    surface.saveCard(card_);
    QVERIFY(QFile::exists(card_));
}

int tst_PrintCommand::print(const QStringList& args) {
    PrintCommand command;
    const int code = command.run(
        QStringList{QStringLiteral("print"), QStringLiteral("--home"), home_.path()} + args);
    messages_ = command.messages;
    return code;
}

void tst_PrintCommand::sheetsIntoPdf_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("pages");
    // Outline corners inked at (position from 1) and left clean.
    QTest::addColumn<QList<int>>("inked");
    QTest::addColumn<QList<int>>("clean");
    QTest::newRow("outline, all") << QStringList{"--outline"} << 1 << QList<int>{1, 2, 9, 10}
                                  << QList<int>{};
    QTest::newRow("outline, positions 2 and 8") << QStringList{"--outline", "--positions", "2,8"}
                                                << 1 << QList<int>{2, 8} << QList<int>{1, 3, 9};
    QTest::newRow("three sheets") << QStringList{"--outline", "--sheets", "3", "--positions", "5"}
                                  << 3 << QList<int>{5} << QList<int>{1, 6};
}

void tst_PrintCommand::sheetsIntoPdf() {
    QFETCH(QStringList, args);
    QFETCH(int, pages);
    QFETCH(QList<int>, inked);
    QFETCH(QList<int>, clean);
    const QString pdf = home_.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(print(QStringList{card_, "-o", pdf} + args), 0);
    QVERIFY(tool(QStringLiteral("pdfinfo"), {pdf})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
    const QImage page = PdfReadBack::render(pdf, 100);
    for (int p : inked)
        QVERIFY2(dark(page, 0.75 + (p - 1) % 2 * 3.5, 0.5 + (p - 1) / 2 * 2.0),
                 qPrintable(QString::number(p)));
    for (int p : clean)
        QVERIFY2(!dark(page, 0.75 + (p - 1) % 2 * 3.5 + 0.5, 0.5 + (p - 1) / 2 * 2.0),
                 qPrintable(QString::number(p)));
}

void tst_PrintCommand::layoutAndOffsetsFromTheHome() {
    platform::IniFile ini;
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Papersize"), 9);
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("TopMargin"), 1000);
    ini.writeInteger(QStringLiteral("Printer"), QStringLiteral("TopMarginNudge"), 8);
    QVERIFY(ini.saveTo(home_.filePath(QStringLiteral("ORL.INI"))));
    const QString pdf = home_.filePath(QStringLiteral("a4.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--outline", "--positions", "1"}), 0);
    const QString info = tool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    const QImage page = PdfReadBack::render(pdf, 100);
    // The first card's top edge at 1.0 + 8/32 inch.
    QVERIFY(dark(page, 2.0, 1.25));
    QVERIFY(!dark(page, 2.0, 1.0));
    QVERIFY(!dark(page, 2.0, 0.5));
}

void tst_PrintCommand::backgroundArt_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("drawn") << true;
    QTest::newRow("missing: reported, printed without it") << false;
}

void tst_PrintCommand::backgroundArt() {
    QFETCH(bool, exists);
    const QString art = home_.filePath(QStringLiteral("art.bmp"));
    if (exists) {
        QImage image(35, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(art, "BMP"));
    }
    QVERIFY(nameArt(art));
    const QString pdf = home_.filePath(QStringLiteral("art.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--positions", "3"}), 0);
    const QImage page = PdfReadBack::render(pdf, 100);
    QCOMPARE(dark(page, 0.75 + 1.75, 2.5 + 1.0), exists);
    QCOMPARE(dark(page, 4.25 + 1.75, 2.5 + 1.0), false);
    QCOMPARE(messages_.size(), exists ? 0 : 1);
    if (!exists) QVERIFY(messages_.constFirst().contains(art));
}

void tst_PrintCommand::badInput_data() {
    QTest::addColumn<QStringList>("args"); // %CARD% and %HOME% are replaced
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("unwritable path") << QStringList{"%CARD%", "-o", "%HOME%/no/such/folder/out.pdf"}
                                     << 1 << "Cannot write the file";
    QTest::newRow("missing card") << QStringList{"%HOME%/gone.ORL", "-o", "%HOME%/out.pdf"} << 1
                                  << "does not exist";
    QTest::newRow("not a card") << QStringList{"%HOME%/ORL.TXT", "-o", "%HOME%/out.pdf"} << 1
                                << "Unable to open";
    QTest::newRow("position off the sheet")
        << QStringList{"%CARD%", "-o", "%HOME%/out.pdf", "--positions", "1,11"} << 2
        << "Position 11";
    QTest::newRow("position 0") << QStringList{"%CARD%", "-o", "%HOME%/out.pdf", "--positions", "0"}
                                << 2 << "Position 0";
    QTest::newRow("no sheets") << QStringList{"%CARD%", "-o", "%HOME%/out.pdf", "--sheets", "0"}
                               << 2 << "--sheets";
    QTest::newRow("both targets") << QStringList{"%CARD%", "-o", "%HOME%/out.pdf", "--printer", "x"}
                                  << 2 << "not both";
    QTest::newRow("no card") << QStringList{"-o", "%HOME%/out.pdf"} << 2 << "No card file";
    QTest::newRow("unknown option")
        << QStringList{"%CARD%", "--colour"} << 2 << "Unexpected argument";
}

void tst_PrintCommand::badInput() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFile text(home_.filePath(QStringLiteral("ORL.TXT")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a card file at all");
    text.close();
    for (QString& a : args)
        a.replace(QLatin1String("%CARD%"), card_).replace(QLatin1String("%HOME%"), home_.path());
    QCOMPARE(print(args), code);
    QVERIFY(!messages_.isEmpty());
    QVERIFY2(messages_.constLast().contains(message), qPrintable(messages_.constLast()));
    QVERIFY(!QFile::exists(home_.filePath(QStringLiteral("out.pdf"))));
    QVERIFY(!QFile::exists(home_.filePath(QStringLiteral("no/such/folder/out.pdf"))));
}

void tst_PrintCommand::noPrinterForTheQueue() {
    const bool none = platform::Printers::names().isEmpty();
    QCOMPARE(print({card_, "--printer", "NoSuchQueue"}), 1);
    QCOMPARE(messages_.constLast(),
             none ? QStringLiteral("There are no installed printers.\r\nUnable to perform printer "
                                   "related operations")
                  : QStringLiteral("There is no printer named NoSuchQueue."));
}

void tst_PrintCommand::labelFonts_data() {
    QTest::addColumn<CardProperties>("font"); // the label's stored Font.* values
    QTest::addColumn<QString>("defaultFont"); // the home's Default Font; empty: none set
    QTest::addColumn<QString>("printedIn");
    QTest::addColumn<QString>("notPrintedIn");
    auto font = [](const QString& name) {
        return CardProperties{{"Font.Color", TGValue::fromIdent("clBlack")},
                              {"Font.Height", TGValue::fromInt(-13)},
                              {"Font.Name", TGValue::fromString(name)},
                              {"Font.Style", TGValue::fromSet({})}};
    };
    // The label's own font, although it equals the font a label is made with, wins over
    // the default font.
    QTest::newRow("own font as constructed") << font("Arial") << "Liberation Serif"
                                             << "LiberationSans"
                                             << "LiberationSerif";
    // A stored empty face name keeps the face the label had.
    QTest::newRow("empty face name") << font("") << "Liberation Serif"
                                     << "LiberationSans"
                                     << "LiberationSerif";
    // Without a font of its own the label prints in the home's default font, as in the window.
    QTest::newRow("default font") << CardProperties{} << "Liberation Serif"
                                  << "LiberationSerif"
                                  << "LiberationSans";
    QTest::newRow("no default font set") << CardProperties{} << QString() << "LiberationSans"
                                         << "LiberationSerif";
}

void tst_PrintCommand::labelFonts() {
    QFETCH(CardProperties, font);
    QFETCH(QString, defaultFont);
    QFETCH(QString, printedIn);
    QFETCH(QString, notPrintedIn);
    CardProperties props{{"Left", TGValue::fromInt(10)},
                         {"Top", TGValue::fromInt(10)},
                         {"Width", TGValue::fromInt(150)},
                         {"Height", TGValue::fromInt(30)},
                         {"Locked", TGValue::fromBool(false)},
                         {"Unselectable", TGValue::fromBool(false)},
                         {"Caption", TGValue::fromString(QStringLiteral("Hello"))}};
    props.insert(props.end(), font.begin(), font.end());
    QFile card(card_);
    QVERIFY(card.open(QIODevice::WriteOnly));
    card.write(oneObjectCard("TGBusinessCardLabel", props));
    card.close();
    if (!defaultFont.isEmpty()) {
        platform::IniFile ini;
        ini.writeString(QStringLiteral("Default Font"), QStringLiteral("Name"), defaultFont);
        QVERIFY(ini.saveTo(home_.filePath(QStringLiteral("ORL.INI"))));
    }
    const QString pdf = home_.filePath(QStringLiteral("label.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--positions", "1"}), 0);
    const QString fonts = tool(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.contains(printedIn), qPrintable(fonts));
    QVERIFY2(!fonts.contains(notPrintedIn), qPrintable(fonts));
}

void tst_PrintCommand::bitmapsLossless() {
    // A picture object's bitmap and the background art, both with hard colour edges.
    QImage logo(64, 32, QImage::Format_RGB32), art(48, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            if (y < 32) logo.setPixel(x, y, qRgb(x * 4, (x / 8 + y / 8) % 2 ? 255 : 0, y * 8));
            if (x < 48)
                art.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, y * 6, (x / 6) % 2 ? 200 : 30));
        }
    {
        HeadlessCard surface;
        surface.place<TGImage>(QRect(20, 20, 96, 48), [&logo](TGImage& image) {
            image.picture()->setGraphic(platform::Graphic::fromImage(logo));
        });
        surface.saveCard(card_);
    }
    const QString artFile = home_.filePath(QStringLiteral("art.bmp"));
    QVERIFY(art.save(artFile, "BMP"));
    QVERIFY(nameArt(artFile));

    const QString pdf = home_.filePath(QStringLiteral("bitmaps.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--positions", "1"}), 0);
    const QString prefix = home_.filePath(QStringLiteral("extracted"));
    QCOMPARE(QProcess::execute(QStringLiteral("pdfimages"), {"-png", pdf, prefix}), 0);
    QList<QImage> extracted;
    for (const QString& f : QDir(home_.path()).entryList({QStringLiteral("extracted-*.png")}))
        extracted << QImage(home_.filePath(f)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(extracted.size(), 2);
    for (const QImage& source : {logo, art})
        QVERIFY2(extracted.contains(source),
                 qPrintable(QStringLiteral("%1 x %2 bitmap changed in the PDF")
                                .arg(source.width())
                                .arg(source.height())));
}

void tst_PrintCommand::picturesEmbeddedOncePerJob() {
    // A bitmap picture, a WMF and an EMF that each hold bitmaps, and bitmap background art,
    // printed on every card of 100 sheets: each distinct bitmap is one image object.
    QImage logo(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            logo.setPixel(x, y, qRgb(x * 4, y * 8, (x ^ y) * 3));
    {
        HeadlessCard surface;
        const auto add = [&surface](const platform::Graphic& graphic, const QRect& at) {
            surface.place<TGImage>(
                at, [&graphic](TGImage& image) { image.picture()->setGraphic(graphic); });
        };
        add(platform::Graphic::fromImage(logo), QRect(10, 10, 96, 48));
        for (const char* name : {"clipart.wmf", "drawing.emf"}) {
            QFile file(QStringLiteral(ORLANTO_FIXTURES "/pictures/") + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const std::optional<platform::Graphic> metafile =
                platform::Graphic::fromMetafileData(file.readAll());
            QVERIFY(metafile);
            add(*metafile, QRect(*name == 'c' ? 120 : 220, 60, 90, 90));
        }
        surface.saveCard(card_);
    }
    QImage art(48, 40, QImage::Format_RGB32);
    art.fill(qRgb(200, 220, 240));
    const QString artFile = home_.filePath(QStringLiteral("art.bmp"));
    QVERIFY(art.save(artFile, "BMP"));
    QVERIFY(nameArt(artFile));

    const QString pdf = home_.filePath(QStringLiteral("hundred.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--sheets", "100"}), 0);
    // Every placement is listed; they all share the objects of the distinct bitmaps: the
    // logo, the art, the two bitmaps of the WMF and the one of the EMF.
    const QStringList rows = tool(QStringLiteral("pdfimages"), {"-list", pdf})
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                 .mid(2);
    QCOMPARE(rows.size(), 100 * 10 * 5);
    QCOMPARE(PdfReadBack::embeddedImages(pdf).size(), 5);
    // The card's drawing is held once: a sheet adds its placements, not ten cards.
    const QString one = home_.filePath(QStringLiteral("one.pdf"));
    QCOMPARE(print({card_, "-o", one}), 0);
    QVERIFY2(QFileInfo(pdf).size() - QFileInfo(one).size() < 99 * 1024,
             qPrintable(QStringLiteral("%1 and %2 bytes")
                            .arg(QFileInfo(pdf).size())
                            .arg(QFileInfo(one).size())));
}

void tst_PrintCommand::cardDrawnOnceLikeEveryCard_data() {
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("layout"); // a predefined layout, or -1 for the default
    QTest::addColumn<TFineTuneOffsets>("offsets");
    QTest::addColumn<QString>("positions");
    const QString examples = QStringLiteral(ORLANTO_FIXTURES "/../../examples/");
    QTest::newRow("logo and text, Letter")
        << examples + "PersonalWithLogo.ORL" << -1 << TFineTuneOffsets() << QString();
    QTest::newRow("shapes, A4 L7414 with offsets")
        << examples + "ShapesAndLines.ORL" << 10 << TFineTuneOffsets{3, -2, 1, 1} << QString();
    QTest::newRow("name and address, three positions, nudged")
        << examples + "NameAndAddress.ORL" << -1 << TFineTuneOffsets{-1, 5, 0, 0}
        << QStringLiteral("2,5,9");
}

void tst_PrintCommand::cardDrawnOnceLikeEveryCard() {
    // The PDF output draws the card once and places it at every position; what it shows
    // must be what drawing every card on the page shows.
    QFETCH(QString, card);
    QFETCH(int, layout);
    QFETCH(TFineTuneOffsets, offsets);
    QFETCH(QString, positions);
    HeadlessCard surface;
    surface.loadCard(card);
    QVERIFY(!surface.objects().empty());
    TCardLayout cards;
    if (layout >= 0) cards.loadPredefined(layout);
    TCardSelection selection;
    if (!positions.isEmpty()) {
        selection.setFirst(selection.size(), false);
        for (const QString& p : positions.split(QLatin1Char(',')))
            selection.setSelected(p.toInt() - 1, true);
    }
    const auto printWith = [&](platform::PdfReportTarget& target) {
        platform::Report report(target);
        report.setPaperSize(cards.papersize);
        TSheetPrinter printer(
            surface, report,
            SheetPrintJob::make(cards, offsets, selection, SheetPrintJob::Mode::Print, 2, {}));
        return printer.run();
    };
    const QString once = home_.filePath(QStringLiteral("once.pdf"));
    const QString each = home_.filePath(QStringLiteral("each.pdf"));
    platform::PdfReportTarget onceTarget(once);
    EachCardPdf eachTarget(each);
    QVERIFY(printWith(onceTarget));
    QVERIFY(printWith(eachTarget));
    QVERIFY(QFileInfo(once).size() < QFileInfo(each).size());
    for (int page = 1; page <= 2; ++page) {
        const QImage a =
            PdfReadBack::render(once, 300, {}, page).convertToFormat(QImage::Format_RGB32);
        const QImage b =
            PdfReadBack::render(each, 300, {}, page).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!a.isNull());
        QCOMPARE(a.size(), b.size());
        QCOMPARE(outsideNeighbourhood(a, b), 0);
    }
}

void tst_PrintCommand::saveShapeCard(const QRect& bounds,
                                     const std::function<void(TSuperShape&)>& configure) {
    HeadlessCard surface;
    auto* shape = surface.place<TSuperShape>(bounds);
    configure(*shape);
    surface.saveCard(card_);
}

void tst_PrintCommand::heavyCardHeldOnceOnOneSheet() {
    // A texture of one pixel over a large shape is thousands of tiles: one sheet of ten
    // cards holds that drawing once, not ten times, so it is about as large as one card.
    const QRect bounds(20, 20, 200, 100);
    saveShapeCard(bounds, [](TSuperShape& s) {
        s.setShape(TSuperShape::gstRectangle);
        s.setSurfaceType(TSuperShape::stBrushImage);
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(qRgb(0, 160, 0));
        s.setTexture(pixel);
    });
    const QString one = home_.filePath(QStringLiteral("one.pdf"));
    const QString sheet = home_.filePath(QStringLiteral("sheet.pdf"));
    QCOMPARE(print({card_, "-o", one, "--positions", "1"}), 0);
    QCOMPARE(print({card_, "-o", sheet}), 0);
    QVERIFY2(QFileInfo(sheet).size() < QFileInfo(one).size() * 3 / 2,
             qPrintable(QStringLiteral("one card %1 bytes, one sheet %2 bytes")
                            .arg(QFileInfo(one).size())
                            .arg(QFileInfo(sheet).size())));
    // Every card shows the texture.
    const QImage page = PdfReadBack::render(sheet, 100);
    QVERIFY(!page.isNull());
    const QPointF middle = QRectF(bounds).center() / 96.0;
    for (int p = 0; p < 10; ++p) {
        const QRgb at = page.pixel(qRound((0.75 + p % 2 * 3.5 + middle.x()) * 100),
                                   qRound((0.5 + p / 2 * 2.0 + middle.y()) * 100));
        QVERIFY2(qGreen(at) > 120 && qRed(at) < 60, qPrintable(QString::number(p + 1)));
    }
}

void tst_PrintCommand::styledEffectOutlines_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("style");
    QTest::newRow("rectangle, dashed") << int(TSuperShape::gstRectangle) << int(Gdi::psDash);
    QTest::newRow("round rectangle, dotted") << int(TSuperShape::gstRoundRect) << int(Gdi::psDot);
    QTest::newRow("ellipse, dash-dot") << int(TSuperShape::gstEllipse) << int(Gdi::psDashDot);
    QTest::newRow("diamond, dash-dot-dot")
        << int(TSuperShape::gstDiamond) << int(Gdi::psDashDotDot);
    QTest::newRow("star, dashed") << int(TSuperShape::gstStar) << int(Gdi::psDash);
    QTest::newRow("triangle, dotted") << int(TSuperShape::gstTriangleUp) << int(Gdi::psDot);
}

void tst_PrintCommand::styledEffectOutlines() {
    // A one-pixel dashed or dotted outline shows its gaps on the screen; printed, it keeps
    // them: it inks clearly less of the paper than the same outline solid.
    QFETCH(int, shape);
    QFETCH(int, style);
    const auto inkOf = [&](Gdi::TPenStyle outline) {
        saveShapeCard(QRect(20, 20, 200, 150), [&](TSuperShape& s) {
            s.setShape(TSuperShape::TGPShapeType(shape));
            s.setSurfaceType(TSuperShape::stBrushTransparent);
            s.setOutlineWidth(1);
            s.setOutlineStyle(outline);
        });
        const QString pdf = home_.filePath(QStringLiteral("outline.pdf"));
        if (print({card_, "-o", pdf, "--positions", "1"}) != 0) return -1;
        const QImage card = PdfReadBack::render(pdf, 300, QRect(225, 150, 1050, 600));
        int ink = 0;
        for (int y = 0; y < card.height(); ++y)
            for (int x = 0; x < card.width(); ++x)
                ink += qGray(card.pixel(x, y)) < 160;
        return ink;
    };
    const int solid = inkOf(Gdi::psSolid);
    const int styled = inkOf(Gdi::TPenStyle(style));
    QVERIFY(solid > 1000);
    QVERIFY2(styled > 0 && styled < solid * 85 / 100,
             qPrintable(QStringLiteral("solid %1 pixels, styled %2").arg(solid).arg(styled)));
}

void tst_PrintCommand::richTextWithoutWindow() {
    // The command line's surface has the rich text engine, so rich text prints.
    {
        HeadlessCard surface;
        auto* label = surface.place<TGPRichBaseLabel>(QRect(QPoint(20, 20), QPoint(220, 60)));
        label->setRtf("{\\rtf1\\fs28 Rich {\\b Orlanto}\\par}");
        surface.saveCard(card_);
    }
    const QString pdf = home_.filePath(QStringLiteral("rich.pdf"));
    QCOMPARE(print({card_, "-o", pdf, "--positions", "1"}), 0);
    const QString text = tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(text.contains(QLatin1String("Rich Orlanto")), qPrintable(text));
}

void tst_PrintCommand::pictogramsCarryTheirText_data() {
    QTest::addColumn<QStringList>("positions");
    // The card drawn on its sheet, and drawn once and placed at every position.
    QTest::newRow("one card") << QStringList{"--positions", "1"};
    QTest::newRow("sheet of cards") << QStringList{};
}

void tst_PrintCommand::pictogramsCarryTheirText() {
    // WingDings codes drawn as telephone U+1F57F, telephone sign U+2706, envelope U+1F582,
    // thumbs up U+1F44D and thumbs down U+1F44E: pictograms on both sides of U+FFFF, and
    // two of one size, are read back from the PDF as text.
    QFETCH(QStringList, positions);
    QFile card(card_);
    QVERIFY(card.open(QIODevice::WriteOnly));
    card.write(oneObjectCard("TGSymbolLabel", {{"Left", TGValue::fromInt(20)},
                                               {"Top", TGValue::fromInt(20)},
                                               {"Width", TGValue::fromInt(200)},
                                               {"Height", TGValue::fromInt(60)},
                                               {"Caption", TGValue::fromString("()*CD")}}));
    card.close();
    const QString pdf = home_.filePath(QStringLiteral("symbols.pdf"));
    QCOMPARE(print(QStringList{card_, "-o", pdf} + positions), 0);
    const QString text = tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    const QString expected = QString::fromUcs4(U"\U0001F57F\u2706\U0001F582\U0001F44D\U0001F44E");
    QVERIFY2(text.contains(expected), qPrintable(text));
}

QTEST_MAIN(tst_PrintCommand)
#include "tst_PrintCommand.moc"
