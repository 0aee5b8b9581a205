#include "fuzztargets.h"

#include "editorini.h"
#include "route.h"
#include "routefilewriter.h"
#include "routefolder.h"
#include "station.h"
#include "textencoding.h"

#include <QStringList>

#include <cstring>

namespace {

// A folder no test creates: the default sound files are never found and nothing is written.
const QString routePath = QStringLiteral("/nonexistent-tessaly-fuzz/routes/12");

// Two languages, a back direction, files, coordinates and ads: the other files of a file
// target, so that each input meets a full route.
const Route::FileMap &baseFolder()
{
    static const Route::FileMap base = {
        {QStringLiteral("ost.txt"), QByteArray("\xEF\xBB\xBF"
                                               "12\\\\Centre\\\\Park_S_C\\\\F01;R4;#f00,0f0;\r\n"
                                               "  Centre\\\\Park\r\n"
                                               "1 Stop Centre.\\\\Next stop Park.\r\n"
                                               "  Halt Centre.\\\\Next Park.\r\n"
                                               "  01.wav, \"my 01.mp3\", 01.txt\r\n"
                                               "2 Stop Park.\r\n"
                                               "  .wav\r\n"
                                               "3 STOP Stop Park.\\\\Next stop Centre.\r\n"
                                               "  03.txt\r\n"
                                               "4 Stop Centre.\r\n"
                                               "  04.ape\r\n"
                                               "5 END\r\n")},
        {QStringLiteral("coord.txt"),
         QByteArray(" NEXTDELAY:7\r\n1 55.75580 37.61730 30\r\n2 \r\n3 -0.50000 0.00000 300\r\n")},
        {QStringLiteral("sidetab.txt"),
         QByteArray("\xEF\xBB\xBF"
                    "12\\\\ \\\\Park_S_N_C\\\\F11;R4;N5;S3;T hh:mm dd.MM.yy;\r\n"
                    "1 Centre\r\n  Zentrum\r\n2 Park\r\n3 \r\n")},
        {QStringLiteral("script.txt"),
         QByteArray("\xEF\xBB\xBF"
                    " BT:(MO)2(MNNSABRT)0 PATH_REKLAMA:/Reklama/ SM:BR BR:12 TABLO_FONT:1 "
                    "CYCLE_PLAY\r\n"
                    " MARSH:\"Route %n.\" MARSH2:\"R \\\"%n\\\"\"\r\n"
                    " TEMP_OUT:\"out %t\"\r\n TEMP_IN:\"in %t\"\r\n"
                    " WORD_ST:\"Stop\" WORD_ST2:\"Halt\"\r\n WORD_NEXT_ST:\"Next stop\"\r\n")},
        {QStringLiteral("backtab.txt"),
         QByteArray("\xEF\xBB\xBF"
                    "12\\\\Centre\\\\Park_S\\\\F10;R9;\r\n  Zentrum\r\n")},
        {QStringLiteral("rscript.txt"), QByteArray("a.txt\r\nb.TXT\r\n")},
    };
    return base;
}

QString shown(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.left(2000).toPercentEncoding(" \\\"';:,._-"));
}

// Every CR is followed by LF and every LF follows a CR: no line end inside a line.
QString checkLineEnds(const QString &name, const QByteArray &bytes)
{
    const char *const b = bytes.constData();
    const int size = bytes.size();
    for (int i = 0; i < size; ++i) {
        const bool bare = b[i] == '\r'   ? i + 1 >= size || b[i + 1] != '\n'
                          : b[i] == '\n' ? i == 0 || b[i - 1] != '\r'
                                         : false;
        if (bare)
            return name + QStringLiteral(": bare line end at ") + QString::number(i) +
                   QStringLiteral(" in ") + shown(bytes);
    }
    return QString();
}

// Load, save, load, save: the second save writes exactly what the first wrote.
QString checkFolder(const Route::FileMap &files)
{
    Route first;
    if (!first.loadFiles(routePath, files))
        return files.contains(QStringLiteral("ost.txt")) ? QStringLiteral("ost.txt not loaded")
                                                         : QString();
    const Route::FileMap written = first.fileBytes();
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        const QString bad = checkLineEnds(it.key(), it.value());
        if (!bad.isEmpty())
            return bad;
    }
    Route second;
    if (!second.loadFiles(routePath, written))
        return QStringLiteral("saved folder not loaded");
    const Route::FileMap again = second.fileBytes();
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (again.value(it.key()) != it.value())
            return it.key() + QStringLiteral(" changed on the second save: ") + shown(it.value()) +
                   QStringLiteral(" became ") + shown(again.value(it.key()));
    }
    return QString();
}

