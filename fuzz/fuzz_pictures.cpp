// Feeds arbitrary bytes to the picture loaders: the first byte picks the format (a raster
// extension, a metafile, a card-file picture or bitmap data block, or one of the formats
// read through Qt's image plugins and Qt SVG), the rest is the data.
// Whatever decodes is drawn into a small image, so the metafile player runs every record.
#include "platform/pictures/Graphic.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

// Qt keeps a fontconfig pattern and a font engine for every face name it is asked for, and
// metafiles name arbitrary faces; those caches (still held at exit, with stacks that end in
// Qt's own frames) are not leaks of the loaders under test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libQt6Gui.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // Fontconfig keeps caches it never frees; filling them here, before the first input,
    // keeps them out of the leak check.
    QImage warm(16, 16, QImage::Format_RGB32);
    QPainter painter(&warm);
    for (const char* face : {"Arial", "Liberation Sans", "Liberation Serif", "Symbol", "x"}) {
        painter.setFont(QFont(QString::fromLatin1(face), 12, QFont::Bold, true));
        painter.drawText(0, 10, QStringLiteral("Ag"));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const char* const kinds[] = {".BMP", ".DIB", ".RLE", ".ICO",
                                        ".JPG", ".PCX", ".TGA", ".WMF"};
    static const char* const todaysKinds[] = {".PNG", ".GIF", ".WEBP", ".SVG", ".TIF"};
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const unsigned choice = data[0] % 16;
    std::optional<platform::Graphic> g;
    if (choice < 8) {
        g = platform::Graphic::fromFileData(bytes, QString::fromLatin1(kinds[choice]));
    } else if (choice >= 11) {
        g = platform::Graphic::fromFileData(bytes, QString::fromLatin1(todaysKinds[choice - 11]));
    } else if (choice == 8) {
        g = platform::Graphic::fromMetafileData(bytes); // EMF as well as WMF
    } else if (choice == 9) {
        g = platform::Graphic::readData(bytes.toByteArray());
    } else {
        const std::optional<QImage> image = platform::Graphic::readBitmapData(bytes);
        if (image) g = platform::Graphic::fromImage(*image);
    }
    if (!g) return 0;
    QImage target(48, 32, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    g->draw(painter, QRectF(2, 2, 44, 28));
    return 0;
}
