#include "stationfile.h"

#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <QFileInfo>

namespace {

// Field separator of ost.txt lines: two backslashes.
const char sep[] = "\\\\";
const int sepSize = 2;
const char indent[] = "  ";
// Files line of a station without any file; also keeps the NN.wav default away on reading.
const char noSoundMark[] = ".wav";

const QColor defaultFrontColor(0x00, 0x80, 0x00);

QString fileName(const Route &route)
{
    return route.path() + QStringLiteral("/ost.txt");
}

QString decodeTrimmed(const QByteArray &line, int start, int end)
{
    return decodeBytes(line.constData() + start, end - start).trimmed();
}

// End of the field that starts at `start`: the next separator or the end of the line.
int fieldEnd(const QByteArray &line, int start)
{
    const int at = line.indexOf(sep, start);
    return at < 0 ? line.size() : at;
}

// Splits "text\\next" from `start` into the two texts of one language.
void readTextPair(const QByteArray &line, int start, QString &text, QString &next)
{
    const int end = fieldEnd(line, start);
    text = decodeTrimmed(line, start, end);
    next = end < line.size() ? decodeTrimmed(line, end + sepSize, line.size()) : QString();
}

// An empty text is written as a single space; reading trims it off again.
QString orSpace(const QString &text)
{
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

// A field followed by a separator: a trailing backslash would merge into the separator and
// shift every later field, so it gets a space after it (the reader trims it off again).
QByteArray beforeSep(QByteArray field)
{
    if (field.endsWith('\\'))
        field += ' ';
    return field + sep;
}

// "text" or "text\\next" when there is a next text.
void writeTextPair(RouteFileWriter &out, const QString &text, const QString &next)
{
    const QByteArray bytes = text.toUtf8();
    out << bytes;
    if (next.isEmpty())
        return;
    if (bytes.endsWith('\\'))
        out << ' ';
    out << sep << next.toUtf8();
}

void readFontOption(Route &route, const QByteArray &item)
{
    route.setFrontFontFromStationFile(true);
    int bits = 0;
    if (item.size() >= 3) {
        if (item.at(1) == '0')
            bits |= 1;
        if (item.at(2) == '0')
            bits |= 2;
    } else if (item.size() == 2 && item.at(1) == '0') {
        bits = 3;
    }
    route.setFrontFont(route.frontFont() | bits);
}

void readIntervalOption(Route &route, const QByteArray &item)
{
    bool ok = false;
    uint seconds = item.mid(1).toUInt(&ok);
    if (!ok)
        seconds = 0;
    route.setFrontInterval(int(qBound(1u, seconds, 16u)));
}

void readHeader(Route &route, const QByteArray &line)
{
    // No STOP mark seen yet.
    route.setBackStationIndex(-1);

    int end = fieldEnd(line, 0);
    route.setFrontNumber(decodeTrimmed(line, 0, end));
    if (end >= line.size())
        return;

    int start = end + sepSize;
    end = fieldEnd(line, start);
    QByteArray field = line.mid(start, end - start).trimmed();
    route.setFrontMode(Route::modeFromSuffix(field));
    route.setFrontStartingPoint(0, decodeBytes(field));
    if (end >= line.size())
        return;

    start = end + sepSize;
    end = fieldEnd(line, start);
    field = line.mid(start, end - start).trimmed();
    if (route.frontMode() == 0)
        route.setFrontMode(Route::modeFromSuffix(field));
    route.setFrontDestination(0, decodeBytes(field));
    if (end >= line.size())
        return;

    const QList<QByteArray> items = line.mid(end + sepSize).split(';');
    for (const QByteArray &item : items) {
        if (item.isEmpty())
            continue;
        switch (item.at(0)) {
        case 'F':
            readFontOption(route, item);
            break;
        case 'R':
            readIntervalOption(route, item);
            break;
        case '#':
            colorsFromText(route, item);
            break;
        default:
            break;
        }
    }
}

// Number before the first space, cut to 16 bits; 0 when it does not parse.
int stationNumber(const QByteArray &line, int numberEnd)
{
    bool ok = false;
    const qulonglong number = line.left(numberEnd).toULongLong(&ok);
    return ok ? int(number & 0xFFFF) : 0;
}

bool bytesAt(const QByteArray &line, int pos, const char *word)
{
    const int size = int(qstrlen(word));
    return pos + size <= line.size() && qstrncmp(line.constData() + pos, word, uint(size)) == 0;
}

void readStationText(Route &route, Station *station, const QByteArray &line, int start)
{
    if (bytesAt(line, start, "STOP")) {
        route.setBackStationIndex(route.stationCount());
        start += 4;
        if (start < line.size() && line.at(start) == ' ')
            ++start;
    }
    QString name;
    QString next;
    readTextPair(line, start, name, next);
    station->setName(0, name);
    station->setNextName(0, next);
}

void writeFilesLine(RouteFileWriter &out, const Station &station)
{
    out << indent;
    bool first = true;
    for (const QStringList *names : {&station.soundFiles(), &station.textFiles()}) {
        for (const QString &name : *names) {
            if (!first)
                out << ", ";
            first = false;
            const QByteArray bytes = name.toUtf8();
            if (bytes.contains(' ') || bytes.contains(','))
                out << '"' << bytes << '"';
            else
                out << bytes;
        }
    }
    if (first)
        out << noSoundMark;
    out.endLine();
}

QByteArray colorCode(const QColor &color)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray code(3, '0');
    code[0] = digits[(color.red() >> 4) & 0xF];
    code[1] = digits[(color.green() >> 4) & 0xF];
    code[2] = digits[(color.blue() >> 4) & 0xF];
    return code;
}

QColor colorFromPiece(QByteArray piece)
{
    if (piece.startsWith('#'))
        piece.remove(0, 1);
    bool ok = false;
    uint value = piece.toUInt(&ok, 16);
    if (!ok)
        return QColor(0, 0, 0);
    if (piece.size() > 3)
        return QColor(qRed(value), qGreen(value), qBlue(value));
    return QColor(int((value >> 8) & 0xF) << 4, int((value >> 4) & 0xF) << 4,
                  int(value & 0xF) << 4);
}

} // namespace

