#include "boardheader.h"

#include "route.h"
#include "textencoding.h"

const QByteArray fieldSeparator("\\\\");

namespace {

// The next field from `pos` up to the separator (or the line end); false when the line has
// ended before it.
bool nextField(const QByteArray &line, int &pos, QByteArray &field)
{
    if (pos > line.size())
        return false;
    int end = line.indexOf(fieldSeparator, pos);
    if (end < 0)
        end = line.size();
    field = line.mid(pos, end - pos);
    pos = end + fieldSeparator.size();
    return true;
}

// A text as one field: a single space when empty. A trailing backslash would merge with the
// separator behind it, so a space (trimmed away on reading) keeps them apart.
QByteArray fieldBytes(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || bytes.endsWith('\\'))
        bytes += ' ';
    return bytes;
}

} // namespace

BoardHeader parseBoardHeader(const QByteArray &line)
{
    BoardHeader header;
    int pos = 0;
    QByteArray field;
    nextField(line, pos, field);
    header.number = decodeBytes(field.constData(), field.size()).trimmed();
    if (nextField(line, pos, field)) {
        field = field.trimmed();
        header.mode = Route::modeFromSuffix(field);
        header.startingPoint = decodeBytes(field);
        header.hasStartingPoint = true;
    }
    if (nextField(line, pos, field)) {
        field = field.trimmed();
        if (header.mode == 0)
            header.mode = Route::modeFromSuffix(field);
        header.destination = decodeBytes(field);
        header.hasDestination = true;
    }
    if (pos <= line.size()) {
        const QList<QByteArray> items = line.mid(pos).split(';');
        for (const QByteArray &item : items) {
            if (!item.isEmpty())
                header.options.append(item);
        }
    }
    return header;
}

bool isContinuationLine(const QByteArray &line)
{
    return line.startsWith("  ");
}

void parseSecondLanguageLine(const QByteArray &line, QString &startingPoint, QString &destination)
{
    int end = line.indexOf(fieldSeparator, 2);
    if (end < 0)
        end = line.size();
    startingPoint = decodeBytes(line.constData() + 2, end - 2).trimmed();
    const int rest = qMin(end + fieldSeparator.size(), line.size());
    destination = decodeBytes(line.constData() + rest, line.size() - rest).trimmed();
}

int fontFromOption(const QByteArray &item)
{
    if (item.size() == 2)
        return item.at(1) == '0' ? 3 : 0;
    int font = 0;
    if (item.size() >= 3) {
        if (item.at(1) == '0')
            font |= 1;
        if (item.at(2) == '0')
            font |= 2;
    }
    return font;
}

int intervalFromOption(const QByteArray &digits)
{
    return int(qBound(1u, digits.toUInt(), 16u));
}

QByteArray fontOption(int font)
{
    QByteArray option("F");
    option += (font & 1) ? '0' : '1';
    option += (font & 2) ? '0' : '1';
    return option;
}

QByteArray boardHeaderLine(const QString &number, const QString &startingPoint,
                           const QString &destination, int mode, const QByteArray &options)
{
    QByteArray dest = destination.toUtf8();
    if (dest.isEmpty())
        dest = " ";
    dest += Route::suffixFromMode(mode);
    if (dest.endsWith('\\'))
        dest += ' ';
    return fieldBytes(number) + fieldSeparator + fieldBytes(startingPoint) + fieldSeparator + dest +
           fieldSeparator + options;
}

QByteArray secondLanguageLine(const QString &startingPoint, const QString &destination)
{
    if (startingPoint.isEmpty() && destination.isEmpty())
        return QByteArray();
    QByteArray line = "  " + fieldBytes(startingPoint);
    if (!destination.isEmpty())
        line += fieldSeparator + destination.toUtf8();
    return line;
}
