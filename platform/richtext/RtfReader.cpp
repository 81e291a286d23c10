#include "platform/richtext/RtfReader.h"

#include "platform/drawing/Cp1252.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/richtext/RtfGroup.h"
#include "platform/richtext/RtfKept.h"
#include "platform/richtext/RtfKeywords.h"
#include "platform/richtext/RtfPicture.h"
#include "platform/richtext/RtfTableBuilder.h"
#include "platform/richtext/RtfWriter.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

using Kw = RtfKeywords::Kw;
using Keyword = RtfKeywords::Keyword;

enum class Dest { Text, FontTable, ColorTable, ListTable, ListOverrides, Skip };

struct CharState {
    int font = -1; // font table number; -1 is the document's default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    int foreground = 0; // colour table index; 0 is the automatic colour
    int background = 0; // colour table index; 0 is none
    int script = 0;     // 1 superscript, 2 subscript
    int raise = 0;      // half-points up (down when negative)
    int caps = 0;       // 1 all capitals, 2 small capitals
    QByteArray field;   // the instruction group of the field whose result this is
    friend bool operator==(const CharState&, const CharState&) = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
    int lineSpacing = 0;                                       // \sl
    bool multiple = false;                                     // \slmult1
    int pattern = 0, shading = 0;                              // \cbpat, \shading
    std::vector<QTextOption::Tab> tabs;                        // positions in twips
    int tabKind = 0;                                           // of the next \tx
    int list = 0, level = 0;                                   // \ls, \ilvl
    bool inTable = false;                                      // \intbl
};

struct State {
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    bool levelText = false; // the text is a list level's \leveltext
    int uc = 1;             // characters of fallback text after a \u character
    qsizetype word = 0;     // where the group's destination word stands
    bool starred = false;   // "\*": the group is a destination to pass over unless known
    bool fieldGroup = false;
    qsizetype fieldText = 0; // the text emitted when the field's group opened
};

struct Font {
    QString name;
    int codePage = 0; // 0: the document's code page
    int family = 0;   // RtfKeywords family kind
};

// A level of a list definition: its number format (\levelnfc) and its text (\leveltext:
// a length, then the text with the level's number as the character of its level index).
struct ListLevel {
    int nfc = 0;
    QString text;
};

struct ListDef {
    int id = 0;
    std::vector<ListLevel> levels;
};

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

// Characters that only control words may make: control characters, and the paragraph and
// frame marks of a text document, which in the text would make paragraphs of their own.
bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1 ||
           u == QChar::ObjectReplacementCharacter;
}

// The list style of a \levelnfc number format; nullopt for one drawn only as its text.
std::optional<QTextListFormat::Style> listStyle(int nfc) {
    switch (nfc) {
    case 0:
    case 22:
        return QTextListFormat::ListDecimal;
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return QTextListFormat::ListDisc;
    default:
        return std::nullopt;
    }
}

// The list format of a list level: its style, and for numbers the text around the level's
// number. A text that shows the numbers of other levels as well ("1.2.") keeps Qt's suffix.
std::optional<QTextListFormat> listFormat(const ListLevel& level, int index) {
    const std::optional<QTextListFormat::Style> style = listStyle(level.nfc);
    if (!style) return std::nullopt;
    QTextListFormat f;
    f.setStyle(*style);
    f.setIndent(0);
    // The text after its length, up to the ";" that ends it.
    QString text = level.text.mid(1);
    if (const qsizetype end = text.lastIndexOf(QLatin1Char(';')); end >= 0) text.truncate(end);
    const auto levelNumber = [](QChar c) { return c.unicode() < 9; };
    const qsizetype number = text.indexOf(QChar(index));
    if (*style > QTextListFormat::ListDecimal || number < 0 ||
        std::count_if(text.cbegin(), text.cend(), levelNumber) != 1)
        return f;
    // At most 32 characters (a pair of surrogates kept whole) on either side: the writer
    // writes back all of it, so that it reads back the same.
    const auto shown = [](QString part) {
        part.removeIf(isControl);
        if (part.size() > 32) part.truncate(part[31].isHighSurrogate() ? 31 : 32);
        return part;
    };
    f.setNumberPrefix(shown(text.left(number)));
    f.setNumberSuffix(shown(text.mid(number + 1)));
    return f;
}

