// Line reading shared by every reader of a route folder file.
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

class RouteFileReader
{
public:
    // Opens the file read-only, without line-end translation.
    explicit RouteFileReader(const QString &path);
    // Lines of content already in memory.
    static RouteFileReader fromBytes(const QByteArray &bytes);
    // The whole file; false (and empty bytes) when it is missing or refused as read() says.
    static bool readAll(const QString &path, QByteArray &bytes);

    enum ReadStatus
    {
        Read,
        Missing,
        Refused,
    };
    // The whole file when it is a plain file of at most `limit` bytes. A pipe, device, socket
    // or directory is refused without waiting, and so is a larger file, before anything is
    // read from it. `why` gets the reason of a refusal. Every route file is read through here.
    static ReadStatus read(const QString &path, qint64 limit, QByteArray &bytes,
                           QString *why = nullptr);
    // The largest file of this name that is read, by the file's kind.
    static qint64 sizeLimit(const QString &fileName);

    bool isOpen() const { return m_open; }
    // True once every line has been read; a blank line in the file is not the end.
    bool atEnd() const { return m_pos >= m_data.size(); }
    // The next line without one trailing LF and then one trailing CR; the UTF-8 byte order
    // mark is dropped from the first line only. Empty at the end of the file.
    QByteArray readLine();
    // The same into `line`, reusing its room: no allocation per line once it is long enough.
    // False, and `line` empty, when there is no line left.
    bool readLine(QByteArray &line);
    // The same line as a view into the reader's bytes, without a copy or an allocation: valid
    // only while this reader lives.
    std::string_view readLineView();

private:
    RouteFileReader() = default;
    // Moves past the next line; its start and length without the line end.
    int nextLine(int &start);

    QByteArray m_data;
    int m_pos = 0;
    bool m_open = false;
};
