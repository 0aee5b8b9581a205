// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[13312] = {};

const BoardFont FontText16x16 = {glyphs, 16, 16, textGlyphIndex, TextGlyphCount};
