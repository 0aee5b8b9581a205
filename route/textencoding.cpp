#include "textencoding.h"

#include "platformfiles.h"
#include "station.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <cstring>

namespace {

const int headSize = 1024;

inline bool isContinuation(uchar c)
{
    return c >= 0x80 && c <= 0xBF;
}

inline bool inRange(uchar c, uchar low, uchar high)
{
    return c >= low && c <= high;
}

// Length of the well-formed UTF-8 sequence at p (1 for a plain ASCII byte), 0 when it is not
// one. Every well-formed sequence counts, also those of the E2 80 block (dashes, quotes, "…")
// and "№": otherwise a short text such as "№5" that this program itself wrote in UTF-8 would
// come back as Windows-1251.
int utf8SequenceLength(const uchar *p, const uchar *end)
{
    const uchar lead = p[0];
    if (lead < 0x80)
        return 1;
    const long left = end - p;
    if (inRange(lead, 0xC2, 0xDF))
        return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (inRange(lead, 0xE0, 0xEF)) {
        // Neither overlong forms (E0 80..9F) nor surrogates (ED A0..BF).
        const uchar low = lead == 0xE0 ? 0xA0 : 0x80;
        const uchar high = lead == 0xED ? 0x9F : 0xBF;
        return left >= 3 && inRange(p[1], low, high) && isContinuation(p[2]) ? 3 : 0;
    }
    if (inRange(lead, 0xF0, 0xF4)) {
        const uchar low = lead == 0xF0 ? 0x90 : 0x80;
        const uchar high = lead == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && inRange(p[1], low, high) && isContinuation(p[2]) && isContinuation(p[3])
                   ? 4
                   : 0;
    }
    return 0;
}

bool isAscii(const char *bytes, int length)
{
    const char *p = bytes;
    const char *const end = bytes + length;
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, sizeof word);
        if (word & Q_UINT64_C(0x8080808080808080))
            return false;
    }
    for (; p < end; ++p) {
        if (uchar(*p) >= 0x80)
            return false;
    }
    return true;
}

// Kind by the last four characters of a name, `at(i)` giving the code of character i of them.
// Every extension is a dot and three ASCII letters or digits, compared without case.
template <typename At> int endingKind(At at)
{
    if (at(0) != '.')
        return FileKindNone;
    char ext[4] = {};
    for (int i = 0; i < 3; ++i) {
        const uint c = at(i + 1);
        if (c > 0x7F)
            return FileKindNone;
        ext[i] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    static const char *const soundExtensions[] = {"wav", "mp3", "ape"};
    for (const char *sound : soundExtensions) {
        if (std::memcmp(ext, sound, 3) == 0)
            return FileKindSound;
    }
    return std::memcmp(ext, "txt", 3) == 0 ? FileKindText : FileKindNone;
}

// Whether any word of a files line could end in a known extension: a dot, three bytes of one,
// then what ends a name (a blank or control byte, a comma, a quote or the end of the line).
// Most text lines have none, and are then passed over without cutting them into words.
bool mayListFiles(const uchar *b, int size)
{
    for (const uchar *p = b;
         (p = static_cast<const uchar *>(std::memchr(p, '.', size_t(b + size - p)))); ++p) {
        const long left = b + size - p;
        if (left < 4)
            return false;
        const bool endsName = left == 4 || p[4] <= 0x20 || p[4] == ',' || p[4] == '"';
        if (endsName && endingKind([p](int i) { return uint(p[i]); }) != FileKindNone)
            return true;
    }
    return false;
}

} // namespace

QTextCodec *utf8Codec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("UTF-8");
    return codec;
}

QTextCodec *cp1251Codec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("Windows-1251");
    return codec;
}

bool looksLikeUtf8(const char *bytes, int length)
{
    if (!bytes || length == 0 || bytes[0] == '\0')
        return true;
    if (length < 0)
        length = int(qstrlen(bytes));
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + length;
    int score = 5;
    while (p < end && *p) {
        const int n = utf8SequenceLength(p, end);
        if (n > 1) {
            if (++score > 9)
                return true;
        } else if (n == 0) {
            if (--score == 0)
                return false;
        }
        p += n > 0 ? n : 1;
    }
    return score > 4;
}

