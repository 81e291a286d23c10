#include "platform/richtext/RtfWriter.h"

#include "platform/drawing/Cp1252.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/richtext/RtfKept.h"
#include "platform/richtext/RtfPicture.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <vector>

namespace platform {

namespace {

struct FontEntry {
    QString name;
    QString family;
    friend bool operator==(const FontEntry&, const FontEntry&) = default;
};

class Writer {
  public:
    explicit Writer(const QTextDocument& document)
        : doc_(document), ppi_(ScreenMetrics::pixelsPerInch()) {}

    QByteArray write() {
        QByteArray body;
        frame(*doc_.rootFrame(), body);
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deftab" +
                         QByteArray::number(twips(doc_.defaultTextOption().tabStopDistance())) +
                         "\n{\\fonttbl";
        for (size_t i = 0; i < fonts_.size(); ++i) {
            const QString family =
                fonts_[i].family.isEmpty() ? QStringLiteral("nil") : fonts_[i].family;
            out += "{\\f" + QByteArray::number(qulonglong(i)) + "\\f" + family.toLatin1() +
                   "\\fcharset0 ";
            RtfWriter::escape(fonts_[i].name, out);
            out += ";}";
        }
        out += "}\n{\\colortbl;";
        for (const QColor& c : colors_)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" +
                   QByteArray::number(c.green()) + "\\blue" + QByteArray::number(c.blue()) + ';';
        out += "}\n";
        listTables(out);
        out += doc_.rootFrame()->frameFormat().property(RtfKept::DocumentHeader).toByteArray();
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

    // Every paragraph ends with \par, the last one too, as word processors write it.
    void frame(const QTextFrame& frame, QByteArray& out) {
        for (auto it = frame.begin(); !it.atEnd(); ++it) {
            if (const auto* t = qobject_cast<const QTextTable*>(it.currentFrame())) {
                table(*t, out);
            } else if (const QTextFrame* child = it.currentFrame()) {
                this->frame(*child, out);
            } else if (!beforeTable(it)) {
                paragraph(it.currentBlock(), false, out);
                out += "\\par\n";
            }
        }
    }

    // The empty block a table follows is not a paragraph of the text: RtfReader makes it
    // again with the table.
    static bool beforeTable(QTextFrame::iterator it) {
        if (it.currentBlock().length() != 1) return false;
        ++it;
        return !it.atEnd() && qobject_cast<const QTextTable*>(it.currentFrame());
    }

    void table(const QTextTable& t, QByteArray& out) {
        const QTextTableFormat f = t.format();
        const QList<QTextLength> widths = f.columnWidthConstraints();
        for (int r = 0; r < t.rows(); ++r) {
            out += "\\trowd";
            int x = 0;
            for (int c = 0; c < t.columns(); ++c) {
                const QTextTableCellFormat cell = t.cellAt(r, c).format().toTableCellFormat();
                if (f.border() > 0)
                    out += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brd"
                           "rw10"
                           "\\clbrdrr\\brdrs\\brdrw10";
                if (cell.hasProperty(QTextFormat::BackgroundBrush))
                    out += "\\clcbpat" +
                           QByteArray::number(index(colors_, cell.background().color()) + 1);
                const QTextLength w = widths.value(c);
                x += w.type() == QTextLength::FixedLength ? twips(w.rawValue()) : 1440;
                out += "\\cellx" + QByteArray::number(x);
            }
            out += '\n';
            for (int c = 0; c < t.columns(); ++c)
                cell(t.cellAt(r, c), out);
            out += "\\row\n";
        }
    }

    void cell(const QTextTableCell& cell, QByteArray& out) {
        bool first = true;
        for (QTextBlock b = doc_.findBlock(cell.firstPosition());
             b.isValid() && b.position() <= cell.lastPosition(); b = b.next()) {
            if (!first) out += "\\par\n";
            first = false;
            paragraph(b, true, out);
        }
        out += "\\cell\n";
    }

    void paragraph(const QTextBlock& block, bool inTable, QByteArray& out) {
        const QTextBlockFormat f = block.blockFormat();
        out += inTable ? "\\pard\\intbl" : "\\pard";
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
        number("\\fi", block.textList() && !inTable ? -360 : twips(f.textIndent()), out);
        number("\\sb", twips(f.topMargin()), out);
        number("\\sa", twips(f.bottomMargin()), out);
        spacing(f, out);
        tabs(f, out);
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            out += "\\cbpat" + QByteArray::number(index(colors_, f.background().color()) + 1);
        listItem(block, inTable, out);
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            fragmentRtf(fragment, out);
            any = true;
        }
        field({}, out);
        // An empty paragraph keeps its size and font through its paragraph mark.
        if (!any) run(block.charFormat(), out);
    }

