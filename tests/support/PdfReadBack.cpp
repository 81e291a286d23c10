#include "PdfReadBack.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>

namespace PdfReadBack {

namespace {
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

bool available() {
    for (const char* tool : {"pdftoppm", "pdftotext", "pdfimages", "pdffonts"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) return false;
    return true;
}

QImage render(const QString& pdf, int dpi, const QRect& crop, int page) {
    const QString prefix = pdf + QStringLiteral(".page");
    QStringList args{"-r", QString::number(dpi),  "-f",          QString::number(page),
                     "-l", QString::number(page), "-singlefile", "-png"};
    if (!crop.isEmpty())
        args << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
             << QString::number(crop.width()) << "-H" << QString::number(crop.height());
    run(QStringLiteral("pdftoppm"), args << pdf << prefix);
    return QImage(prefix + QStringLiteral(".png"));
}

QString text(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {pdf, "-"});
}

std::vector<Word> words(const QString& pdf) {
    static const QRegularExpression word(QStringLiteral(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    std::vector<Word> out;
    const QString xml = run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        out.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return out;
}

QString fonts(const QString& pdf) {
    return run(QStringLiteral("pdffonts"), {pdf});
}

QMap<int, int> embeddedImages(const QString& pdf) {
    QMap<int, int> images;
    const QStringList lines =
        run(QStringLiteral("pdfimages"), {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) { // after two header lines
        const QStringList cols = line.simplified().split(' ');
        if (cols.size() > 10) images.insert(cols[10].toInt(), cols[3].toInt());
    }
    return images;
}

QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink, const QRect& window) {
    QRect r;
    const QRect w = window.isEmpty() ? image.rect() : window & image.rect();
    for (int y = w.top(); y <= w.bottom(); ++y)
        for (int x = w.left(); x <= w.right(); ++x)
            if (ink(image.pixel(x, y))) r |= QRect(x, y, 1, 1);
    return r;
}

bool dark(QRgb pixel) {
    return qGray(pixel) < 100;
}

QString edgesOff(const QRect& ink, const QRectF& expected) {
    if (std::abs(ink.left() - expected.left()) <= 1.5 &&
        std::abs(ink.top() - expected.top()) <= 1.5 &&
        std::abs(ink.right() + 1 - expected.right()) <= 1.5 &&
        std::abs(ink.bottom() + 1 - expected.bottom()) <= 1.5)
        return {};
    return QStringLiteral("ink at %1,%2 %3x%4")
        .arg(ink.x())
        .arg(ink.y())
        .arg(ink.width())
        .arg(ink.height());
}

} // namespace PdfReadBack
