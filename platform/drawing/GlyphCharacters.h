#pragma once
// The characters that glyphs of an embedded font subset stand for, where the subset itself
// does not say. The toolkit's PDF writer embeds for each face a TrueType subset whose glyphs
// are numbered anew and which has no character map; the text it records for those glyphs
// names only characters up to U+FFFF. A glyph drawn for a character above (the pictographs
// the symbol faces are drawn with) is found here again in the installed face the subset was
// made from: the subset keeps that face's names, and the glyph its outline and advance.
#include <QByteArray>

#include <map>
#include <vector>

namespace platform {

class GlyphCharacters {
  public:
    // For each of `glyphs` of the TrueType font `subset`, the character above U+FFFF whose
    // glyph in the installed face of the subset's family and style has the same outline
    // and advance (the lowest such character). Glyphs without one, and all glyphs when that
    // face is not installed, are left out.
    static std::map<int, char32_t> aboveBmp(const QByteArray& subset,
                                            const std::vector<int>& glyphs);
};

} // namespace platform
