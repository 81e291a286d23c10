#include "RtfReader.h"

#include "Cp1252.h"
#include "ScreenMetrics.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

enum class Dest { Text, FontTable, ColorTable, Skip };

struct CharState {
    int font = -1; // font table number; -1 is the document's default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int foreground = 0; // colour table index; 0 is the automatic colour
    int background = 0; // colour table index; 0 is none
    friend bool operator==(const CharState&, const CharState&) = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
};

struct State {
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1; // characters of fallback text after a \u character
};

struct Font {
    QString name;
    int codePage = 0; // 0: the document's code page
};

// clang-format off
enum class Kw {
    Par, Line, Tab, Plain, Pard, B, I, Ul, UlNone, Strike, Fs, F, Cf, Highlight, Ql, Qc, Qr, Qj,
    Li, Ri, Fi, Sb, Sa, U, Uc, AnsiCpg, Ansi, Mac, Pc, Pca, Deff, FontTbl, ColorTbl, Red, Green,
    Blue, FCharset, Cpg, Bin, SkipDest, Char
};
// clang-format on

struct Keyword {
    Kw kw;
    char16_t ch = 0; // the character of Kw::Char
};

const std::unordered_map<std::string_view, Keyword>& keywords() {
    // clang-format off
    static const std::unordered_map<std::string_view, Keyword> table = {
        {"par", {Kw::Par}}, {"sect", {Kw::Par}}, {"page", {Kw::Par}}, {"row", {Kw::Par}},
        {"line", {Kw::Line}}, {"tab", {Kw::Tab}}, {"cell", {Kw::Tab}},
        {"plain", {Kw::Plain}}, {"pard", {Kw::Pard}}, {"b", {Kw::B}}, {"i", {Kw::I}},
        {"ul", {Kw::Ul}}, {"uld", {Kw::Ul}}, {"uldash", {Kw::Ul}}, {"uldb", {Kw::Ul}},
        {"ulth", {Kw::Ul}}, {"ulw", {Kw::Ul}}, {"ulwave", {Kw::Ul}}, {"ulnone", {Kw::UlNone}},
        {"strike", {Kw::Strike}}, {"striked", {Kw::Strike}}, {"fs", {Kw::Fs}}, {"f", {Kw::F}},
        {"cf", {Kw::Cf}}, {"highlight", {Kw::Highlight}}, {"cb", {Kw::Highlight}},
        {"chcbpat", {Kw::Highlight}}, {"ql", {Kw::Ql}}, {"qc", {Kw::Qc}}, {"qr", {Kw::Qr}},
        {"qj", {Kw::Qj}}, {"li", {Kw::Li}}, {"ri", {Kw::Ri}}, {"fi", {Kw::Fi}}, {"sb", {Kw::Sb}},
        {"sa", {Kw::Sa}}, {"u", {Kw::U}}, {"uc", {Kw::Uc}}, {"ansicpg", {Kw::AnsiCpg}},
        {"ansi", {Kw::Ansi}}, {"mac", {Kw::Mac}}, {"pc", {Kw::Pc}}, {"pca", {Kw::Pca}},
        {"deff", {Kw::Deff}}, {"fonttbl", {Kw::FontTbl}}, {"colortbl", {Kw::ColorTbl}},
        {"red", {Kw::Red}}, {"green", {Kw::Green}}, {"blue", {Kw::Blue}},
        {"fcharset", {Kw::FCharset}}, {"cpg", {Kw::Cpg}}, {"bin", {Kw::Bin}},
        {"emdash", {Kw::Char, 0x2014}}, {"endash", {Kw::Char, 0x2013}},
        {"bullet", {Kw::Char, 0x2022}}, {"lquote", {Kw::Char, 0x2018}},
        {"rquote", {Kw::Char, 0x2019}}, {"ldblquote", {Kw::Char, 0x201C}},
        {"rdblquote", {Kw::Char, 0x201D}}, {"emspace", {Kw::Char, 0x2003}},
        {"enspace", {Kw::Char, 0x2002}},
        // Destinations whose content is not shown.
        {"stylesheet", {Kw::SkipDest}}, {"info", {Kw::SkipDest}}, {"pict", {Kw::SkipDest}},
        {"object", {Kw::SkipDest}}, {"header", {Kw::SkipDest}}, {"headerl", {Kw::SkipDest}},
        {"headerr", {Kw::SkipDest}}, {"headerf", {Kw::SkipDest}}, {"footer", {Kw::SkipDest}},
        {"footerl", {Kw::SkipDest}}, {"footerr", {Kw::SkipDest}}, {"footerf", {Kw::SkipDest}},
        {"footnote", {Kw::SkipDest}}, {"fldinst", {Kw::SkipDest}}, {"pntext", {Kw::SkipDest}},
        {"pntxta", {Kw::SkipDest}}, {"pntxtb", {Kw::SkipDest}}, {"listtext", {Kw::SkipDest}},
        {"listtable", {Kw::SkipDest}}, {"listoverridetable", {Kw::SkipDest}},
        {"revtbl", {Kw::SkipDest}}, {"rsidtbl", {Kw::SkipDest}}, {"filetbl", {Kw::SkipDest}},
        {"nonshppict", {Kw::SkipDest}}, {"annotation", {Kw::SkipDest}},
        {"xe", {Kw::SkipDest}}, {"tc", {Kw::SkipDest}}, {"template", {Kw::SkipDest}},
    };
    // clang-format on
    return table;
}