bool readStationFile(Route &route)
{
    route.setFrontMode(0);
    route.setFrontFont(0);
    route.setFrontInterval(4);
    route.setFrontFontFromStationFile(false);
    route.setBackStationIndex(0);
    route.setFrontNumberColor(defaultFrontColor);
    route.setFrontStartColor(defaultFrontColor);
    route.setFrontDestColor(defaultFrontColor);
    if (route.path().isEmpty())
        return false;
    RouteFileReader reader(fileName(route));
    if (!reader.isOpen())
        return false;

    // The file replaces the station list rather than adding to it.
    while (route.stationCount() > 0)
        route.removeStation(route.stationCount() - 1);

    readHeader(route, reader.readLine());

    QByteArray line;
    bool haveLine = false;
    auto nextLine = [&]() {
        haveLine = !reader.atEnd();
        line = reader.readLine();
    };

    nextLine();
    if (haveLine && line.startsWith(indent)) {
        QString start;
        QString destination;
        readTextPair(line, 2, start, destination);
        route.setFrontStartingPoint(1, start);
        route.setFrontDestination(1, destination);
        nextLine();
    }
    while (haveLine && line.startsWith(indent))
        nextLine();

    while (haveLine) {
        const int space = line.indexOf(' ');
        const int number = stationNumber(line, space < 0 ? line.size() : space);
        const int textStart = space < 0 ? 0 : space + 1;

        Station *station = new Station;
        if (number != 0) {
            if (bytesAt(line, textStart, "END")) {
                delete station;
                break;
            }
            readStationText(route, station, line, textStart);
        }

        nextLine();
        while (haveLine && line.startsWith(indent)) {
            if (parseFileList(line, station) == 0 && station->name(1).isEmpty()) {
                QString name;
                QString next;
                readTextPair(line, 0, name, next);
                station->setName(1, name);
                station->setNextName(1, next);
            }
            nextLine();
        }

        if (station->soundFiles().isEmpty() && station->textFiles().isEmpty()) {
            const QString sound = QStringLiteral("%1.wav").arg(number, 2, 10, QLatin1Char('0'));
            if (QFileInfo(route.path() + QLatin1Char('/') + sound).isFile())
                station->soundFiles().append(sound);
        }
        if (station->soundFiles().size() == 1 &&
            station->soundFiles().first() == QLatin1String(noSoundMark))
            station->soundFiles().clear();

        route.insertStation(route.stationCount(), station);
    }

    if (route.backStationIndex() < 0)
        route.setBackStationIndex(route.stationCount());
    return true;
}

