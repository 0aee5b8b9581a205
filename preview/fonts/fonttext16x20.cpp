// Placeholder until the generated glyphs land.
#include "boardfont.h"

static const unsigned char glyphs[16640] = {};

const BoardFont FontText16x20 = {glyphs, 16, 20, textGlyphIndex, TextGlyphCount};
