// Writing conventions of route folder files: UTF-8 bytes, CR LF line ends, atomic replacement.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class RouteFileWriter
{
public:
    // withBom starts the content with the UTF-8 byte order mark.
    explicit RouteFileWriter(bool withBom);

    // Appends the bytes of one line and CR LF.
    void addLine(const QByteArray &bytes);
    // Or a line piece by piece: pieces, then endLine().
    RouteFileWriter &operator<<(const QByteArray &bytes)
    {
        m_data += bytes;
        return *this;
    }
    RouteFileWriter &operator<<(const char *bytes)
    {
        m_data += bytes;
        return *this;
    }
    RouteFileWriter &operator<<(char byte)
    {
        m_data += byte;
        return *this;
    }
    // A whole number in decimal, as QByteArray::number gives it.
    RouteFileWriter &number(int value);
    void endLine() { m_data += "\r\n"; }
    // Appends lineText(text) without an intermediate array.
    RouteFileWriter &text(const QString &text)
    {
        appendLineText(m_data, text);
        return *this;
    }
    // Appends degreesText(degrees), likewise.
    RouteFileWriter &degrees(double degrees)
    {
        appendDegrees(m_data, degrees);
        return *this;
    }
    void reserve(int bytes) { m_data.reserve(bytes); }
    const QByteArray &data() const { return m_data; }
    // Replaces the file at path; on failure the old file stays as it was and false is returned.
    bool commit(const QString &path) { return save(path, m_data); }
    // UTF-8 bytes of a text that has to stay on its line: CR and LF (a pasted line break)
    // become spaces, or they would split the line and corrupt the file.
    static QByteArray lineText(const QString &text);
    // The same for bytes kept as read, such as the interior board's order string.
    static QByteArray lineBytes(QByteArray bytes);
    static void appendLineText(QByteArray &out, const QString &text);
    // Degrees with five decimals as QByteArray::number(degrees, 'f', 5) gives them, except that a
    // value that rounds to zero has no sign: "-0.00000" would read back as -0.0, which prints as
    // "0.00000", and the next save would differ.
    static QByteArray degreesText(double degrees);
    static void appendDegrees(QByteArray &out, double degrees);
    // Replaces the file at path with finished content, like commit(); `why` names the file
    // and gives the system's reason when it fails.
    static bool save(const QString &path, const QByteArray &content, QString *why = nullptr);

    // One file of a set saved together; `folder` is the folder it must not leave.
    struct Target
    {
        QString folder;
        QString path;
        QByteArray content;
    };
    // Replaces all files or none, even when the program is stopped half-way: each is written
    // in full to a temporary file beside it and synced, a SaveJournal in the first target's
    // folder records the renames, they follow back to back and the folders are synced after
    // them. A file that is a link to somewhere outside its folder, or that is not a plain file,
    // is refused. False on any failure, with the file and the reason in `why`; no temporary
    // file stays.
    static bool saveAll(const QVector<Target> &targets, QString *why = nullptr);
    // Whether writing through `path` stays inside `folder` (a link may point elsewhere).
    static bool staysInside(const QString &folder, const QString &path);

    // Called at each step of saveAll (after each write, sync and rename): tests stop there.
    static void (*stepHook)(const char *step);

private:
    static bool saveOne(const Target &target, QString *why);

    QByteArray m_data;
};
