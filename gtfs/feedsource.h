// The files of a GTFS feed, from a .zip archive or from a folder of .txt files. Every file is
// read as a stream: the archive's entries are inflated while they are read.
#pragma once

#include <QString>

#include <memory>

class KArchiveFile;
class KZip;
class QIODevice;

class FeedSource
{
public:
    FeedSource();
    ~FeedSource();
    FeedSource(const FeedSource &) = delete;
    FeedSource &operator=(const FeedSource &) = delete;

    // False with a message when the path is neither a folder nor a readable zip archive.
    bool open(const QString &path, QString *error);
    bool contains(const QString &name) const;
    // Opened for reading; null when the file is missing or can't be opened.
    std::unique_ptr<QIODevice> file(const QString &name) const;
    // Bytes of the file as it is read (inflated), 0 when unknown.
    qint64 size(const QString &name) const;

private:
    const KArchiveFile *entry(const QString &name) const;

    QString m_folder;
    std::unique_ptr<KZip> m_zip;
};
