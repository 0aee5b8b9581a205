// The record that makes a save of several files all-or-nothing across a crash or a power cut.
#pragma once

#include <QString>
#include <QVector>

// Before the first rename the save lists, in a small file in the route folder, which temporary
// file is to replace which file, and marks the list complete once every temporary file is on
// the disk. Opening the folder then finishes an interrupted save whose list is complete and
// throws away the temporary files of one whose list is not. A finished save leaves no file.
class SaveJournal
{
public:
    struct Entry
    {
        QString temp;
        QString path;
    };
    enum Outcome
    {
        NothingPending,
        Completed,
        RolledBack,
    };

    explicit SaveJournal(const QString &folder);

    // Where the new content of `path` is written first.
    static QString tempPathOf(const QString &path);
    static QString fileName();

    // Lists the entries, on the disk, before any temporary file is made.
    bool begin(const QVector<Entry> &entries, QString *why);
    // Marks the list complete: from here on the save is finished, if need be on the next open.
    bool markComplete(QString *why);
    // Throws away the temporary files and the list of a save that failed before its renames.
    void rollBack();
    // Removes the list once every rename is done.
    bool end();

    // Finishes or undoes the interrupted save of `folder`, if there is one.
    static Outcome recover(const QString &folder);

private:
    QString journalPath() const;
    bool append(const QByteArray &bytes, QString *why);

    QString m_folder;
    QVector<Entry> m_entries;
};
