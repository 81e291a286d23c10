// Any bytes as RTF text: reading must neither crash nor hang, and what the writer makes of
// the document must read back into a document that writes the same bytes again.
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Qt keeps a fontconfig pattern and a font engine for every face name it is asked for, and
// RTF font tables name arbitrary faces; those caches (still held at exit, with stacks that end in
// Qt's own frames) are not leaks of the reader under test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libQt6Gui.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Text documents need the fonts of a GUI application.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument first;
    platform::RtfReader::read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)),
                              first);
    const QByteArray written = platform::RtfWriter::write(first);
    QTextDocument second;
    platform::RtfReader::read(written, second);
    const QByteArray again = platform::RtfWriter::write(second);
    if (again != written) {
        // Both writes go to the log, so that a finding shows where they part.
        std::fprintf(stderr, "first write:\n%s\nsecond write:\n%s\n", written.constData(),
                     again.constData());
        std::abort();
    }
    return 0;
}
