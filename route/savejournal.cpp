#include "savejournal.h"

#include "platformfiles.h"
#include "routefilereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const char journalName[] = "tessaly-save.journal";
const char tempSuffix[] = ".tessaly-new";
const char header[] = "tessaly save";
const char completeMark[] = "complete";

// A listed name outside the route folder and the folder beside it is not ours to touch.
bool acceptable(const QString &relative)
{
    return !relative.isEmpty() && !QDir::isAbsolutePath(relative) &&
           !relative.startsWith(QLatin1String("../../")) && relative != QLatin1String("..");
}

} // namespace

SaveJournal::SaveJournal(const QString &folder) : m_folder(folder) {}

QString SaveJournal::tempPathOf(const QString &path)
{
    return path + QLatin1String(tempSuffix);
}

QString SaveJournal::fileName()
{
    return QLatin1String(journalName);
}

QString SaveJournal::journalPath() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(journalName);
}

bool SaveJournal::append(const QByteArray &bytes, QString *why)
{
    QFile file(journalPath());
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write(bytes) == bytes.size() && platformfiles::syncFile(file);
    if (!written && why)
        *why = QDir::toNativeSeparators(journalPath()) + QStringLiteral(": ") + file.errorString();
    return written;
}

bool SaveJournal::begin(const QVector<Entry> &entries, QString *why)
{
    m_entries = entries;
    QFile::remove(journalPath());
    const QDir folder(m_folder);
    QByteArray bytes = QByteArray(header) + '\n';
    for (const Entry &e : entries)
        bytes += folder.relativeFilePath(e.path).toUtf8() + '\n';
    // The list's own name in the folder is on the disk before the files it names appear.
    return append(bytes, why) && platformfiles::syncFolder(m_folder);
}

bool SaveJournal::markComplete(QString *why)
{
    return append(QByteArray(completeMark) + '\n', why);
}

void SaveJournal::rollBack()
{
    for (const Entry &e : qAsConst(m_entries))
        QFile::remove(e.temp);
    QFile::remove(journalPath());
}

bool SaveJournal::end()
{
    return QFile::remove(journalPath()) && platformfiles::syncFolder(m_folder);
}

SaveJournal::Outcome SaveJournal::recover(const QString &folder)
{
    SaveJournal journal(folder);
    QByteArray bytes;
    if (RouteFileReader::read(journal.journalPath(), RouteFileReader::sizeLimit(QString()),
                              bytes) == RouteFileReader::Missing)
        return NothingPending;
    QList<QByteArray> lines = bytes.split('\n');
    // The last line was ended too: the piece after it is empty unless the write was cut.
    const bool complete = lines.size() >= 3 && lines.at(0) == header && lines.last().isEmpty() &&
                          lines.at(lines.size() - 2) == completeMark;
    const QDir dir(folder);
    QSet<QString> folders{folder};
    for (int i = 1; i < lines.size(); ++i) {
        const QString relative = QDir::cleanPath(QString::fromUtf8(lines.at(i)));
        if (lines.at(i).isEmpty() || lines.at(i) == completeMark || !acceptable(relative))
            continue;
        const QString path = dir.absoluteFilePath(relative);
        const QString temp = tempPathOf(path);
        // A missing temporary file was renamed already.
        if (complete && QFileInfo(temp).isFile())
            platformfiles::replaceFile(temp, path, nullptr);
        else
            QFile::remove(temp);
        folders.insert(QFileInfo(path).absolutePath());
    }
    for (const QString &f : qAsConst(folders))
        platformfiles::syncFolder(f);
    journal.end();
    return complete ? Completed : RolledBack;
}
