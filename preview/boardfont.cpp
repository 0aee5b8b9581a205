#include "boardfont.h"

int digitGlyphIndex(QChar c)
{
    const ushort u = c.unicode();
    return u >= '0' && u <= '9' ? u - '0' : -1;
}

int textGlyphIndex(QChar c)
{
    struct Range
    {
        ushort first, last;
        int offset;
    };
    // Code unit ranges of the character set and how far each is moved down.
    static const Range ranges[] = {
        {0x0020, 0x007F, 0x20},  {0x00B0, 0x00BF, 0x50},  {0x0100, 0x017F, 0x90},
        {0x0400, 0x045F, 0x310}, {0x0490, 0x04BF, 0x340}, {0x04D0, 0x04EF, 0x350},
    };
    const ushort u = c.unicode();
    if (u == '\n' || u == '\r')
        return 0;
    if (u == 0x2116)
        return NumeroSignSlot;
    for (const Range &r : ranges) {
        if (u >= r.first && u <= r.last)
            return u - r.offset;
    }
    return -1;
}
