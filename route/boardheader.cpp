#include "boardheader.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "station.h"
#include "textencoding.h"

#include <cstring>

const QByteArray fieldSeparator("\\\\");

namespace {

const int sepSize = 2;

// End of the field that starts at `start`: the next separator or the end of the line.
// Searched with memchr: this runs for every station line of ost.txt.
int fieldEnd(const QByteArray &line, int start)
{
    const char *const data = line.constData();
    const char *p = data + start;
    const char *const end = data + line.size();
    while (p < end) {
        p = static_cast<const char *>(std::memchr(p, '\\', size_t(end - p)));
        if (!p || p + 1 >= end)
            break;
        if (p[1] == '\\')
            return int(p - data);
        ++p;
    }
    return line.size();
}

QString fieldText(const QByteArray &line, int start, int end)
{
    return decodeTrimmed(line.constData() + start, end - start);
}

// A starting point or destination with its mode suffix cut off (into *mode, unless null).
// Taken again as it would be written back until that changes nothing: a blank before the
// suffix, or one that only decodes as a blank, would otherwise move on the next save.
QString headerText(QByteArray field, int *mode)
{
    for (;;) {
        field = field.trimmed();
        if (mode)
            *mode |= Route::modeFromSuffix(field);
        const QString text = trimmedText(decodeBytes(field));
        const QByteArray again = RouteFileWriter::lineText(text);
        if (again == field)
            return text;
        field = again;
    }
}

// The F option: "0" for a set bit, bit 0 first; "F0" alone sets both.
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

void readOptions(Route &route, const Board &board, BoardOptionReader readOption,
                 const QByteArray &line, int pos)
{
    while (pos < line.size()) {
        int end = line.indexOf(';', pos);
        if (end < 0)
            end = line.size();
        if (end > pos) {
            const QByteArray item = line.mid(pos, end - pos);
            if (item.at(0) == 'F')
                (route.*board.setFont)((route.*board.font)() | fontFromOption(item));
            else if (item.at(0) == 'R')
                (route.*board.setInterval)(intervalFromOption(item.mid(1)));
            if (readOption)
                readOption(route, item);
        }
        pos = end + 1;
    }
}

// A line that ends early leaves the fields after it as they were.
void readHeaderLine(Route &route, const Board &board, BoardOptionReader readOption,
                    const QByteArray &line)
{
    int end = fieldEnd(line, 0);
    (route.*board.setNumber)(fieldText(line, 0, end));
    int mode = 0;
    if (end < line.size()) {
        // Texts are trimmed as bytes first: the single space of an empty text reads back empty.
        int start = end + sepSize;
        end = fieldEnd(line, start);
        (route.*board.setStartingPoint)(0, headerText(line.mid(start, end - start), &mode));
        if (end < line.size()) {
            start = end + sepSize;
            end = fieldEnd(line, start);
            // A suffix already found on the starting point leaves one here part of the text.
            (route.*board.setDestination)(
                0, headerText(line.mid(start, end - start), mode == 0 ? &mode : nullptr));
            if (end < line.size())
                readOptions(route, board, readOption, line, end + sepSize);
        }
    }
    (route.*board.setMode)(mode);
}

// An empty text is written as a single space; reading trims it off again.
QString orSpace(const QString &text)
{
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

// A field followed by a separator: a trailing backslash would merge into the separator and
// shift every later field, so it gets a space after it (the reader trims it off again).
QByteArray beforeSeparator(QByteArray field)
{
    if (field.endsWith('\\'))
        field += ' ';
    return field + fieldSeparator;
}

} // namespace

void readBoardLines(RouteFileReader &reader, Route &route, const Board &board,
                    BoardOptionReader readOption, QByteArray &line, bool &more)
{
    readHeaderLine(route, board, readOption, reader.readLine());
    auto nextLine = [&]() { more = reader.readLine(line); };
    nextLine();
    if (more && isContinuationLine(line)) {
        QString startingPoint;
        QString destination;
        readTextPair(line, 2, startingPoint, destination);
        (route.*board.setStartingPoint)(1, startingPoint);
        (route.*board.setDestination)(1, destination);
        nextLine();
    }
    while (more && isContinuationLine(line))
        nextLine();
}

bool readBoardFile(RouteFileReader *reader, Route &route, const Board &board,
                   BoardOptionReader readOption, QByteArray &line, bool &more)
{
    if (!reader) {
        (route.*board.setNumber)(route.frontNumber());
        for (int lang = 0; lang < 2; ++lang) {
            (route.*board.setStartingPoint)(lang, route.frontStartingPoint(lang));
            (route.*board.setDestination)(lang, route.frontDestination(lang));
        }
        (route.*board.setFont)(route.frontFont());
        (route.*board.setInterval)(route.frontInterval());
        line.clear();
        more = false;
        return false;
    }
    (route.*board.setFont)(0);
    (route.*board.setInterval)(4);
    readBoardLines(*reader, route, board, readOption, line, more);
    return true;
}

bool isContinuationLine(const QByteArray &line)
{
    return line.size() >= 2 && line.at(0) == ' ' && line.at(1) == ' ';
}

void readTextPair(const QByteArray &line, int start, QString &text, QString &next)
{
    const int end = fieldEnd(line, start);
    text = fieldText(line, start, end);
    next = end < line.size() ? fieldText(line, end + sepSize, line.size()) : QString();
}

int intervalFromOption(const QByteArray &digits)
{
    // Unparsable text reads as 0, hence 1.
    return int(qBound(1u, digits.toUInt(), 16u));
}

QByteArray boardHeaderLine(const Route &route, const Board &board, const QByteArray &moreOptions)
{
    const int font = (route.*board.font)();
    const QByteArray suffix = Route::suffixFromMode((route.*board.mode)());
    QByteArray startingPoint = RouteFileWriter::lineText(orSpace((route.*board.startingPoint)(0)));
    QByteArray destination = RouteFileWriter::lineText(orSpace((route.*board.destination)(0)));
    // A destination that ends like a suffix itself (its mode came with the starting point)
    // would lose that ending to the mode: then the suffix goes after the starting point, the
    // place a reader looks first.
    QByteArray cut = destination.trimmed();
    const int size = cut.size();
    Route::modeFromSuffix(cut);
    if (cut.size() == size)
        destination += suffix;
    else
        startingPoint += suffix;
    QByteArray line = beforeSeparator(RouteFileWriter::lineText(orSpace((route.*board.number)()))) +
                      beforeSeparator(startingPoint) + beforeSeparator(destination);
    line += 'F';
    line += (font & 1) ? '0' : '1';
    line += (font & 2) ? '0' : '1';
    line += ";R" + QByteArray::number((route.*board.interval)()) + moreOptions + ';';
    return line;
}

void writeSecondLanguageLine(RouteFileWriter &out, const Route &route, const Board &board)
{
    const QString startingPoint = (route.*board.startingPoint)(1);
    const QString destination = (route.*board.destination)(1);
    if (startingPoint.isEmpty() && destination.isEmpty())
        return;
    out << "  ";
    writeTextPair(out, orSpace(startingPoint), destination);
    out.endLine();
}

void writeTextPair(RouteFileWriter &out, const QString &text, const QString &next)
{
    const int start = out.data().size();
    out.text(text);
    if (next.isEmpty())
        return;
    // A backslash right before the separator would escape it.
    if (out.data().size() > start && out.data().endsWith('\\'))
        out << ' ';
    out << fieldSeparator;
    out.text(next);
}

Station *numberedStation(const Route &route, const QByteArray &line)
{
    const int space = line.indexOf(' ');
    const qint64 number =
        decimalValue<qlonglong>(line.constData(), space < 0 ? line.size() : space);
    return number >= 1 && number <= route.stationCount() ? route.station(int(number - 1)) : nullptr;
}