QString decodeBytes(const QByteArray &bytes)
{
    return decodeBytes(bytes.constData(), bytes.size());
}

QString decodeBytes(const char *bytes, int length)
{
    if (!bytes || length <= 0)
        return QString();
    // Most texts are plain ASCII, which reads the same in both codecs; fromUtf8 decodes exactly
    // like the UTF-8 codec without the codec's overhead.
    if (isAscii(bytes, length))
        return QString::fromLatin1(bytes, length);
    if (looksLikeUtf8(bytes, length))
        return QString::fromUtf8(bytes, length);
    return cp1251Codec()->toUnicode(bytes, length);
}

QString trimmedText(QString text)
{
    // Most texts need nothing: then the text itself is handed back.
    if (text.isEmpty() ||
        (!text.front().isSpace() && !text.back().isSpace() && text.front() != QChar(0xFEFF)))
        return text;
    QString t = text.trimmed();
    while (t.startsWith(QChar(0xFEFF)))
        t = t.mid(1).trimmed();
    return t;
}

QString withoutLeadingBom(QString text)
{
    int marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
        ++marks;
    text.remove(0, marks);
    return text;
}

QString decodeTrimmed(const char *bytes, int length)
{
    // ASCII blanks at the ends go before decoding, which saves trimming a copy: they decode
    // alike in both codecs and do not weigh in the choice between them.
    if (!bytes || length <= 0)
        return QString();
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (length > 0 && blank(bytes[length - 1]))
        --length;
    while (length > 0 && blank(*bytes)) {
        ++bytes;
        --length;
    }
    return length > 0 ? trimmedText(decodeBytes(bytes, length)) : QString::fromLatin1("", 0);
}

bool mentionsFileEnding(const QString &text)
{
    const QChar *const chars = text.constData();
    for (int dot = text.indexOf(QLatin1Char('.')); dot >= 0 && dot + 4 <= text.size();
         dot = text.indexOf(QLatin1Char('.'), dot + 1)) {
        const QChar *const ending = chars + dot;
        if (endingKind([ending](int i) { return ending[i].unicode(); }) != FileKindNone)
            return true;
    }
    return false;
}

namespace {

const QChar noBreakSpace(0x00A0);

// Whether the four characters before `end` are a file name ending.
bool fileEndingBefore(const QString &text, int end)
{
    if (end < 4)
        return false;
    const QChar *const ending = text.constData() + end - 4;
    return endingKind([ending](int i) { return ending[i].unicode(); }) != FileKindNone;
}

// Whether a word of a files line would end at `pos`; a no-break space counts, so that one
// typed there is kept apart from the mark.
bool wordEndsAt(const QString &text, int pos)
{
    if (pos >= text.size())
        return true;
    const QChar c = text.at(pos);
    return c.unicode() <= 0x20 || c == QLatin1Char(',') || c == QLatin1Char('"') ||
           c == noBreakSpace;
}

} // namespace

QString withFileWordsKept(const QString &text)
{
    if (!mentionsFileEnding(text))
        return text;
    QString out;
    out.reserve(text.size() + 4);
    for (int i = 0; i <= text.size(); ++i) {
        if (fileEndingBefore(text, i) && wordEndsAt(text, i))
            out += noBreakSpace;
        if (i < text.size())
            out += text.at(i);
    }
    return out;
}

