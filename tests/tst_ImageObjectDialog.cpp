// The picture dialog "Load Image File ": browsing and filtering, the preview and its
// options, and what "Ok" and "Cancel" do to the picture object, including files that do
// not load.
#include "support/SurfaceFixture.h"

#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TGImage.h"
#include "objects/shapes/TGImageBrowser.h"
#include "platform/drawing/ScreenMetrics.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include <cmath>
#include <sys/stat.h>

namespace {
constexpr QRgb white = 0xFFFFFFFF, red = 0xFFFF0000;

struct DialogFixture : SurfaceFixture {
    DialogFixture() {
        ShapeKinds::registerAll(*surface);
        image = surface->place<TGImage>(QRect(QPoint(10, 20), QPoint(70, 60)));
        surface->processPendingEvents();
    }
    QString file(const QString& name) const { return home.filePath(name); }
    // A solid red bitmap file of w x h in the home folder.
    QString redBitmap(const QString& name, int w, int h) const {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(red);
        img.save(file(name), "BMP");
        return file(name);
    }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        return file(name);
    }
    // Runs "Load Image From Disk" with a script that picks the file, optionally sets the
    // check boxes, and answers.
    void load(const QString& fileName, int answer = QDialog::Accepted,
              std::optional<bool> autoSize = {}) {
        dialogs.dialogs.push_back([=](QDialog& d) {
            auto& browser = dynamic_cast<TGImageBrowser&>(d);
            browser.selectFile(fileName);
            if (autoSize) d.findChild<QCheckBox*>("AutoSizeCheckBox")->setChecked(*autoSize);
            return answer;
        });
        QVERIFY(image->objectMenu()->trigger("Load Image From Disk"));
    }
    TGImage* image = nullptr;
};
} // namespace

class tst_ImageObjectDialog : public QObject {
    Q_OBJECT
  private slots:
    void controls();
    void browsing();
    void okTakesPictureAndOptions();
    void optionsExcludeEachOther();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void cancelChangesNothing();
    void iconBecomesBitmap();
    void previewFillsItsBoxUnlessAutoSize();
    void previewOfSvgOpensNoOtherFile_data();
    void previewOfSvgOpensNoOtherFile();
    void largePictureReduced_data();
    void largePictureReduced();
};

void tst_ImageObjectDialog::controls() {
    TGImageBrowser d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Load Image File "));
    QCOMPARE(d.findChild<QGroupBox*>("OptionsGroup")->title(), QStringLiteral(" Options "));
    auto* stretch = d.findChild<QCheckBox*>("StretchCheckBox");
    auto* autoSize = d.findChild<QCheckBox*>("AutoSizeCheckBox");
    QCOMPARE(stretch->text(), QStringLiteral("Stretch"));
    QCOMPARE(stretch->toolTip(), QStringLiteral("Stretch image to max display size"));
    QCOMPARE(autoSize->text(), QStringLiteral("AutoSize"));
    QCOMPARE(autoSize->toolTip(), QStringLiteral("AutoSize TImage"));
    for (const char* name : {"FileDialog", "HelpButton", "Preview", "PictureSize"})
        QVERIFY2(d.findChild<QWidget*>(name), name);
    QCOMPARE(d.findChild<QWidget*>("HelpButton")->property("HelpContext").toInt(), 40003);
}

