// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[4992] = {};

const BoardFont FontText8x12 = {glyphs, 8, 12, textGlyphIndex, TextGlyphCount};
