// Whether a text typed into a field comes back the same after a save and a load: the
// separators of the route files (and a trailing mode suffix where one is read) would
// otherwise move part of it into other fields.
#pragma once

#include <QString>

class TextRule
{
public:
    // Where a text is written.
    enum Kind
    {
        NumberText,    // first field of a board header line
        HeaderText,    // first-language starting point or destination: a mode suffix is read
        PairText,      // "text \\ next" pairs: second-language board texts, stop announcements
        SeparatorText, // the side board's ";T" option
        LineText,      // a whole line or a quoted value
    };

    // Lengths the equipment shows: board numbers and the texts of stops and words.
    static constexpr int numberLimit = 4;
    static constexpr int textLimit = 128;

    // Empty when the text survives a save in a field of this kind, else a short reason.
    static QString problem(Kind kind, const QString &text);
    static bool survivesSave(Kind kind, const QString &text)
    {
        return problem(kind, text).isEmpty();
    }
};
