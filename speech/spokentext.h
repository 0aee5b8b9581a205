// What of a text is spoken: the running line's markup commands are for the boards only.
#pragma once

#include <QString>

// Drops "<&F1"-style switches, the "<&V03 " openers of effects with their closing ">", and
// the "%t" / "%n" placeholders; the rest with its spaces made single.
QString spokenText(const QString &text);