void tst_ImageObjectDialog::browsing() {
    // The first dialog starts in the user's Pictures folder, as the XDG user folders name it.
    DialogFixture f;
    const QString pictures = f.file("Pictures");
    QVERIFY(QDir().mkpath(pictures));
    QVERIFY(QDir().mkpath(f.file("config")));
    f.writeFile("config/user-dirs.dirs", "XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
    qputenv("XDG_CONFIG_HOME", f.file("config").toUtf8());
    {
        TGImageBrowser d;
        QCOMPARE(QDir(d.folder()), QDir(pictures));
        auto* files = d.findChild<QFileDialog*>("FileDialog");
        const QString pictureFilter = files->nameFilters().constFirst();
        for (const char* pattern : {"*.png", "*.jpeg", "*.gif", "*.webp", "*.tif", "*.svg", "*.bmp",
                                    "*.wmf", "*.pcx", "*.tga", "*.ico"})
            QVERIFY2(pictureFilter.contains(QLatin1String(pattern)), pattern);
        QVERIFY(d.selectedFile().isEmpty());
    }
    // Once a picture is taken, the next dialog starts in its folder.
    QVERIFY(QDir().mkpath(f.file("logos")));
    f.load(f.redBitmap("logos/red.bmp", 30, 20));
    QVERIFY(!f.image->graphic().isEmpty());
    TGImageBrowser d;
    QCOMPARE(QDir(d.folder()), QDir(f.file("logos")));
    // The preview tells the picture's size in pixels.
    d.selectFile(f.file("logos/red.bmp"));
    QCOMPARE(d.findChild<QLabel*>("PictureSize")->text(), QStringLiteral("30 × 20 pixels"));
    qunsetenv("XDG_CONFIG_HOME");
}

void tst_ImageObjectDialog::okTakesPictureAndOptions() {
    DialogFixture f;
    const QString bmp = f.redBitmap("red.bmp", 30, 20);
    const int before = f.changes;
    f.load(bmp, QDialog::Accepted, true);
    QCOMPARE(f.dialogs.dialogTitles, QStringList{"Load Image File "});
    QCOMPARE(f.image->graphic().kind(), platform::Graphic::Kind::Bitmap);
    QCOMPARE(f.image->graphic().image().pixel(5, 5) | 0xFF000000, red);
    QVERIFY(f.image->autoSize());
    QVERIFY(!f.image->stretch());
    QCOMPARE(f.image->bounds(), QRect(10, 20, 30, 20));
    QVERIFY(f.changes > before);

    // Opened again, the dialog shows the object's options.
    f.dialogs.dialogs.push_back([](QDialog& d) {
        const bool shown = d.findChild<QCheckBox*>("AutoSizeCheckBox")->isChecked() &&
                           !d.findChild<QCheckBox*>("StretchCheckBox")->isChecked();
        return int(shown ? QDialog::Rejected : QDialog::Accepted);
    });
    QVERIFY(f.image->objectMenu()->trigger("Load Image From Disk"));
    QVERIFY(f.image->autoSize());
}

void tst_ImageObjectDialog::optionsExcludeEachOther() {
    TGImageBrowser d;
    auto* stretch = d.findChild<QCheckBox*>("StretchCheckBox");
    auto* autoSize = d.findChild<QCheckBox*>("AutoSizeCheckBox");
    d.setOptions(true, false);
    autoSize->setChecked(true);
    QVERIFY(!stretch->isChecked());
    stretch->setChecked(true);
    QVERIFY(!autoSize->isChecked());
    stretch->setChecked(false);
    QVERIFY(!d.stretchChecked() && !d.autoSizeChecked());

    // Both clear on "Ok": the object is not auto-sized, and Stretch stays AutoSize's
    // negation, so that the card file reads the pair back the same.
    DialogFixture f;
    f.image->setAutoSize(true);
    f.dialogs.dialogs.push_back([&f](QDialog& d) {
        dynamic_cast<TGImageBrowser&>(d).selectFile(f.redBitmap("red.bmp", 30, 20));
        d.findChild<QCheckBox*>("AutoSizeCheckBox")->setChecked(false);
        d.findChild<QCheckBox*>("StretchCheckBox")->setChecked(false);
        return int(QDialog::Accepted);
    });
    QVERIFY(f.image->objectMenu()->trigger("Load Image From Disk"));
    QVERIFY(!f.image->graphic().isEmpty());
    QVERIFY(!f.image->autoSize());
    QVERIFY(f.image->stretch());
}

void tst_ImageObjectDialog::unreadableFileChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    const QStringList error{"Error loading file!"};
    QTest::newRow("bitmap") << "broken.bmp" << error;
    QTest::newRow("bitmap, upper case") << "BROKEN.BMP" << error;
    QTest::newRow("metafile") << "broken.wmf" << error;
    QTest::newRow("JPEG: silent") << "broken.jpg" << QStringList();
    QTest::newRow("icon: silent") << "broken.ico" << QStringList();
    QTest::newRow("png") << "broken.png" << error;
    QTest::newRow(".jpeg") << "broken.jpeg" << error;
    QTest::newRow("gif") << "broken.gif" << error;
    QTest::newRow("webp") << "broken.webp" << error;
    QTest::newRow("svg") << "broken.svg" << error;
}

