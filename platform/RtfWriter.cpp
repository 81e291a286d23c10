#include "RtfWriter.h"

#include "Cp1252.h"
#include "ScreenMetrics.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>
#include <vector>

namespace platform {

namespace {

class Writer {
  public:
    explicit Writer(const QTextDocument& document)
        : doc_(document), ppi_(ScreenMetrics::pixelsPerInch()) {}

    QByteArray write() {
        QByteArray body;
        bool first = true;
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
            if (!first) body += "\\par\n";
            first = false;
            paragraph(block, body);
        }
        body += "\\par\n";
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (size_t i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + QByteArray::number(qulonglong(i)) + "\\fnil\\fcharset0 ";
            text(fonts_[i], out);
            out += ";}";
        }
        out += "}\n{\\colortbl;";
        for (const QColor& c : colors_)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" +
                   QByteArray::number(c.green()) + "\\blue" + QByteArray::number(c.blue()) + ';';
        out += "}\n";
        out += body;
        out += "}\n";
        return out;
    }

  private:
    int twips(qreal units) const { return int(std::lround(units * 1440.0 / ppi_)); }

    void number(const char* word, int value, QByteArray& out) {
        if (value == 0) return;
        out += word;
        out += QByteArray::number(value);
    }

    void paragraph(const QTextBlock& block, QByteArray& out) {
        const QTextBlockFormat f = block.blockFormat();
        out += "\\pard";
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignJustify)
            out += "\\qj";
        else if (a & Qt::AlignHCenter)
            out += "\\qc";
        else if (a & Qt::AlignRight)
            out += "\\qr";
        else
            out += "\\ql";
        number("\\li", twips(f.leftMargin()), out);
        number("\\ri", twips(f.rightMargin()), out);
        number("\\fi", twips(f.textIndent()), out);
        number("\\sb", twips(f.topMargin()), out);
        number("\\sa", twips(f.bottomMargin()), out);
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            run(fragment.charFormat(), out);
            text(fragment.text(), out);
            any = true;
        }
        // An empty paragraph keeps its size and font through its paragraph mark.
        if (!any) run(block.charFormat(), out);
    }

    void run(const QTextCharFormat& f, QByteArray& out) {
        const QStringList families = f.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? doc_.defaultFont().family() : families.first();
        out += "\\plain\\f" + QByteArray::number(index(fonts_, family));
        const qreal points = f.hasProperty(QTextFormat::FontPointSize)
                                 ? f.fontPointSize()
                                 : doc_.defaultFont().pointSizeF();
        out += "\\fs" + QByteArray::number(std::max(1, int(std::lround(points * 2))));
        if (f.fontWeight() > QFont::Medium) out += "\\b";
        if (f.fontItalic()) out += "\\i";
        if (f.fontUnderline()) out += "\\ul";
        if (f.fontStrikeOut()) out += "\\strike";
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            out += "\\cf" + QByteArray::number(index(colors_, f.foreground().color()) + 1);
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            out += "\\highlight" + QByteArray::number(index(colors_, f.background().color()) + 1);
        out += ' ';
    }

    template <class T> static int index(std::vector<T>& table, const T& value) {
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i] == value) return int(i);
        table.push_back(value);
        return int(table.size() - 1);
    }

    static void text(const QString& s, QByteArray& out) {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const char16_t u = s[i].unicode();
            switch (u) {
            case '\\':
                out += "\\\\";
                continue;
            case '{':
                out += "\\{";
                continue;
            case '}':
                out += "\\}";
                continue;
            case '\t':
                out += "\\tab ";
                continue;
            case 0x2028:
                out += "\\line ";
                continue;
            case 0x00A0:
                out += "\\~";
                continue;
            case 0x00AD:
                out += "\\-";
                continue;
            case 0x2011:
                out += "\\_";
                continue;
            default:
                break;
            }
            if (u >= 0x20 && u < 0x80) {
                out += char(u);
                continue;
            }
            if (u < 0x20) continue; // control characters have no place in the text
            if (const auto b = Cp1252::encode(QString(QChar(u)))) {
                out += "\\'" + b->toHex();
                continue;
            }
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }

    const QTextDocument& doc_;
    const int ppi_;
    std::vector<QString> fonts_;
    std::vector<QColor> colors_;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document) {
    return Writer(document).write();
}

} // namespace platform
