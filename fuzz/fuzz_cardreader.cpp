// Feeds arbitrary bytes to the card file reader, with every object kind registered. A read
// may fail only with a TGFilerError; a card that reads must write and read back again.
#include "app/HeadlessCard.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/system/HomeFolder.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>

// Qt keeps a fontconfig pattern and a font engine for every face name it is asked for, and
// cards name arbitrary faces; those caches (still held at exit, with stacks that end in Qt's
// own frames) are not leaks of the reader under test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libQt6Gui.so\n";
}

namespace {
TGBusinessCardPanel32& surface() {
    static int argc = 1;
    static char name[] = "fuzz_cardreader";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app)
    static TGBusinessCardPanel32* s = [] {
        // The surface names its clipboard file in the home folder; keep it out of the user's.
        platform::HomeFolder::set(QDir::tempPath());
        return new HeadlessCard;
    }();
    return *s;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TGBusinessCardPanel32& s = surface();
    TGLabelObjectFiler filer(s.classes());
    bool read = false;
    try {
        filer.readObjects(QByteArrayView(data, qsizetype(size)), s.owner(), s);
        read = true;
    } catch (const TGFilerError&) {
    }
    if (read) {
        const QByteArray again = TGLabelObjectFiler(s.classes()).writeObjects(s.objects());
        s.clearObjects();
        try {
            TGLabelObjectFiler(s.classes()).readObjects(again, s.owner(), s);
        } catch (const TGFilerError&) {
            std::abort(); // what was written must read back
        }
    }
    s.clearObjects();
    return 0;
}
