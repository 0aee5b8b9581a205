#include "folderlock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString lockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

FolderLock::FolderLock(const QString &folder, QObject *parent)
    : QObject(parent),
      m_lock(std::make_unique<QLockFile>(lockFolder() + QStringLiteral("/tessaly-") + key(folder) +
                                         QStringLiteral(".lock")))
{
    // Only a dead owner frees a lock, never its age: a route stays open for hours.
    m_lock->setStaleLockTime(0);
}

FolderLock::~FolderLock() = default;

bool FolderLock::tryLock()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

void FolderLock::unlock()
{
    m_lock->unlock();
}

QString FolderLock::canonical(const QString &folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : path;
}

QString FolderLock::key(const QString &folder)
{
    QString path = canonical(folder);
#ifdef Q_OS_WIN
    path = path.toLower(); // one folder, whatever case it was typed in
#endif
    return QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}
