// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[26624] = {};

const BoardFont FontText16x32 = {glyphs, 16, 32, textGlyphIndex, TextGlyphCount};
