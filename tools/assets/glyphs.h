#pragma once
// Our 5 x 7 letter shapes, the design behind the bitmap font, the title and the wordmark.
#include <array>
#include <cstddef>

namespace assets {

constexpr int glyphColumns = 5;
constexpr int glyphRows = 7;

// Seven rows of five characters, '#' inked and '.' clear, for "A" to "Z", "0" to "9" and the
// characters ":" to "@"; a space or any other character gives an empty glyph.
const std::array<const char*, glyphRows>& glyphShape(char c);
inline bool glyphInk(char c, int column, int row) {
    return glyphShape(c)[static_cast<size_t>(row)][column] == '#';
}
// The same letters as drawn by the small bitmap font, where look-alike pairs need more help.
const std::array<const char*, glyphRows>& smallGlyphShape(char c);
inline bool smallGlyphInk(char c, int column, int row) {
    return smallGlyphShape(c)[static_cast<size_t>(row)][column] == '#';
}

} // namespace assets
