#include "platform/richtext/RtfKeywords.h"

#include <unordered_map>

namespace platform {

const char* RtfKeywords::familyName(int kind) {
    static const char* const names[familyCount] = {"nil",    "roman", "swiss", "modern",
                                                   "script", "decor", "tech",  "bidi"};
    return kind >= 0 && kind < familyCount ? names[kind] : names[0];
}

const RtfKeywords::Keyword* RtfKeywords::find(std::string_view word) {
    // clang-format off
    static const std::unordered_map<std::string_view, Keyword> table = {
        {"par", {Kw::Par}}, {"sect", {Kw::Par}}, {"page", {Kw::Par}}, {"row", {Kw::Row}},
        {"line", {Kw::Line}}, {"tab", {Kw::Tab}}, {"cell", {Kw::Cell}},
        {"trowd", {Kw::Trowd}}, {"cellx", {Kw::Cellx}}, {"intbl", {Kw::Intbl}},
        {"clcbpat", {Kw::ClCbPat}}, {"clbrdrt", {Kw::Border}}, {"clbrdrl", {Kw::Border}},
        {"clbrdrb", {Kw::Border}}, {"clbrdrr", {Kw::Border}}, {"trbrdrt", {Kw::Border}},
        {"trbrdrl", {Kw::Border}}, {"trbrdrb", {Kw::Border}}, {"trbrdrr", {Kw::Border}},
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
        {"fnil", {Kw::FontFamily, 0}}, {"froman", {Kw::FontFamily, 1}},
        {"fswiss", {Kw::FontFamily, 2}}, {"fmodern", {Kw::FontFamily, 3}},
        {"fscript", {Kw::FontFamily, 4}}, {"fdecor", {Kw::FontFamily, 5}},
        {"ftech", {Kw::FontFamily, 6}}, {"fbidi", {Kw::FontFamily, 7}},
        {"v", {Kw::Hidden}}, {"super", {Kw::Super}}, {"sub", {Kw::Sub}},
        {"nosupersub", {Kw::NoSuperSub}}, {"up", {Kw::Up}}, {"dn", {Kw::Dn}},
        {"caps", {Kw::Caps}}, {"scaps", {Kw::SmallCaps}}, {"sl", {Kw::Sl}},
        {"slmult", {Kw::SlMult}}, {"cbpat", {Kw::CbPat}}, {"shading", {Kw::Shading}},
        {"tx", {Kw::Tx}}, {"tqr", {Kw::TabKind, 1}}, {"tqc", {Kw::TabKind, 2}},
        {"tqdec", {Kw::TabKind, 3}}, {"deftab", {Kw::DefTab}},
        {"field", {Kw::Field}}, {"fldinst", {Kw::FldInst}}, {"fldrslt", {Kw::FldRslt}},
        {"pict", {Kw::Pict}}, {"shppict", {Kw::Container}},
        {"listtable", {Kw::ListTable}}, {"listoverridetable", {Kw::ListOverrideTable}},
        {"list", {Kw::List}}, {"listlevel", {Kw::ListLevel}}, {"levelnfc", {Kw::LevelNfc}},
        {"leveltext", {Kw::LevelText}},
        {"listid", {Kw::ListId}}, {"listoverride", {Kw::ListOverride}}, {"ls", {Kw::Ls}},
        {"ilvl", {Kw::Ilvl}}, {"listtext", {Kw::ListText}}, {"pntext", {Kw::ListText}},
        // Destinations kept as they are written, not shown.
        {"stylesheet", {Kw::Kept}}, {"info", {Kw::Kept}}, {"object", {Kw::Kept}},
        {"header", {Kw::Kept}}, {"headerl", {Kw::Kept}}, {"headerr", {Kw::Kept}},
        {"headerf", {Kw::Kept}}, {"footer", {Kw::Kept}}, {"footerl", {Kw::Kept}},
        {"footerr", {Kw::Kept}}, {"footerf", {Kw::Kept}}, {"footnote", {Kw::Kept}},
        {"revtbl", {Kw::Kept}}, {"rsidtbl", {Kw::Kept}}, {"filetbl", {Kw::Kept}},
        {"nonshppict", {Kw::Kept}}, {"annotation", {Kw::Kept}}, {"xe", {Kw::Kept}},
        {"tc", {Kw::Kept}}, {"template", {Kw::Kept}},
        // Destinations that only repeat what the writer makes again.
        {"pn", {Kw::Dropped}}, {"pntxta", {Kw::Dropped}}, {"pntxtb", {Kw::Dropped}},
    };
    // clang-format on
    const auto it = table.find(word);
    return it == table.end() ? nullptr : &it->second;
}

} // namespace platform
