#pragma once
// The RTF control words RtfReader acts on, looked up by name.
#include <string_view>

namespace platform {

class RtfKeywords {
  public:
    // clang-format off
    enum class Kw {
        Par, Line, Tab, Plain, Pard, B, I, Ul, UlNone, Strike, Fs, F, Cf, Highlight, Ql, Qc, Qr,
        Qj, Li, Ri, Fi, Sb, Sa, U, Uc, AnsiCpg, Ansi, Mac, Pc, Pca, Deff, FontTbl, ColorTbl, Red,
        Green, Blue, FCharset, Cpg, Bin, Char, FontFamily, Hidden, Super, Sub, NoSuperSub, Up, Dn,
        Caps, SmallCaps, Sl, SlMult, CbPat, Shading, Tx, TabKind, DefTab, Field, FldInst, FldRslt,
        Pict, Container, Kept, Dropped, ListTable, ListOverrideTable, List, ListLevel, LevelNfc,
        LevelText, ListId, ListOverride, Ls, Ilvl, ListText, Trowd, Cellx, Intbl, Cell, Row,
        ClCbPat, Border
    };
    // clang-format on
    struct Keyword {
        Kw kw;
        char16_t ch = 0; // the character of Kw::Char; the kind of Kw::FontFamily and Kw::TabKind
    };
    // The keyword of a control word, nullptr for one that is not acted on.
    static const Keyword* find(std::string_view word);
    // The family word ("roman", "swiss"...) of a Kw::FontFamily kind.
    static const char* familyName(int kind);
    static constexpr int familyCount = 8;
};

} // namespace platform