// The input as one file of the folder, beside only the files it depends on: a target runs
// quicker the less it reads. ost.txt must be there for the folder to load at all; the folder
// target covers the files together.
template <const char *File, bool Stations, bool Script> QString runFile(const QByteArray &input)
{
    const Route::FileMap &base = baseFolder();
    Route::FileMap files;
    files.insert(QStringLiteral("ost.txt"),
                 Stations ? base.value(QStringLiteral("ost.txt")) : QByteArray());
    if (Script)
        files.insert(QStringLiteral("script.txt"), base.value(QStringLiteral("script.txt")));
    files.insert(QLatin1String(File), input);
    return checkFolder(files);
}
const char ostName[] = "ost.txt";
const char coordName[] = "coord.txt";
const char sideName[] = "sidetab.txt";
const char backName[] = "backtab.txt";
const char scriptName[] = "script.txt";
const char adName[] = "rscript.txt";

QString runFolder(const QByteArray &input)
{
    const QList<QByteArray> pieces = input.split(fuzzFileSeparator);
    Route::FileMap files;
    for (int i = 0; i < pieces.size() && i < routeFileCount; ++i) {
        if (!pieces.at(i).isEmpty())
            files.insert(QLatin1String(routeFileFormats[i].name), pieces.at(i));
    }
    return checkFolder(files);
}

bool anyModel(int type)
{
    return type >= 0 && type <= 6;
}

QString runEditorIni(const QByteArray &input)
{
    int types[3] = {0, 1, 1};
    EditorIni::parse(input, types, anyModel);
    const QByteArray written = EditorIni::bytes(types);
    int again[3] = {6, 6, 6};
    EditorIni::parse(written, again, anyModel);
    if (!std::equal(types, types + 3, again) || EditorIni::bytes(again) != written)
        return QStringLiteral("models changed: ") + shown(written);
    return checkLineEnds(QStringLiteral("editor.ini"), written);
}

// A decoded text reads back from its own UTF-8 bytes; so does the text as the record keeps it.
QString checkWriteBack(const QString &text)
{
    const QString kept = trimmedText(text);
    const QByteArray bytes = RouteFileWriter::lineText(kept);
    if (bytes.contains('\r') || bytes.contains('\n'))
        return QStringLiteral("line break kept in ") + shown(bytes);
    QString expected = kept;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (decodeTrimmed(bytes.constData(), bytes.size()) != trimmedText(expected))
        return QStringLiteral("text changed by its write-back: ") + shown(bytes);
    if (!text.startsWith(QChar(0xFEFF)) && decodeBytes(text.toUtf8()) != text)
        return QStringLiteral("decoded text changed by its UTF-8 bytes: ") + shown(text.toUtf8());
    return QString();
}

QString runText(const QByteArray &input)
{
    // The whole input, and its two halves split at the position its first byte names.
    const int split = input.isEmpty() ? 0 : uchar(input.at(0)) % (input.size() + 1);
    for (const QString &text : {decodeBytes(input), decodeBytes(input.constData(), split),
                                decodeBytes(input.constData() + split, input.size() - split)}) {
        const QString bad = checkWriteBack(text);
        if (!bad.isEmpty())
            return bad;
        fileKind(text);
    }
    looksLikeUtf8(input.constData(), input.size());

    Station station;
    const int taken = parseFileList(input, &station);
    if (taken != station.soundFiles().size() + station.textFiles().size())
        return QStringLiteral("file count wrong");
    for (const QString &name : station.soundFiles() + station.textFiles()) {
        if (fileKind(name) == FileKindNone || name.isEmpty())
            return QStringLiteral("not a file name: ") + shown(name.toUtf8());
    }

    // Items until the empty key that ends the line, each a step forward.
    int pos = 0;
    QByteArray value;
    for (int steps = 0; !nextKeyValue(input, pos, value).isEmpty(); ++steps) {
        if (steps > input.size() || pos > input.size())
            return QStringLiteral("key reader stuck at ") + QString::number(pos);
    }
    return QString();
}

} // namespace

const FuzzTarget fuzzTargets[] = {
    {"ost", runFile<ostName, true, true>},
    {"coord", runFile<coordName, true, false>},
    {"sidetab", runFile<sideName, true, true>},
    {"backtab", runFile<backName, false, false>},
    {"script", runFile<scriptName, true, false>},
    {"rscript", runFile<adName, false, false>},
    {"editorini", runEditorIni},
    {"folder", runFolder},
    {"text", runText},
};
const int fuzzTargetCount = int(std::size(fuzzTargets));

const FuzzTarget *findFuzzTarget(const char *name)
{
    for (const FuzzTarget &t : fuzzTargets) {
        if (std::strcmp(t.name, name) == 0)
            return &t;
    }
    return nullptr;
}
