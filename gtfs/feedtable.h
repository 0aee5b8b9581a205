// One table of a feed: its header row, its columns by name and the places of its fields
// for messages ("stops.txt, строка 5, столбец stop_lat").
#pragma once

#include "csvreader.h"

#include <QHash>
#include <QIODevice>
#include <QString>

#include <initializer_list>
#include <memory>

class FeedSource;

class FeedTable
{
public:
    // Opens the file and reads its header; `required` columns must all be there. A missing
    // optional file (required empty) is an empty table without error.
    bool open(const FeedSource &source, const QString &name,
              std::initializer_list<const char *> required, QString *error, bool optional = false);
    bool next() { return m_reader && m_reader->next(); }
    int column(const char *name) const { return m_columns.value(QByteArray(name), -1); }
    // Only the first `count` fields of each row are wanted.
    void limitFields(int count) { m_reader->limitFields(count); }
    std::string_view field(int column) const { return m_reader->field(column); }
    QString text(int column) const { return m_reader->text(column).trimmed(); }
    QString where(int column) const;
    qint64 bytesRead() const { return m_reader ? m_reader->bytesRead() : 0; }
    qint64 size() const { return m_size; }

private:
    QString m_name;
    std::unique_ptr<QIODevice> m_device;
    std::unique_ptr<CsvReader> m_reader;
    QHash<QByteArray, int> m_columns;
    QList<QByteArray> m_header;
    qint64 m_size = 0;
};