void tst_ImageObjectDialog::unreadableFileChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    DialogFixture f;
    f.load(f.redBitmap("red.bmp", 30, 20));
    const platform::Graphic before = f.image->graphic();
    const QRect bounds = f.image->bounds();
    const int changes = f.changes;
    const QString broken =
        f.writeFile(name, QByteArray("BM\x10\0\0\0garbage that is no picture", 32));
    bool previewEmpty = false;
    f.dialogs.dialogs.push_back([&](QDialog& d) {
        auto& browser = dynamic_cast<TGImageBrowser&>(d);
        browser.selectFile(broken);
        previewEmpty = browser.selectedFile() == broken && browser.preview().isEmpty();
        d.findChild<QCheckBox*>("AutoSizeCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    QVERIFY(f.image->objectMenu()->trigger("Load Image From Disk"));
    QVERIFY(previewEmpty);
    QCOMPARE(f.dialogs.messages, messages);
    QVERIFY(f.image->graphic() == before);
    QCOMPARE(f.image->bounds(), bounds);
    QVERIFY(!f.image->autoSize());
    QCOMPARE(f.changes, changes);
}

void tst_ImageObjectDialog::cancelChangesNothing() {
    DialogFixture f;
    const int changes = f.changes;
    f.load(f.redBitmap("red.bmp", 30, 20), QDialog::Rejected, true);
    QVERIFY(f.image->graphic().isEmpty());
    QVERIFY(!f.image->autoSize());
    QCOMPARE(f.image->bounds(), QRect(10, 20, 60, 40));
    QCOMPARE(f.changes, changes);
}

void tst_ImageObjectDialog::iconBecomesBitmap() {
    // A 16 x 16 icon whose left half is transparent and right half red.
    DialogFixture f;
    QImage art(16, 16, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            art.setPixel(x, y, red);
    const QString ico = f.file("half.ico");
    QVERIFY(art.save(ico, "ICO"));
    platform::Graphic icon;
    QVERIFY(icon.loadFromFile(ico));
    QCOMPARE(icon.kind(), platform::Graphic::Kind::Icon);

    f.load(ico, QDialog::Accepted, true);
    const platform::Graphic& g = f.image->graphic();
    QCOMPARE(g.kind(), platform::Graphic::Kind::Bitmap);
    QCOMPARE(f.image->bounds().size(), QSize(16, 16));
    QCOMPARE(g.image().pixel(2, 8) | 0xFF000000, white);
    QCOMPARE(g.image().pixel(12, 8) | 0xFF000000, red);
}

void tst_ImageObjectDialog::previewFillsItsBoxUnlessAutoSize() {
    DialogFixture f;
    TGImageBrowser d;
    d.setOptions(true, false);
    d.selectFile(f.redBitmap("small.bmp", 10, 10));
    auto* preview = d.findChild<QLabel*>("Preview");
    auto pixel = [preview](int x, int y) {
        return preview->pixmap().toImage().pixel(x, y) | 0xFF000000;
    };
    const int far = preview->width() - 5;
    QCOMPARE(pixel(2, 2), red);
    QCOMPARE(pixel(far, far), red);
    d.findChild<QCheckBox*>("AutoSizeCheckBox")->setChecked(true);
    QCOMPARE(pixel(2, 2), red);
    QCOMPARE(pixel(far, far), white);
}

void tst_ImageObjectDialog::previewOfSvgOpensNoOtherFile_data() {
    QTest::addColumn<QString>("target"); // the file the inner document names
    QTest::newRow("a picture: not copied in") << "secret.bmp";
    QTest::newRow("a FIFO: not waited on") << "pipe.bmp";
}

void tst_ImageObjectDialog::previewOfSvgOpensNoOtherFile() {
    // An SVG holding another SVG as an inline picture, whose image names a local file:
    // clicking the file shows the drawing without that file, and never waits on it.
    QFETCH(QString, target);
    DialogFixture f;
    f.redBitmap("secret.bmp", 8, 8);
    QCOMPARE(mkfifo(QFile::encodeName(f.file("pipe.bmp")).constData(), 0600), 0);
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' "
                            "xmlns:xlink='http://www.w3.org/1999/xlink' width='20' height='20'>";
    const QByteArray inner =
        head + "<image width='20' height='20' xlink:href='" + f.file(target).toUtf8() + "'/></svg>";
    const QString svg = f.writeFile(
        "nested.svg", head +
                          "<rect width='20' height='20' fill='blue'/>"
                          "<image width='20' height='20' xlink:href='data:image/svg+xml;base64," +
                          inner.toBase64() + "'/></svg>");
    TGImageBrowser d;
    d.selectFile(svg);
    QCOMPARE(d.preview().kind(), platform::Graphic::Kind::Metafile);
    const QImage shown = d.findChild<QLabel*>("Preview")->pixmap().toImage();
    QCOMPARE(shown.pixel(100, 100) | 0xFF000000, 0xFF0000FFu);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void tst_ImageObjectDialog::largePictureReduced_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes: reduced to 600 dpi") << true;
    QTest::newRow("No: kept as it came") << false;
}

void tst_ImageObjectDialog::largePictureReduced() {
    // Pictures with more pixels than their object prints at 600 dpi, placed with the
    // picture tool: the question comes once, and its answer holds for the next picture.
    QFETCH(bool, yes);
    DialogFixture f;
    const QString big = f.redBitmap("big.bmp", 1500, 1000);
    const QString wide = f.redBitmap("wide.bmp", 2000, 600);
    // Auto-sized, or with no more pixels than the object prints (60 x 40 pixels on the
    // card): nothing to ask.
    f.load(big, QDialog::Accepted, true);
    f.load(f.redBitmap("small.bmp", 300, 200), QDialog::Accepted, false);
    QCOMPARE(f.dialogs.questions, QStringList());
    QCOMPARE(f.image->graphic().image().size(), QSize(300, 200));

    f.dialogs.yesNoAnswers.push_back(yes);
    auto place = [&f](const QString& file, QPoint at) {
        f.dialogs.dialogs.push_back([file](QDialog& d) {
            dynamic_cast<TGImageBrowser&>(d).selectFile(file);
            return int(QDialog::Accepted);
        });
        f.surface->setPanelState(TGBusinessCardPanel32::psImage);
        f.click(at.x(), at.y()); // a 50 x 15 picture object
        return qobject_cast<TGImage*>(f.surface->objects().back());
    };
    const TGImage* first = place(big, {100, 100});
    const TGImage* second = place(wide, {200, 100});
    QCOMPARE(f.dialogs.questions.size(), 1);
    const double printPixels = double(TGImage::printDpi) / platform::ScreenMetrics::pixelsPerInch();
    const QSize printable(int(std::ceil(50 * printPixels)), int(std::ceil(15 * printPixels)));
    QCOMPARE(first->bounds().size(), QSize(50, 15));
    QCOMPARE(first->graphic().image().size(), yes ? printable : QSize(1500, 1000));
    QCOMPARE(second->graphic().image().size(), yes ? printable : QSize(2000, 600));
}

QTEST_MAIN(tst_ImageObjectDialog)
#include "tst_ImageObjectDialog.moc"
