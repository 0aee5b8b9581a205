#include "scriptfile.h"

#include "boardheader.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "stationfile.h"
#include "textencoding.h"

namespace {

// Side-light letters by colour code - 1; codes without a letter of their own are written "O".
const char sofitLetters[] = "BGOROYW";

// The running-line texts, one line each; the key plus "2" holds the second language.
struct TextKey
{
    const char *key;
    QString (Route::*get)(int) const;
    void (Route::*set)(int, const QString &);
    bool trimmed; // the word setters trim
};
const TextKey textKeys[] = {
    {"MARSH", &Route::routeText, &Route::setRouteText, false},
    {"TEMP_OUT", &Route::outsideTempText, &Route::setOutsideTempText, false},
    {"TEMP_IN", &Route::salonTempText, &Route::setSalonTempText, false},
    {"WORD_ST", &Route::stationWord, &Route::setStationWord, true},
    {"WORD_NEXT_ST", &Route::nextWord, &Route::setNextWord, true},
};

QString parentFolder(const QString &path)
{
    return path.left(qMax(0, path.lastIndexOf(QLatin1Char('/'))));
}

int sofitColor(char letter)
{
    switch (letter) {
    case 'B':
        return 1;
    case 'G':
        return 2;
    case 'R':
        return 4;
    case 'Y':
        return 6;
    case 'W':
        return 7;
    default:
        return 0;
    }
}

char sofitLetter(int code)
{
    return code >= 1 && code <= 7 ? sofitLetters[code - 1] : 'O';
}

// Quoted value: every double quote escaped by a backslash. A trailing backslash would escape
// the closing quote, so a space follows it.
QByteArray quoted(const QByteArray &text)
{
    QByteArray bytes = text;
    bytes.replace('"', "\\\"");
    if (bytes.endsWith('\\'))
        bytes += ' ';
    return '"' + bytes + '"';
}

// Unquoted values end at the first space: a value that has one, or that starts with a quote,
// is quoted so that it reads back whole.
QByteArray plainValue(const QByteArray &text)
{
    return text.contains(' ') || text.startsWith('"') ? quoted(text) : text;
}

QByteArray item(const char *key, const QByteArray &value)
{
    return ' ' + QByteArray(key) + ':' + value;
}

bool applyTextKey(Route &route, const QByteArray &key, const QByteArray &value)
{
    for (const TextKey &k : textKeys) {
        const int lang = key == k.key ? 0 : key == QByteArray(k.key) + '2' ? 1 : -1;
        if (lang < 0)
            continue;
        // A byte order mark at the start of a value is dropped on every read: so it is now.
        const QString text = decodeBytes(value);
        (route.*k.set)(lang, k.trimmed ? trimmedText(text) : withoutLeadingBom(text));
        return true;
    }
    return false;
}

void applyKey(Route &route, const QByteArray &key, const QByteArray &value)
{
    if (applyTextKey(route, key, value))
        return;
    if (key == "BT") {
        if (!value.isEmpty())
            route.setSalonTabloOrder(value);
    } else if (key == "PATH_REKLAMA") {
        QByteArray relative = value;
        if (relative.startsWith('/'))
            relative.remove(0, 1);
        if (relative.endsWith('/'))
            relative.chop(1);
        // Decoded like every other value: a Windows-1251 folder name must not turn into
        // replacement characters, which the next save would write back.
        const QString folder = withoutLeadingBom(decodeBytes(relative));
        // Taken as it stands, ".." included, so that it is written back unchanged; the save
        // writes rscript.txt only into an ad folder that exists and never through a link.
        route.setAdPath(parentFolder(route.path()) + QLatin1Char('/') + folder);
    } else if (key == "TABLO_FONT") {
        if (route.frontFontFromStationFile())
            return;
        if (value.size() == 1) {
            if (value.at(0) == '0')
                route.setFrontFont(3);
        } else if (value.size() > 1) {
            route.setFrontFont((value.at(0) == '0' ? 1 : 0) | (value.at(1) == '0' ? 2 : 0));
        }
    } else if (key == "SM") {
        if (value.size() > 0)
            route.setLeftSofitColor(sofitColor(value.at(0)));
        if (value.size() > 1)
            route.setRightSofitColor(sofitColor(value.at(1)));
    } else if (key == "BR") {
        for (int i = 0; i < 2 && i < value.size(); ++i) {
            if (value.at(i) >= '1' && value.at(i) <= '3')
                route.setBrCode(i, value.at(i) - '0');
        }
    } else if (key == "CYCLE_PLAY") {
        route.setCyclePlay(true);
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool parseScriptFile(Route &route, const QByteArray *bytes)
{
    route.setSalonTabloOrder(defaultSalonTabloOrder);
    route.setAdPath(parentFolder(route.path()) + QLatin1Char('/') +
                    QLatin1String(defaultAdFolderName));
    route.setRouteText(0, QString::fromUtf8(defaultRouteText));
    route.setSalonTempText(0, QString::fromUtf8(defaultSalonTempText));
    route.setOutsideTempText(0, QString::fromUtf8(defaultOutsideTempText));
    for (auto set : {&Route::setRouteText, &Route::setSalonTempText, &Route::setOutsideTempText})
        (route.*set)(1, QString());
    route.setLeftSofitColor(0);
    route.setRightSofitColor(0);
    route.setBrCode(0, 1);
    route.setBrCode(1, 0);
    route.setCyclePlay(false);

    if (!bytes)
        return false;
    RouteFileReader reader = RouteFileReader::fromBytes(*bytes);

    // Key-value lines, then from the first line that starts with a digit on, station lines
    // naming extra files of a station.
    bool stationLines = false;
    QByteArray line;
    while (reader.readLine(line)) {
        stationLines = stationLines || (!line.isEmpty() && isDigit(line.at(0)));
        if (stationLines) {
            if (Station *station = numberedStation(route, line))
                parseFileList(line, station);
            continue;
        }
        int pos = 0;
        QByteArray value;
        for (QByteArray key = nextKeyValue(line, pos, value); !key.isEmpty();
             key = nextKeyValue(line, pos, value))
            applyKey(route, key, value);
    }
    // ost.txt could not say ".wav" as a station's only sound: it is its no-sound mark.
    for (Station *station : route.stations())
        dropNoSoundMark(*station);
    return true;
}

QByteArray scriptFileBytes(const Route &route)
{
    RouteFileWriter writer(true);
    QByteArray first =
        item("BT", plainValue(RouteFileWriter::lineBytes(route.salonTabloOrder()))) +
        item("PATH_REKLAMA",
             plainValue(RouteFileWriter::lineText(route.adFolderRelative() + '/'))) +
        item("SM", QByteArray(1, sofitLetter(route.leftSofitColor())) +
                       sofitLetter(route.rightSofitColor())) +
        item("BR", QByteArray::number(route.brCode(0)) + QByteArray::number(route.brCode(1))) +
        item("TABLO_FONT", (route.frontFont() & 1) ? "0" : "1");
    if (route.cyclePlay())
        first += " CYCLE_PLAY";
    writer.addLine(first);

    for (const TextKey &k : textKeys) {
        QByteArray line = item(k.key, quoted(RouteFileWriter::lineText((route.*k.get)(0))));
        const QString second = (route.*k.get)(1);
        if (!second.isEmpty())
            line += item((QByteArray(k.key) + '2').constData(),
                         quoted(RouteFileWriter::lineText(second)));
        writer.addLine(line);
    }
    return writer.data();
}
