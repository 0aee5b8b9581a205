// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[3328] = {};

const BoardFont FontText8x8Thin = {glyphs, 8, 8, textGlyphIndex, TextGlyphCount};