// The code page of a font's character set; 0 leaves the document's.
int charsetCodePage(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

QByteArray codePageName(int codePage) {
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 437:
    case 850:
        return "IBM" + QByteArray::number(codePage);
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Characters that only control words may make: control characters, and the paragraph and
// frame marks of a text document, which in the text would make paragraphs of their own.
bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1;
}

class Parser {
  public:
    Parser(QByteArrayView in, QTextDocument& document)
        : in_(in), cursor_(&document), ppi_(ScreenMetrics::pixelsPerInch()) {}

    void run() {
        // One edit block: the document reports its change once, not once per run.
        cursor_.beginEditBlock();
        while (pos_ < in_.size() && !done_) {
            const char c = in_[pos_++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
            case '\0':
                break;
            case '\t':
                emitText(QStringLiteral("\t"));
                break;
            default:
                byte(c);
            }
        }
        finish();
        cursor_.endEditBlock();
    }

  private:
    State& st() { return stack_.back(); }

    void openGroup() {
        flushBytes();
        skip_ = 0;
        if (stack_.empty()) {
            stack_.emplace_back();
            return;
        }
        if (int(stack_.size()) >= RtfReader::maxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(st());
    }

    void closeGroup() {
        flushBytes();
        skip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty()) return;
        if (st().dest == Dest::FontTable) commitFont();
        if (stack_.size() == 1) lastPara_ = st().para;
        stack_.pop_back();
        if (stack_.empty()) done_ = true; // the document's group is closed
    }

    // A text byte in the current code page.
    void byte(char c) {
        if (stack_.empty()) return;
        if (skip_ > 0) {
            --skip_;
            return;
        }
        bytes_.append(c);
    }

    void control() {
        flushBytes();
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const std::string_view word(in_.data() + start,
                                    size_t(std::min<qsizetype>(pos_ - start, 32)));
        bool hasParam = false;
        qint64 value = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        for (; pos_ < in_.size() && isDigit(in_[pos_]); ++pos_) {
            hasParam = true;
            if (value < 10'000'000'000) value = value * 10 + (in_[pos_] - '0');
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        const int param = int(std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX));
        if (stack_.empty()) return;
        const auto it = keywords().find(word);
        if (it == keywords().end()) {
            if (skip_ > 0) --skip_;
            return;
        }
        if (it->second.kw == Kw::Bin) { // binary data is never text
            if (param > 0) pos_ += std::min<qsizetype>(param, in_.size() - pos_);
            return;
        }
        if (skip_ > 0) {
            --skip_;
            return;
        }
        keyword(it->second, hasParam, param);
    }

    void symbol(char c) {
        if (stack_.empty()) return;
        if (c == '\'') {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (hi < 0) return;
            ++pos_;
            const int lo = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (lo < 0) return; // a lone digit is no character
            ++pos_;
            byte(char(hi * 16 + lo));
            return;
        }
        if (c == '*') {
            st().dest = Dest::Skip;
            return;
        }
        if (skip_ > 0) {
            --skip_;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            bytes_.append(c);
            break;
        case '~':
            emitText(QString(QChar(0x00A0)));
            break;
        case '-':
            emitText(QString(QChar(0x00AD)));
            break;
        case '_':
            emitText(QString(QChar(0x2011)));
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break;
        }
    }

    static bool on(bool hasParam, int param) { return !hasParam || param != 0; }
    static int twips(int v) { return std::clamp(v, -31680, 31680); } // 22 inches either way

    void keyword(const Keyword& k, bool hasParam, int param) {
        State& s = st();
        if (s.dest == Dest::Skip) return;
        CharState& ch = s.ch;
        ParaState& para = s.para;
        switch (k.kw) {
        case Kw::Par:
            paragraph();
            break;
        case Kw::Line:
            emitText(QString(QChar::LineSeparator));
            break;
        case Kw::Tab:
            emitText(QStringLiteral("\t"));
            break;
        case Kw::Char:
            emitText(QString(QChar(k.ch)));
            break;
        case Kw::Plain:
            ch = CharState();
            break;
        case Kw::Pard:
            para = ParaState();
            break;
        case Kw::B:
            ch.bold = on(hasParam, param);
            break;
        case Kw::I:
            ch.italic = on(hasParam, param);
            break;
        case Kw::Ul:
            ch.underline = on(hasParam, param);
            break;
        case Kw::UlNone:
            ch.underline = false;
            break;
        case Kw::Strike:
            ch.strike = on(hasParam, param);
            break;
        case Kw::Fs:
            if (param > 0) ch.halfPoints = std::min(param, 3276);
            break;
        case Kw::F:
            if (s.dest == Dest::FontTable) {
                commitFont();
                fontNumber_ = param;
                fonts_[param];
            } else {
                ch.font = param;
            }
            break;
        case Kw::Cf:
            ch.foreground = std::max(param, 0);
            break;
        case Kw::Highlight:
            ch.background = std::max(param, 0);
            break;
        case Kw::Ql:
            para.align = Qt::AlignLeft;
            break;
        case Kw::Qc:
            para.align = Qt::AlignHCenter;
            break;
        case Kw::Qr:
            para.align = Qt::AlignRight;
            break;
        case Kw::Qj:
            para.align = Qt::AlignJustify;
            break;
        case Kw::Li:
            para.left = twips(param);
            break;
        case Kw::Ri:
            para.right = twips(param);
            break;
        case Kw::Fi:
            para.first = twips(param);
            break;
        case Kw::Sb:
            para.before = std::clamp(param, 0, 31680);
            break;
        case Kw::Sa:
            para.after = std::clamp(param, 0, 31680);
            break;
        case Kw::U: {
            int u = param < 0 ? param + 65536 : param;
            if (u < 0 || u > 0xFFFF) u = 0xFFFD;
            emitText(QString(QChar(char16_t(u))));
            skip_ = s.uc;
            break;
        }
        case Kw::Uc:
            s.uc = std::clamp(param, 0, 16);
            break;
        case Kw::AnsiCpg:
            if (param > 0) codePage_ = param;
            break;
        case Kw::Ansi:
            codePage_ = 1252;
            break;
        case Kw::Mac:
            codePage_ = 10000;
            break;
        case Kw::Pc:
            codePage_ = 437;
            break;
        case Kw::Pca:
            codePage_ = 850;
            break;
        case Kw::Deff:
            defaultFont_ = param;
            break;
        case Kw::FontTbl:
            s.dest = Dest::FontTable;
            break;
        case Kw::ColorTbl:
            s.dest = Dest::ColorTable;
            break;
        case Kw::Red:
            color_.setRed(std::clamp(param, 0, 255));
            colorSet_ = true;
            break;
        case Kw::Green:
            color_.setGreen(std::clamp(param, 0, 255));
            colorSet_ = true;
            break;
        case Kw::Blue:
            color_.setBlue(std::clamp(param, 0, 255));
            colorSet_ = true;
            break;
        case Kw::FCharset:
            if (s.dest == Dest::FontTable) fonts_[fontNumber_].codePage = charsetCodePage(param);
            break;
        case Kw::Cpg:
            if (s.dest == Dest::FontTable && param > 0) fonts_[fontNumber_].codePage = param;
            break;
        case Kw::SkipDest:
            s.dest = Dest::Skip;
            break;
        case Kw::Bin:
            break;
        }
    }

    // --- text

    int currentCodePage() const {
        if (stack_.empty()) return codePage_;
        const State& s = stack_.back();
        if (s.dest == Dest::Text) {
            const auto it = fonts_.constFind(s.ch.font < 0 ? defaultFont_ : s.ch.font);
            if (it != fonts_.constEnd() && it->codePage != 0) return it->codePage;
        } else if (s.dest == Dest::FontTable) {
            const auto it = fonts_.constFind(fontNumber_);
            if (it != fonts_.constEnd() && it->codePage != 0) return it->codePage;
        }
        return codePage_;
    }

    void flushBytes() {
        if (bytes_.isEmpty()) return;
        const int cp = currentCodePage();
        QString text;
        if (cp != 1252) {
            auto it = decoders_.find(cp);
            if (it == decoders_.end())
                it = decoders_.emplace(cp, QStringDecoder(codePageName(cp).constData())).first;
            if (it->second.isValid()) text = it->second.decode(bytes_);
        }
        if (text.isNull()) text = Cp1252::decode(bytes_);
        bytes_.clear();
        emitText(text);
    }

    // Text for the current destination.
    void emitText(const QString& text) {
        if (stack_.empty()) return;
        switch (st().dest) {
        case Dest::Text:
            if (!(st().ch == runState_)) {
                flushRun();
                runState_ = st().ch;
            }
            run_ += text;
            trailingPar_ = false;
            break;
        case Dest::FontTable:
            for (QChar c : text) {
                if (c == QLatin1Char(';'))
                    commitFont();
                else
                    fontName_ += c;
            }
            break;
        case Dest::ColorTable:
            for (QChar c : text)
                if (c == QLatin1Char(';')) {
                    colors_.push_back(colorSet_ ? color_ : QColor());
                    color_ = QColor(0, 0, 0);
                    colorSet_ = false;
                }
            break;
        case Dest::Skip:
            break;
        }
    }

    void commitFont() {
        fontName_.removeIf(isControl);
        const QString name = fontName_.trimmed();
        fontName_.clear();
        if (!name.isEmpty()) fonts_[fontNumber_].name = name;
    }

    QColor colorAt(int index) const {
        return index > 0 && size_t(index) < colors_.size() ? colors_[size_t(index)] : QColor();
    }

    QTextCharFormat charFormat(const CharState& ch) const {
        QTextCharFormat f;
        const auto font = fonts_.constFind(ch.font < 0 ? defaultFont_ : ch.font);
        f.setFontFamilies(QStringList{font != fonts_.constEnd() && !font->name.isEmpty()
                                          ? font->name
                                          : RtfReader::fallbackFont()});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (const QColor c = colorAt(ch.foreground); c.isValid()) f.setForeground(c);
        if (const QColor c = colorAt(ch.background); c.isValid()) f.setBackground(c);
        return f;
    }

    // A document uses few distinct formats: each is made once.
    const QTextCharFormat& cachedFormat(const CharState& ch) {
        for (const auto& [state, format] : formats_)
            if (state == ch) return format;
        if (formats_.size() >= 64) formats_.clear();
        return formats_.emplace_back(ch, charFormat(ch)).second;
    }

    double toUnits(int twips) const { return twips * ppi_ / 1440.0; }

    QTextBlockFormat blockFormat(const ParaState& p) const {
        QTextBlockFormat f;
        f.setAlignment(p.align);
        f.setLeftMargin(toUnits(p.left));
        f.setRightMargin(toUnits(p.right));
        f.setTextIndent(toUnits(p.first));
        f.setTopMargin(toUnits(p.before));
        f.setBottomMargin(toUnits(p.after));
        return f;
    }

    void flushRun() {
        run_.removeIf([](QChar c) { return c != QLatin1Char('\t') && isControl(c); });
        if (run_.isEmpty()) return;
        cursor_.insertText(run_, cachedFormat(runState_));
        run_.clear();
    }

    // Ends the paragraph: the paragraph formatting in force applies to it.
    void paragraph() {
        if (stack_.empty() || st().dest != Dest::Text) return;
        flushRun();
        cursor_.setBlockFormat(blockFormat(st().para));
        cursor_.setBlockCharFormat(charFormat(st().ch));
        cursor_.insertBlock();
        trailingPar_ = true;
    }

    void finish() {
        flushBytes();
        flushRun();
        // Word processors end the last paragraph with \par too: that makes no empty one.
        if (trailingPar_ && cursor_.block().length() == 1) {
            cursor_.deletePreviousChar();
            return;
        }
        const ParaState para = stack_.empty() ? lastPara_ : st().para;
        cursor_.setBlockFormat(blockFormat(para));
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    const int ppi_;
    std::vector<State> stack_;
    int overflow_ = 0; // groups opened beyond the depth limit and not closed yet
    bool done_ = false;
    int skip_ = 0; // fallback characters still to skip
    QByteArray bytes_;
    int codePage_ = 1252;
    int defaultFont_ = 0;
    QHash<int, Font> fonts_;
    int fontNumber_ = 0;
    QString fontName_;
    std::vector<QColor> colors_;
    QColor color_{0, 0, 0};
    bool colorSet_ = false;
    std::unordered_map<int, QStringDecoder> decoders_;
    QString run_;
    CharState runState_;
    std::vector<std::pair<CharState, QTextCharFormat>> formats_;
    bool trailingPar_ = false;
    ParaState lastPara_;
};

} // namespace

void RtfReader::read(QByteArrayView rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    // Text typed into an empty document takes the font of text without a font.
    document.setDefaultFont(QFont(fallbackFont(), 12));
    Parser(rtf, document).run();
    document.setUndoRedoEnabled(undo);
}

} // namespace platform
