// Records of a CSV file as GTFS writes it (RFC 4180), streamed from a device a block at a
// time: UTF-8 with or without a byte order mark, LF or CR LF, quoted fields with doubled
// quotes and line breaks inside. Blank lines are passed over.
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

class QIODevice;

class CsvReader
{
public:
    explicit CsvReader(QIODevice *device);

    // Fields after the first `count` are not split off (they read as empty).
    void limitFields(int count) { m_limit = count; }
    // Reads the next record; false at the end of the file.
    bool next();
    int size() const { return int(m_fields.size()); }
    // A field of the current record; empty past its end (ragged rows).
    std::string_view field(int i) const
    {
        if (i < 0 || i >= size())
            return {};
        const Span &s = m_fields[size_t(i)];
        return {m_buffer.constData() + s.start, size_t(s.size)};
    }
    QString text(int i) const;
    // The line of the file on which the current record begins, from 1.
    qint64 line() const { return m_line; }
    // Bytes consumed so far, for progress.
    qint64 bytesRead() const { return m_consumed + m_pos; }

private:
    struct Span
    {
        int start;
        int size;
    };
    bool fill();
    // The end of the record at m_pos (its line break, or the buffer's end at the file's end);
    // -1 when the buffer holds only part of it.
    int recordEnd(int &lines) const;
    void split(int end);

    QIODevice *m_device;
    QByteArray m_buffer;
    int m_pos = 0;
    qint64 m_consumed = 0;
    qint64 m_line = 0;
    qint64 m_nextLine = 1;
    bool m_eof = false;
    bool m_started = false;
    int m_limit = 1 << 30;
    std::vector<Span> m_fields;
};
