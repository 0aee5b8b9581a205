// Encoding choice for texts of a route folder and the small parsers that several formats share.
#pragma once

#include <QByteArray>
#include <QString>

#include <limits>
#include <type_traits>

class Station;
class QTextCodec;

enum FileKind
{
    FileKindNone = 0,
    FileKindSound = 1,
    FileKindText = 2,
};

// The two codecs of route folder texts, created on first use and kept for the whole run.
QTextCodec *utf8Codec();
QTextCodec *cp1251Codec();

// Whether the bytes read better as UTF-8 than as Windows-1251; length -1 means up to NUL.
bool looksLikeUtf8(const char *bytes, int length = -1);
// Decodes with the codec that looksLikeUtf8 picks for exactly these bytes.
QString decodeBytes(const QByteArray &bytes);
QString decodeBytes(const char *bytes, int length);

// A decoded field as kept in the record: trimmed, and without a byte order mark at its start,
// which the decoder would drop the next time the field is read.
QString trimmedText(QString text);
// The same for a text kept untrimmed: only the marks at its start go.
QString withoutLeadingBom(QString text);
QString decodeTrimmed(const char *bytes, int length);

// Whether a text holds a file name ending (a dot and a known extension, any case) anywhere:
// only then can a line of it read as a files line.
bool mentionsFileEnding(const QString &text);

// A text kept from reading as file names in a line that may also be a files line: a no-break
// space follows every word that ends in a file name ending. The boards have no glyph for it
// and show nothing in its place. withoutFileWordMarks takes exactly those spaces away again.
QString withFileWordsKept(const QString &text);
QString withoutFileWordMarks(const QString &text);

// FileKindSound for .wav/.mp3/.ape, FileKindText for .txt, any case; else FileKindNone.
int fileKind(const QString &name);

// Appends the sound and text file names of one files line to the station; returns how many.
int parseFileList(const QByteArray &line, Station *station);

// Plain decimal digits (at most 18) into value; false for anything else.
bool plainDigits(const char *bytes, int length, qulonglong &value);
// A number token as QByteArray's toInt, toUInt, toLongLong or toULongLong read it (base 10),
// without their NUL-terminated copy when it is plain digits.
template <typename T> T decimalValue(const char *bytes, int length, bool *ok = nullptr)
{
    qulonglong value = 0;
    if (plainDigits(bytes, length, value) && value <= qulonglong(std::numeric_limits<T>::max())) {
        if (ok)
            *ok = true;
        return T(value);
    }
    const QByteArray token(bytes, length);
    if constexpr (std::is_same_v<T, int>)
        return token.toInt(ok);
    else if constexpr (std::is_same_v<T, uint>)
        return token.toUInt(ok);
    else if constexpr (std::is_same_v<T, qlonglong>)
        return token.toLongLong(ok);
    else
        return token.toULongLong(ok);
}

// Reads the next KEY, KEY:value or KEY:"quoted value" item from pos; an empty key ends the line.
QByteArray nextKeyValue(const QByteArray &line, int &pos, QByteArray &value);

// The first kilobyte of a file for previews; empty when it cannot be read.
QByteArray readFileHead(const QString &path);
