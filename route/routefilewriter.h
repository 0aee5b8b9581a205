// Writing conventions of route folder files: UTF-8 bytes, CR LF line ends, atomic replacement.
#pragma once

#include <QByteArray>
#include <QString>

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
    void endLine() { m_data += "\r\n"; }
    void reserve(int bytes) { m_data.reserve(bytes); }
    const QByteArray &data() const { return m_data; }
    // Replaces the file at path; on failure the old file stays as it was and false is returned.
    bool commit(const QString &path) { return save(path, m_data); }
    // UTF-8 bytes of a text that has to stay on its line: CR and LF (a pasted line break)
    // become spaces, or they would split the line and corrupt the file.
    static QByteArray lineText(const QString &text);
    // The same for bytes kept as read, such as the interior board's order string.
    static QByteArray lineBytes(QByteArray bytes);
    // Replaces the file at path with finished content, like commit().
    static bool save(const QString &path, const QByteArray &content);

private:
    QByteArray m_data;
};