    void spacing(const QTextBlockFormat& f, QByteArray& out) {
        switch (QTextBlockFormat::LineHeightTypes(f.lineHeightType())) {
        case QTextBlockFormat::ProportionalHeight:
            if (f.lineHeight() != 100)
                out +=
                    "\\sl" + QByteArray::number(qRound(f.lineHeight() * 240 / 100)) + "\\slmult1";
            break;
        case QTextBlockFormat::MinimumHeight:
            number("\\sl", twips(f.lineHeight()), out);
            out += "\\slmult0";
            break;
        case QTextBlockFormat::FixedHeight:
            number("\\sl", -twips(f.lineHeight()), out);
            out += "\\slmult0";
            break;
        default:
            break;
        }
    }

    void tabs(const QTextBlockFormat& f, QByteArray& out) {
        for (const QTextOption::Tab& t : f.tabPositions()) {
            if (t.type == QTextOption::RightTab) out += "\\tqr";
            if (t.type == QTextOption::CenterTab) out += "\\tqc";
            if (t.type == QTextOption::DelimiterTab) out += "\\tqdec";
            out += "\\tx" + QByteArray::number(twips(t.position));
        }
    }

    void fragmentRtf(const QTextFragment& fragment, QByteArray& out) {
        const QTextCharFormat f = fragment.charFormat();
        field(f.property(RtfKept::FieldInstruction).toByteArray(), out);
        run(f, out);
        if (f.isImageFormat()) {
            const QTextImageFormat image = f.toImageFormat();
            QByteArray rtf = RtfKept::bytes(f);
            if (rtf.isEmpty()) rtf = newPicture(image);
            for (int i = 0; i < fragment.length(); ++i)
                out += rtf;
            return;
        }
        if (f.objectType() == RtfKept::objectType) {
            for (int i = 0; i < fragment.length(); ++i)
                out += RtfKept::bytes(f);
            return;
        }
        RtfWriter::escape(fragment.text(), out);
    }

    QByteArray newPicture(const QTextImageFormat& f) const {
        const QImage image =
            doc_.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        if (image.isNull()) return {};
        const QSizeF units(f.width() > 0 ? f.width() : image.width(),
                           f.height() > 0 ? f.height() : image.height());
        return RtfPicture::write(image, units * 1440.0 / ppi_);
    }

    // Opens and closes field groups around the runs of a field's result.
    void field(const QByteArray& instruction, QByteArray& out) {
        if (instruction == field_) return;
        if (!field_.isEmpty()) out += "}}";
        field_ = instruction;
        if (!field_.isEmpty()) out += "{\\field" + field_ + "{\\fldrslt ";
    }

    void run(const QTextCharFormat& f, QByteArray& out) {
        const QStringList families = f.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? doc_.defaultFont().family() : families.first();
        const FontEntry font{family, f.property(RtfKept::FontFamily).toString()};
        out += "\\plain\\f" + QByteArray::number(index(fonts_, font));
        const qreal points = f.hasProperty(QTextFormat::FontPointSize)
                                 ? f.fontPointSize()
                                 : doc_.defaultFont().pointSizeF();
        out += "\\fs" + QByteArray::number(std::max(1, int(std::lround(points * 2))));
        if (f.fontWeight() > QFont::Medium) out += "\\b";
        if (f.fontItalic()) out += "\\i";
        if (f.fontUnderline()) out += "\\ul";
        if (f.fontStrikeOut()) out += "\\strike";
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) out += "\\super";
        if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) out += "\\sub";
        const int raise = int(std::lround(f.baselineOffset() * points * 2 / 100));
        if (raise > 0) out += "\\up" + QByteArray::number(raise);
        if (raise < 0) out += "\\dn" + QByteArray::number(-raise);
        if (f.fontCapitalization() == QFont::AllUppercase) out += "\\caps";
        if (f.fontCapitalization() == QFont::SmallCaps) out += "\\scaps";
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            out += "\\cf" + QByteArray::number(index(colors_, f.foreground().color()) + 1);
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            out += "\\highlight" + QByteArray::number(index(colors_, f.background().color()) + 1);
        out += ' ';
    }

