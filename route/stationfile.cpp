#include "stationfile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "textencoding.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const char indent[] = "  ";
// Files line of a station without any file; also keeps the NN.wav default away on reading.
const char noSoundMark[] = ".wav";

const QColor defaultFrontColor(0x00, 0x80, 0x00);

// The front header options beyond F and R.
void readFrontOption(Route &route, const QByteArray &item)
{
    if (item.at(0) == 'F')
        route.setFrontFontFromStationFile(true);
    else if (item.at(0) == '#')
        colorsFromText(route, item);
}

// Number before the first space, cut to 16 bits; 0 when it does not parse.
int stationNumber(const QByteArray &line, int numberEnd)
{
    bool ok = false;
    const qulonglong number = decimalValue<qulonglong>(line.constData(), numberEnd, &ok);
    return ok ? int(number & 0xFFFF) : 0;
}

bool bytesAt(const QByteArray &line, int pos, const char *word)
{
    const int size = int(qstrlen(word));
    return pos + size <= line.size() && qstrncmp(line.constData() + pos, word, uint(size)) == 0;
}

// Only texts that mention a file ending can read back as a files line; most need no probe.
bool mayReadAsFiles(const QString &name, const QString &next)
{
    return mentionsFileEnding(name) || mentionsFileEnding(next);
}

// The second-language line of a station as written, without its line end. A text whose last
// word looks like a file name would read back as a files line: a final no-break space, trimmed
// off on reading, keeps it a word.
void writeSecondNames(RouteFileWriter &out, const QString &name, const QString &next)
{
    const int start = out.data().size();
    out << indent;
    writeTextPair(out, name, next);
    if (mayReadAsFiles(name, next)) {
        Station probe;
        if (parseFileList(out.data().mid(start), &probe) > 0)
            out << "\xC2\xA0";
    }
}

QByteArray secondLanguageLine(const QString &name, const QString &next)
{
    RouteFileWriter out(false);
    writeSecondNames(out, name, next);
    return out.data();
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
    station->setName(0, std::move(name));
    station->setNextName(0, std::move(next));
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
            // CR and LF become spaces, which call for quotes as well.
            const bool quoted = std::any_of(name.begin(), name.end(), [](QChar c) {
                return c == ' ' || c == ',' || c == '\r' || c == '\n';
            });
            if (quoted)
                out << '"';
            out.text(name);
            if (quoted)
                out << '"';
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

bool parseStationFile(Route &route, const QByteArray *bytes)
{
    route.setFrontMode(0);
    route.setFrontFont(0);
    route.setFrontInterval(4);
    route.setFrontFontFromStationFile(false);
    route.setBackStationIndex(0);
    route.setFrontNumberColor(defaultFrontColor);
    route.setFrontStartColor(defaultFrontColor);
    route.setFrontDestColor(defaultFrontColor);
    if (!bytes)
        return false;
    RouteFileReader reader = RouteFileReader::fromBytes(*bytes);

    // The file replaces the station list rather than adding to it.
    while (route.stationCount() > 0)
        route.removeStation(route.stationCount() - 1);

    // No STOP mark seen yet.
    route.setBackStationIndex(-1);
    QByteArray line;
    bool haveLine = false;
    readBoardLines(reader, route, frontBoard, readFrontOption, line, haveLine);
    auto nextLine = [&]() { haveLine = reader.readLine(line); };

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
        while (haveLine && isContinuationLine(line)) {
            if (parseFileList(line, station) == 0 && station->name(1).isEmpty()) {
                QString name;
                QString next;
                readTextPair(line, 0, name, next);
                // Taken as the line it will be written as: one whose line breaks, once written
                // as blanks, join a quoted file name is a files line from then on.
                if (!mayReadAsFiles(name, next) ||
                    parseFileList(secondLanguageLine(name, next), station) == 0) {
                    station->setName(1, std::move(name));
                    station->setNextName(1, std::move(next));
                }
            }
            nextLine();
        }

        if (station->soundFiles().isEmpty() && station->textFiles().isEmpty()) {
            const QString sound = QStringLiteral("%1.wav").arg(number, 2, 10, QLatin1Char('0'));
            if (QFileInfo(route.path() + QLatin1Char('/') + sound).isFile())
                station->soundFiles().append(sound);
        }
        dropNoSoundMark(*station);

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

    out.addLine(boardHeaderLine(route, frontBoard, ";#" + colorsToText(route)));
    writeSecondLanguageLine(out, route, frontBoard);

    const int count = route.stationCount();
    for (int i = 0; i < count; ++i) {
        const Station &station = *route.station(i);
        out.number(i + 1) << ' ';
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
            writeSecondNames(out, station.name(1), station.nextName(1));
            out.endLine();
        }
        writeFilesLine(out, station);
    }
    out.addLine(QByteArray::number(count + 1) + " END");
    return out.data();
}

void dropNoSoundMark(Station &station)
{
    if (station.soundFiles().size() == 1 &&
        station.soundFiles().first() == QLatin1String(noSoundMark))
        station.soundFiles().clear();
}

QByteArray colorsToText(const Route &route)
{
    // Compared as written: colours that differ only in their low digits are one colour here.
    const QByteArray number = colorCode(route.frontNumberColor());
    const QByteArray start = colorCode(route.frontStartColor());
    const QByteArray dest = colorCode(route.frontDestColor());
    QByteArray text = number;
    if (start != number || dest != number) {
        text += ',' + start;
        if (dest != start)
            text += ',' + dest;
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