QTextOption::TabType tabType(int kind) {
    switch (kind) {
    case 1:
        return QTextOption::RightTab;
    case 2:
        return QTextOption::CenterTab;
    case 3:
        return QTextOption::DelimiterTab;
    default:
        return QTextOption::LeftTab;
    }
}
class Parser {
  public:
    Parser(QByteArrayView in, QTextDocument& document)
        : in_(in), doc_(document), cursor_(&document), ppi_(ScreenMetrics::pixelsPerInch()),
          tables_(ppi_ / 1440.0) {}

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
                flushBytes();
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
        st().starred = false;
        st().fieldGroup = false;
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
        // A field with nothing in its result is kept as it was written.
        if (st().fieldGroup && textCount_ == st().fieldText) {
            State outer = st();
            outer.ch.field.clear();
            keep("{" + in_.sliced(st().word, pos_ - st().word).toByteArray(), outer.ch);
        }
        if (stack_.size() == 1) last_ = st();
        stack_.pop_back();
        if (stack_.empty()) done_ = true; // the document's group is closed
    }

    // A text byte in the current code page.
    void byte(char c) {
        if (stack_.empty()) return;
        st().starred = false; // "\*" marks the control word that follows it, not text
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
        if (!RtfGroup::isLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const qsizetype start = pos_;
        word_ = start - 1;
        while (pos_ < in_.size() && RtfGroup::isLetter(in_[pos_]))
            ++pos_;
        const std::string_view word(in_.data() + start,
                                    size_t(std::min<qsizetype>(pos_ - start, 32)));
        bool hasParam = false;
        const int param = RtfGroup::parameter(in_, pos_, &hasParam);
        if (stack_.empty()) return;
        const Keyword* k = RtfKeywords::find(word);
        if (k && k->kw == Kw::Bin) { // binary data is never text
            if (param > 0) pos_ += std::min<qsizetype>(param, in_.size() - pos_);
            return;
        }
        if (st().starred && overflow_ == 0 && !knownDestination(k)) {
            keepGroup(Kw::Kept);
            return;
        }
        if (!k) {
            if (skip_ > 0) --skip_;
            return;
        }
        if (skip_ > 0) {
            --skip_;
            return;
        }
        keyword(*k, hasParam, param);
    }

    static bool knownDestination(const Keyword* k) {
        if (!k) return false;
        switch (k->kw) {
        case Kw::ListTable:
        case Kw::ListOverrideTable:
        case Kw::FldInst:
        case Kw::Container:
        case Kw::Dropped:
        case Kw::Pict:
            return true;
        default:
            return false;
        }
    }

    void symbol(char c) {
        if (stack_.empty()) return;
        if (c == '\'') {
            const int hi = pos_ < in_.size() ? RtfGroup::hexValue(in_[pos_]) : -1;
            if (hi < 0) return;
            ++pos_;
            const int lo = pos_ < in_.size() ? RtfGroup::hexValue(in_[pos_]) : -1;
            if (lo < 0) return; // a lone digit is no character
            ++pos_;
            byte(char(hi * 16 + lo));
            return;
        }
        if (c == '*') {
            // Only a group inside the document's can be a destination.
            st().starred = stack_.size() > 1;
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

    // --- groups passed over as a whole

    // The group the current keyword opened ends here; it is kept where it stood in the
    // text (or before the text) as written, or dropped when `kind` says so, or when it is
    // not in the text. What comes of it is returned for the keyword to use.
    QByteArray keepGroup(Kw kind) {
        if (overflow_ > 0) { // beyond the depth limit: read on with the deepest formatting
            st().dest = Dest::Skip;
            return {};
        }
        if (stack_.size() == 1) return {}; // a destination word out of place: ignored
        const qsizetype end = RtfGroup::end(in_, pos_);
        const State group = st();
        pos_ = end < 0 ? in_.size() : end;
        stack_.pop_back();
        if (stack_.empty()) done_ = true;
        if (end < 0 || group.dest != Dest::Text) return {};
        // From the destination's word: text before it in the group has been read as text.
        QByteArray rtf =
            (group.starred ? "{\\*" : "{") + in_.sliced(word_, end - word_).toByteArray();
        if (kind == Kw::Kept) keep(rtf, group.ch);
        return rtf;
    }

    void keep(const QByteArray& rtf, const CharState& ch) {
        ++textCount_;
        if (!bodyStarted_) {
            header_ += rtf;
            return;
        }
        flushRun();
        // Unshown RTF makes no new table row or column: it goes where the cursor stands or
        // into a cell of the table that ended cells have reached, as text would.
        tables_.placeWithin(cursor_, !stack_.empty() && st().para.inTable);
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter),
                           RtfKept::format(cachedFormat(ch), rtf));
    }

    void picture() {
        const CharState ch = st().ch;
        const QByteArray rtf = keepGroup(Kw::Pict);
        if (rtf.isEmpty()) return;
        const std::optional<RtfPicture> picture = RtfPicture::read(rtf);
        if (!picture) {
            keep(rtf, ch);
            return;
        }
        flushRun();
        place();
        bodyStarted_ = true;
        ++textCount_;
        const QString name = QStringLiteral("rtf-picture:%1").arg(++pictures_);
        doc_.addResource(QTextDocument::ImageResource, QUrl(name), picture->image);
        QTextImageFormat f;
        f.merge(cachedFormat(ch));
        f.setObjectType(QTextFormat::ImageObject);
        f.setName(name);
        f.setWidth(toUnits(picture->twips.width()));
        f.setHeight(toUnits(picture->twips.height()));
        f.setProperty(RtfKept::Bytes, rtf);
        cursor_.insertImage(f);
    }

    static bool on(bool hasParam, int param) { return !hasParam || param != 0; }
    static int twips(int v) { return std::clamp(v, -31680, 31680); } // 22 inches either way

    void keyword(const Keyword& k, bool hasParam, int param) {
        State& s = st();
        if (s.dest == Dest::Skip) return;
        if (destination(k)) return;
        if (s.dest == Dest::ListTable || s.dest == Dest::ListOverrides) {
            listKeyword(k.kw, param);
            return;
        }
        if (!charKeyword(k, hasParam, param) && !paraKeyword(k, param)) docKeyword(k, param);
    }

    // Keywords that open a destination; true when `k` was one.
    bool destination(const Keyword& k) {
        State& s = st();
        switch (k.kw) {
        case Kw::FontTbl:
            s.dest = Dest::FontTable;
            return true;
        case Kw::ColorTbl:
            s.dest = Dest::ColorTable;
            return true;
        case Kw::ListTable:
            s.dest = Dest::ListTable;
            return true;
        case Kw::ListOverrideTable:
            s.dest = Dest::ListOverrides;
            return true;
        case Kw::Kept:
        case Kw::Dropped:
            keepGroup(k.kw);
            return true;
        case Kw::Pict:
            picture();
            return true;
        case Kw::FldInst: {
            const QByteArray rtf = keepGroup(Kw::FldInst);
            if (!stack_.empty()) st().ch.field = rtf;
            return true;
        }
        case Kw::Field:
            s.fieldGroup = s.dest == Dest::Text;
            s.fieldText = textCount_;
            s.word = word_;
            return true;
        case Kw::ListText:
            // The number or bullet of a list paragraph is drawn by the list; the text
            // stands in for a list the document does not define.
            // Writers put it before or after the paragraph's \ls: a document with list
            // definitions numbers its lists itself.
            if (listOf(s.para) || (!overrides_.empty() && !s.para.inTable)) keepGroup(Kw::Dropped);
            return true;
        case Kw::FldRslt:
        case Kw::Container:
            return true;
        default:
            return false;
        }
    }

    bool charKeyword(const Keyword& k, bool hasParam, int param) {
        CharState& ch = st().ch;
        switch (k.kw) {
        case Kw::Plain: {
            QByteArray field = ch.field;
            ch = CharState();
            ch.field = field;
            break;
        }
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
        case Kw::Hidden:
            ch.hidden = on(hasParam, param);
            break;
        case Kw::Fs:
            if (param > 0) ch.halfPoints = std::min(param, 3276);
            break;
        case Kw::Cf:
            ch.foreground = std::max(param, 0);
            break;
        case Kw::Highlight:
            ch.background = std::max(param, 0);
            break;
        case Kw::Super:
            ch.script = 1;
            break;
        case Kw::Sub:
            ch.script = 2;
            break;
        case Kw::NoSuperSub:
            ch.script = 0;
            break;
        case Kw::Up:
            ch.raise = std::clamp(hasParam ? param : 6, 0, 3276);
            break;
        case Kw::Dn:
            ch.raise = -std::clamp(hasParam ? param : 6, 0, 3276);
            break;
        case Kw::Caps:
            ch.caps = on(hasParam, param) ? 1 : 0;
            break;
        case Kw::SmallCaps:
            ch.caps = on(hasParam, param) ? 2 : 0;
            break;
        case Kw::F:
            if (st().dest != Dest::FontTable) {
                ch.font = param;
                break;
            }
            commitFont();
            fontNumber_ = param;
            fonts_[param];
            break;
        default:
            return false;
        }
        return true;
    }

    bool paraKeyword(const Keyword& k, int param) {
        ParaState& para = st().para;
        switch (k.kw) {
        case Kw::Pard:
            para = ParaState();
            if (st().dest == Dest::Text) bodyStarted_ = true;
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
        case Kw::Sl:
            para.lineSpacing = twips(param);
            break;
        case Kw::SlMult:
            para.multiple = param != 0;
            break;
        case Kw::CbPat:
            para.pattern = std::max(param, 0);
            break;
        case Kw::Shading:
            para.shading = std::clamp(param, 0, 10000);
            break;
        case Kw::TabKind:
            para.tabKind = k.ch;
            break;
        case Kw::Tx:
            if (para.tabs.size() < 64)
                para.tabs.push_back(QTextOption::Tab(std::clamp(param, 0, 31680),
                                                     tabType(para.tabKind), QLatin1Char('.')));
            para.tabKind = 0;
            break;
        case Kw::Ls:
            para.list = std::max(param, 0);
            break;
        case Kw::Ilvl:
            para.level = std::clamp(param, 0, 8);
            break;
        case Kw::Intbl:
            para.inTable = true;
            break;
        default:
            return false;
        }
        return true;
    }

    void docKeyword(const Keyword& k, int param) {
        State& s = st();
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
        case Kw::Trowd:
            s.para.list = 0; // a table row is no list item
            tables_.defineRow();
            break;
        case Kw::Cellx:
            tables_.cellBoundary(param);
            break;
        case Kw::ClCbPat:
            tables_.cellShading(colorAt(param));
            break;
        case Kw::Border:
            tables_.border();
            break;
        case Kw::Cell:
            endCell();
            break;
        case Kw::Row:
            if (s.dest == Dest::Text) tables_.endRow();
            break;
        case Kw::DefTab:
            if (param > 0) defaultTab_ = std::min(param, 31680);
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
        case Kw::FontFamily:
            if (s.dest == Dest::FontTable) fonts_[fontNumber_].family = k.ch;
            break;
        default:
            break;
        }
    }

    // --- lists

    void listKeyword(Kw kw, int param) {
        switch (kw) {
        case Kw::List:
            if (st().dest == Dest::ListTable && lists_.size() < 1024) lists_.emplace_back();
            break;
        case Kw::ListLevel:
            if (!lists_.empty() && lists_.back().levels.size() < 9)
                lists_.back().levels.emplace_back();
            break;
        case Kw::LevelNfc:
            if (!lists_.empty() && !lists_.back().levels.empty())
                lists_.back().levels.back().nfc = param;
            break;
        case Kw::LevelText:
            st().levelText = true;
            break;
        case Kw::ListId:
            if (st().dest == Dest::ListTable && !lists_.empty())
                lists_.back().id = param;
            else if (st().dest == Dest::ListOverrides)
                overrideList_ = param;
            break;
        case Kw::Ls:
            if (st().dest == Dest::ListOverrides) overrides_[param] = overrideList_;
            break;
        default:
            break;
        }
    }

    // The style of the paragraph's list and level, nullopt when the document does not
    // define it.
    // Lists in table cells are drawn as their list text.
    std::optional<QTextListFormat> listOf(const ParaState& para) const {
        if (para.list <= 0 || para.inTable) return std::nullopt;
        const auto o = overrides_.find(para.list);
        if (o == overrides_.end()) return std::nullopt;
        for (const ListDef& def : lists_)
            if (def.id == o->second)
                return size_t(para.level) < def.levels.size()
                           ? listFormat(def.levels[size_t(para.level)], para.level)
                           : std::nullopt;
        return std::nullopt;
    }

    // Puts the current block into its list: paragraphs of one list and level make one.
    void joinList(const ParaState& para) {
        if (para.list <= 0) return;
        const std::optional<QTextListFormat> format = listOf(para);
        if (!format) return;
        QPointer<QTextList>& list = textLists_[{para.list, para.level}];
        if (list) {
            list->add(cursor_.block());
            return;
        }
        list = cursor_.createList(*format);
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
        st().starred = false;
        switch (st().dest) {
        case Dest::Text:
            if (!(st().ch == runState_)) {
                takeRun();
                runState_ = st().ch;
            }
            run_ += text;
            textCount_ += text.size();
            trailingPar_ = false;
            bodyStarted_ = true;
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
        case Dest::ListTable:
            if (st().levelText && !lists_.empty() && !lists_.back().levels.empty()) {
                QString& level = lists_.back().levels.back().text;
                level += text.left(std::max<qsizetype>(0, 256 - level.size()));
            }
            break;
        case Dest::ListOverrides:
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
        const bool named = font != fonts_.constEnd() && !font->name.isEmpty();
        f.setFontFamilies(QStringList{named ? font->name : RtfReader::fallbackFont()});
        if (named && font->family != 0) {
            f.setProperty(RtfKept::FontFamily,
                          QString::fromLatin1(RtfKeywords::familyName(font->family)));
            static const QFont::StyleHint hints[RtfKeywords::familyCount] = {
                QFont::AnyStyle, QFont::Serif,      QFont::SansSerif, QFont::TypeWriter,
                QFont::Cursive,  QFont::Decorative, QFont::AnyStyle,  QFont::AnyStyle};
            f.setFontStyleHint(hints[font->family]);
        }
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (const QColor c = colorAt(ch.foreground); c.isValid()) f.setForeground(c);
        if (const QColor c = colorAt(ch.background); c.isValid()) f.setBackground(c);
        if (ch.script == 1) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        if (ch.script == 2) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (ch.raise != 0) f.setBaselineOffset(ch.raise * 100.0 / ch.halfPoints);
        if (ch.caps == 1) f.setFontCapitalization(QFont::AllUppercase);
        if (ch.caps == 2) f.setFontCapitalization(QFont::SmallCaps);
        if (!ch.field.isEmpty()) f.setProperty(RtfKept::FieldInstruction, ch.field);
        return f;
    }

    // A document uses few distinct formats: each is made once.
    const QTextCharFormat& cachedFormat(const CharState& ch) {
        for (const auto& [state, format] : formats_)
            if (state == ch) return format;
        if (formats_.size() >= 64) formats_.clear();
        return formats_.emplace_back(ch, charFormat(ch)).second;
    }

    double toUnits(double twips) const { return twips * ppi_ / 1440.0; }

    QTextBlockFormat blockFormat(const ParaState& p) const {
        QTextBlockFormat f;
        f.setAlignment(p.align);
        f.setLeftMargin(toUnits(p.left));
        f.setRightMargin(toUnits(p.right));
        // A list draws its number in front of the first line, where the indent would.
        f.setTextIndent(listOf(p) ? 0 : toUnits(p.first));
        f.setTopMargin(toUnits(p.before));
        f.setBottomMargin(toUnits(p.after));
        if (p.lineSpacing > 0 && p.multiple)
            f.setLineHeight(p.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(toUnits(p.lineSpacing), QTextBlockFormat::MinimumHeight);
        else if (p.lineSpacing < 0)
            f.setLineHeight(toUnits(-p.lineSpacing), QTextBlockFormat::FixedHeight);
        if (const QColor c = colorAt(p.pattern); c.isValid())
            f.setBackground(c);
        else if (p.shading > 0)
            f.setBackground(QColor::fromRgbF(1 - p.shading / 10000.f, 1 - p.shading / 10000.f,
                                             1 - p.shading / 10000.f));
        if (!p.tabs.empty()) {
            QList<QTextOption::Tab> tabs;
            for (QTextOption::Tab t : p.tabs) {
                t.position = toUnits(t.position);
                tabs << t;
            }
            f.setTabPositions(tabs);
        }
        return f;
    }

    // Moves the cursor into or out of a table as the paragraph in force says.
    void place() { tables_.place(cursor_, !stack_.empty() && st().para.inTable); }

    void endCell() {
        if (stack_.empty() || st().dest != Dest::Text) return;
        flushRun();
        st().para.inTable = true;
        place();
        endBlock(st());
        tables_.endCell();
        ++textCount_;
        trailingPar_ = false;
        bodyStarted_ = true;
    }

    // Inserts the run read so far, except hidden text, which waits in hidden_: hidden runs
    // that meet are kept as one, as they are written back as one.
    void takeRun() {
        run_.removeIf([](QChar c) { return c != QLatin1Char('\t') && isControl(c); });
        if (run_.isEmpty()) return;
        const QTextCharFormat& format = cachedFormat(runState_);
        if (runState_.hidden) {
            if (!hidden_.isEmpty() && format != hiddenFormat_) insertHidden();
            hidden_ += run_;
            hiddenFormat_ = format;
        } else {
            insertHidden();
            place();
            cursor_.insertText(run_, format);
        }
        run_.clear();
    }

    // Hidden text is not drawn: it is kept, and written back hidden.
    void insertHidden() {
        if (hidden_.isEmpty()) return;
        place();
        QByteArray rtf = "{\\v ";
        // Hidden text that the text just before is hidden text too joins it.
        if (cursor_.positionInBlock() > 0) {
            QTextCursor before = cursor_;
            before.setPosition(cursor_.position() - 1);
            before.setPosition(cursor_.position(), QTextCursor::KeepAnchor);
            const QByteArray kept = RtfKept::bytes(before.charFormat());
            if (kept.startsWith(rtf) &&
                RtfKept::format(hiddenFormat_, kept) == before.charFormat()) {
                rtf = kept.chopped(1);
                cursor_ = before;
            }
        }
        RtfWriter::escape(hidden_, rtf);
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter),
                           RtfKept::format(hiddenFormat_, rtf + '}'));
        hidden_.clear();
    }

    // Inserts all text read so far.
    void flushRun() {
        takeRun();
        insertHidden();
    }

    // Ends the paragraph: the paragraph formatting in force applies to it.
    void paragraph() {
        if (stack_.empty() || st().dest != Dest::Text) return;
        flushRun();
        place();
        bodyStarted_ = true;
        endBlock(st());
        // The new block takes its formatting, lists included, when it ends.
        cursor_.insertBlock(QTextBlockFormat());
        ++textCount_;
        trailingPar_ = true;
    }

    // The block takes the paragraph formatting in force, and the character formatting
    // that its paragraph mark and list number are drawn with.
    void endBlock(const State& s) {
        // A paragraph that ends in a cell is a table paragraph, \intbl or not.
        ParaState para = s.para;
        para.inTable = para.inTable || tables_.holdsCursor();
        // The character format of a block that starts a cell or follows a table is the
        // format of the cell or table: left alone.
        const int start = cursor_.block().position();
        const bool frame = start > 0 && (doc_.characterAt(start - 1).unicode() == 0xFDD1 ||
                                         doc_.characterAt(start - 1).unicode() == 0xFDD0);
        if (!frame && !cursor_.currentTable()) cursor_.setBlockCharFormat(charFormat(s.ch));
        cursor_.setBlockFormat(blockFormat(para));
        joinList(para);
    }

    void finish() {
        flushBytes();
        flushRun();
        tables_.place(cursor_, false);
        if (!header_.isEmpty()) doc_.rootFrame()->setFrameFormat(headerFormat());
        QTextOption option = doc_.defaultTextOption();
        option.setTabStopDistance(toUnits(defaultTab_));
        doc_.setDefaultTextOption(option);
        // Word processors end the last paragraph with \par too: that makes no empty one.
        if (trailingPar_ && cursor_.block().length() == 1) {
            dropLastBlock();
            return;
        }
        endBlock(stack_.empty() ? last_ : st());
    }

    // Removes the empty block at the cursor. Qt keeps the formats of that block when the one
    // before is empty too: it takes the formats of the block before first, lists included.
    void dropLastBlock() {
        const QTextBlock before = cursor_.block().previous();
        const int start = cursor_.block().position();
        if (before.length() == 1 && doc_.characterAt(start - 1) == QChar::ParagraphSeparator) {
            cursor_.setBlockFormat(before.blockFormat());
            cursor_.setBlockCharFormat(before.charFormat());
        }
        cursor_.deletePreviousChar();
    }

    QTextFrameFormat headerFormat() const {
        QTextFrameFormat f = doc_.rootFrame()->frameFormat();
        f.setProperty(RtfKept::DocumentHeader, header_);
        return f;
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    QTextDocument& doc_;
    QTextCursor cursor_;
    const int ppi_;
    std::vector<State> stack_;
    int overflow_ = 0; // groups opened beyond the depth limit and not closed yet
    bool done_ = false;
    int skip_ = 0; // fallback characters still to skip
    QByteArray bytes_;
    int codePage_ = 1252;
    int defaultFont_ = 0;
    int defaultTab_ = 720;
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
    State last_;               // the document's group as it closed
    bool bodyStarted_ = false; // text or a paragraph seen: groups kept from here stand in it
    qsizetype word_ = 0;       // where the last control word stands
    qsizetype textCount_ = 0;  // characters, objects and paragraph ends so far
    QByteArray header_;        // groups kept before the text
    int pictures_ = 0;
    std::vector<ListDef> lists_;
    std::map<int, int> overrides_; // \ls number to \listid
    int overrideList_ = 0;
    // A list goes when its last block leaves it.
    std::map<std::pair<int, int>, QPointer<QTextList>> textLists_;
    RtfTableBuilder tables_;
    QString hidden_; // hidden text not inserted yet
    QTextCharFormat hiddenFormat_;
};

