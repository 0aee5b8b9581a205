#include "spokentext.h"

QString spokenText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    int open = 0; // effects opened whose ">" is still to come
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('<') && i + 2 < n && text.at(i + 1) == QLatin1Char('&') &&
            text.at(i + 2).isLetter()) {
            const bool font = text.at(i + 2).toUpper() == QLatin1Char('F');
            i += 2;
            while (i + 1 < n && text.at(i + 1).isDigit())
                ++i;
            if (!font)
                ++open;
            out += QLatin1Char(' ');
        } else if (c == QLatin1Char('>') && open > 0) {
            --open;
        } else if (c == QLatin1Char('%') && i + 1 < n && text.at(i + 1).isLetter()) {
            ++i;
        } else {
            out += c;
        }
    }
    return out.simplified();
}
