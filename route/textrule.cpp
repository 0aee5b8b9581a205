#include "textrule.h"

QString TextRule::problem(Kind kind, const QString &text)
{
    // The writers turn line breaks into spaces.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QStringLiteral("перевод строки не сохраняется");
    switch (kind) {
    case NumberText:
    case HeaderText:
    case PairText:
        if (text.contains(QLatin1String("\\\\")))
            return QStringLiteral("«\\\\» разделяет поля файла");
        break;
    case SeparatorText:
        if (text.contains(QLatin1Char(';')))
            return QStringLiteral("«;» разделяет параметры табло");
        break;
    case LineText:
        // A quoted value that ends in a backslash is read back with a space after it.
        if (text.trimmed().endsWith(QLatin1Char('\\')))
            return QStringLiteral("«\\» в конце текста не сохраняется");
        break;
    }
    if (kind == HeaderText) {
        const QString t = text.trimmed();
        if (t.size() >= 2 && t.at(t.size() - 2) == QLatin1Char('_'))
            return QStringLiteral("окончание «%1» читается как режим табло").arg(t.right(2));
    }
    return QString();
}