// Data that is not RTF is shown as the text it is: UTF-8 when it reads as UTF-8, code
// page 1252 otherwise.
void readPlainText(QByteArrayView data, QTextDocument& document) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) text = Cp1252::decode(data);
    text.remove(QLatin1Char('\r'));
    text.removeIf(
        [](QChar c) { return c != QLatin1Char('\n') && c != QLatin1Char('\t') && isControl(c); });
    QTextCharFormat f;
    f.setFontFamilies(QStringList{RtfReader::fallbackFont()});
    f.setFontPointSize(12);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        cursor.insertText(lines[i], f);
    }
    cursor.endEditBlock();
}

bool isRtf(QByteArrayView data) {
    qsizetype i = 0;
    while (i < data.size() && QChar::isSpace(uchar(data[i])))
        ++i;
    return data.sliced(i).startsWith("{\\rtf") || data.sliced(i).startsWith("{\\urtf");
}

} // namespace

void RtfReader::read(QByteArrayView rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    // Text typed into an empty document takes the font of text without a font.
    document.setDefaultFont(QFont(fallbackFont(), 12));
    if (isRtf(rtf))
        Parser(rtf, document).run();
    else if (!rtf.isEmpty())
        readPlainText(rtf, document);
    // After the text is in: a layout made before it would follow every insertion.
    RtfKept::prepare(document);
    document.setUndoRedoEnabled(undo);
}

} // namespace platform