    // --- lists: one list definition and override per QTextList, numbered from 1.

    // A list item in a table cell is written as its text: readers tell lists in cells
    // apart less well than lists in the text.
    void listItem(const QTextBlock& block, bool inTable, QByteArray& out) {
        QTextList* list = block.textList();
        if (!list) return;
        if (!inTable)
            out += "\\ls" + QByteArray::number(index(lists_, list) + 1) + "\\ilvl0{\\listtext";
        // The number takes the format of the paragraph's text, as word processors draw it.
        const QTextBlock::iterator first = block.begin();
        run(first.atEnd() ? block.charFormat() : first.fragment().charFormat(), out);
        const bool bullet = list->format().style() > QTextListFormat::ListDecimal;
        RtfWriter::escape(
            (bullet ? QString(QChar(0x2022)) : list->itemText(block)) + QLatin1Char('\t'), out);
        if (!inTable) out += '}';
    }

    static int levelNfc(QTextListFormat::Style style) {
        switch (style) {
        case QTextListFormat::ListDecimal:
            return 0;
        case QTextListFormat::ListUpperRoman:
            return 1;
        case QTextListFormat::ListLowerRoman:
            return 2;
        case QTextListFormat::ListUpperAlpha:
            return 3;
        case QTextListFormat::ListLowerAlpha:
            return 4;
        default:
            return 23;
        }
    }

    // A numbered level's text: its length, the text before the number, the number (level 0)
    // and the text after it; \levelnumbers says where the number stands.
    static void levelText(const QString& prefix, const QString& suffix, QByteArray& out) {
        const auto hex = [](qsizetype n) {
            return "\\'" + QByteArray::number(qulonglong(std::min<qsizetype>(n, 255)), 16)
                               .rightJustified(2, '0');
        };
        out += "{\\leveltext" + hex(prefix.size() + 1 + suffix.size());
        RtfWriter::escape(prefix, out);
        out += "\\'00";
        RtfWriter::escape(suffix, out);
        out += ";}{\\levelnumbers" + hex(prefix.size() + 1) + ";}";
    }

    void listTables(QByteArray& out) const {
        if (lists_.empty()) return;
        out += "{\\*\\listtable";
        for (size_t i = 0; i < lists_.size(); ++i) {
            const QTextListFormat format = lists_[i]->format();
            const int nfc = levelNfc(format.style());
            const QByteArray id = QByteArray::number(qulonglong(i + 1));
            out += "{\\list\\listtemplateid" + id + "\\listsimple{\\listlevel\\levelnfc" +
                   QByteArray::number(nfc) + "\\leveljc0\\levelfollow0\\levelstartat1";
            if (nfc == 23)
                out += "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}";
            else
                levelText(format.numberPrefix(),
                          // Qt puts a "." after the number unless the list says otherwise.
                          format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                                            : QStringLiteral("."),
                          out);
            out += "\\fi-360\\li720}\\listid" + id + "}";
        }
        out += "}\n{\\*\\listoverridetable";
        for (size_t i = 0; i < lists_.size(); ++i) {
            const QByteArray id = QByteArray::number(qulonglong(i + 1));
            out += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + "}";
        }
        out += "}\n";
    }

    template <class T> static int index(std::vector<T>& table, const T& value) {
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i] == value) return int(i);
        table.push_back(value);
        return int(table.size() - 1);
    }

    const QTextDocument& doc_;
    const int ppi_;
    std::vector<FontEntry> fonts_;
    std::vector<QColor> colors_;
    std::vector<QTextList*> lists_;
    QByteArray field_; // the instruction of the field open in the output
};

} // namespace

void RtfWriter::escape(const QString& s, QByteArray& out) {
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
        if (u < 0x20 || u == QChar::ObjectReplacementCharacter) continue;
        if (const auto b = Cp1252::encode(QString(QChar(u)))) {
            out += "\\'" + b->toHex();
            continue;
        }
        out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
}

QByteArray RtfWriter::write(const QTextDocument& document) {
    return Writer(document).write();
}

} // namespace platform