QString withoutFileWordMarks(const QString &text)
{
    if (!mentionsFileEnding(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const bool mark =
            text.at(i) == noBreakSpace && fileEndingBefore(text, i) && wordEndsAt(text, i + 1);
        if (!mark)
            out += text.at(i);
    }
    return out;
}

bool plainDigits(const char *bytes, int length, qulonglong &value)
{
    if (length <= 0 || length > 18)
        return false;
    value = 0;
    for (int i = 0; i < length; ++i) {
        const uint digit = uint(uchar(bytes[i])) - '0';
        if (digit > 9)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

int fileKind(const QString &name)
{
    const int size = name.size();
    if (size < 4)
        return FileKindNone;
    const QChar *const ending = name.constData() + size - 4;
    return endingKind([ending](int i) { return ending[i].unicode(); });
}

int parseFileList(const QByteArray &line, Station *station)
{
    const int size = line.size();
    const uchar *const b = reinterpret_cast<const uchar *>(line.constData());
    if (!mayListFiles(b, size))
        return 0;
    int taken = 0;
    int pos = 0;
    while (pos < size) {
        if (b[pos] <= 0x20 || b[pos] == ',') {
            ++pos;
            continue;
        }
        int start;
        int end;
        if (b[pos] == '"') {
            start = pos + 1;
            if (start < size && b[start] != '"' && b[start] >= 0x20) {
                end = start;
                while (end < size && b[end] != '"' && b[end] >= 0x20)
                    ++end;
                pos = end + 1;
            } else {
                end = start;
                pos += 2;
            }
        } else {
            start = pos;
            end = pos;
            while (end < size && b[end] > 0x20 && b[end] != ',')
                ++end;
            pos = end + 1;
        }
        // Bytes and decoded text end in the same ASCII extension (no other byte decodes to
        // ASCII), so the other words of a line are dropped before they are decoded.
        if (end - start < 4)
            continue;
        const uchar *const ending = b + end - 4;
        if (endingKind([ending](int i) { return uint(ending[i]); }) == FileKindNone)
            continue;
        QString name = decodeBytes(line.constData() + start, end - start);
        // Decoding drops one byte order mark at the start: what it uncovers there (another
        // mark, or quotes, which start a quoted name) would read differently once written.
        int skip = 0;
        while (skip < name.size() && (name.at(skip) == QChar(0xFEFF) || name.at(skip) == '"'))
            ++skip;
        name.remove(0, skip);
        switch (fileKind(name)) {
        case FileKindSound:
            station->soundFiles().append(name);
            ++taken;
            break;
        case FileKindText:
            station->textFiles().append(name);
            ++taken;
            break;
        default:
            break;
        }
    }
    return taken;
}

QByteArray nextKeyValue(const QByteArray &line, int &pos, QByteArray &value)
{
    value.clear();
    const int size = line.size();
    const uchar *const b = reinterpret_cast<const uchar *>(line.constData());
    if (pos < 0)
        pos = 0;
    // Non-ASCII bytes count as blanks: a key is always plain ASCII.
    while (pos < size && (b[pos] <= 0x20 || b[pos] >= 0x80))
        ++pos;
    if (pos >= size) {
        pos = size;
        return QByteArray();
    }
    QByteArray key;
    if (b[pos] != ':') {
        const int start = pos;
        while (pos < size && b[pos] != ' ' && b[pos] != ':')
            ++pos;
        key = line.mid(start, pos - start);
    }
    if (pos >= size || b[pos] != ':')
        return key;
    ++pos;
    if (pos >= size)
        return key;
    if (b[pos] != '"') {
        const int start = pos;
        while (pos < size && b[pos] != ' ')
            ++pos;
        value = line.mid(start, pos - start);
        return key;
    }
    // Quoted value: a backslash before a quote makes that quote part of the value.
    for (++pos; pos < size; ++pos) {
        const char c = char(b[pos]);
        if (c == '"') {
            if (!value.endsWith('\\')) {
                ++pos;
                break;
            }
            value[value.size() - 1] = '"';
        } else {
            value.append(c);
        }
    }
    return key;
}

QByteArray readFileHead(const QString &path)
{
    // A pipe or a device in place of a text file is not opened: it could block or never end.
    QFile file;
    if (!QFileInfo::exists(path) || !platformfiles::openPlainFile(file, path, nullptr))
        return QByteArray();
    return file.read(headSize);
}