QByteArray stationFileBytes(const Route &route)
{
    RouteFileWriter out(true);
    out.reserve(256 * (route.stationCount() + 1));

    const int font = route.frontFont();
    QByteArray header = beforeSep(orSpace(route.frontNumber()).toUtf8()) +
                        beforeSep(orSpace(route.frontStartingPoint(0)).toUtf8()) +
                        beforeSep(orSpace(route.frontDestination(0)).toUtf8() +
                                  Route::suffixFromMode(route.frontMode()));
    header += 'F';
    header += (font & 1) ? '0' : '1';
    header += (font & 2) ? '0' : '1';
    header += ";R" + QByteArray::number(route.frontInterval()) + ";#" + colorsToText(route) + ';';
    out.addLine(header);

    if (!route.frontStartingPoint(1).isEmpty() || !route.frontDestination(1).isEmpty()) {
        out << indent;
        writeTextPair(out, orSpace(route.frontStartingPoint(1)), route.frontDestination(1));
        out.endLine();
    }

    const int count = route.stationCount();
    for (int i = 0; i < count; ++i) {
        const Station &station = *route.station(i);
        out << QByteArray::number(i + 1) << ' ';
        if (i == route.backStationIndex()) {
            out << "STOP ";
        } else if (station.name(0).startsWith(QLatin1String("END")) ||
                   station.name(0).startsWith(QLatin1String("STOP"))) {
            // A second space keeps such a name from reading as the end of the list or as
            // the back-direction mark; the text is trimmed on reading.
            out << ' ';
        }
        writeTextPair(out, station.name(0), station.nextName(0));
        out.endLine();
        if (!station.name(1).isEmpty()) {
            out << indent;
            writeTextPair(out, station.name(1), station.nextName(1));
            out.endLine();
        }
        writeFilesLine(out, station);
    }
    out.addLine(QByteArray::number(count + 1) + " END");
    return out.data();
}

bool writeStationFile(const Route &route)
{
    if (route.path().isEmpty())
        return false;
    return RouteFileWriter::save(fileName(route), stationFileBytes(route));
}

QByteArray colorsToText(const Route &route)
{
    const QRgb number = route.frontNumberColor().rgb();
    const QRgb start = route.frontStartColor().rgb();
    const QRgb dest = route.frontDestColor().rgb();
    QByteArray text = colorCode(route.frontNumberColor());
    if (start != number || dest != number) {
        text += ',' + colorCode(route.frontStartColor());
        if (dest != start)
            text += ',' + colorCode(route.frontDestColor());
    }
    return text;
}

void colorsFromText(Route &route, const QByteArray &text)
{
    const QList<QByteArray> pieces = text.split(',');
    const QColor number = colorFromPiece(pieces.at(0));
    const QColor start = pieces.size() > 1 ? colorFromPiece(pieces.at(1)) : number;
    const QColor dest = pieces.size() > 2 ? colorFromPiece(pieces.at(2)) : start;
    route.setFrontNumberColor(number);
    route.setFrontStartColor(start);
    route.setFrontDestColor(dest);
}
