#include "recoverystore.h"

#include "folderlock.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char suffix[] = ".recovery";
const quint32 magic = 0x54524331; // "TRC1"

} // namespace

QString RecoveryStore::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryStore::copyPath(const QString &routePath)
{
    return folder() + QLatin1Char('/') + FolderLock::key(routePath) + QLatin1String(suffix);
}

QStringList RecoveryStore::copies()
{
    QStringList paths;
    const QDir dir(folder());
    for (const QString &name :
         dir.entryList({QStringLiteral("*") + QLatin1String(suffix)}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

bool RecoveryStore::write(const QString &routePath, const Route::FileMap &files)
{
    if (!QDir().mkpath(folder()))
        return false;
    QSaveFile file(copyPath(routePath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_15);
    out << magic << routePath << files;
    return out.status() == QDataStream::Ok && file.commit();
}

bool RecoveryStore::read(const QString &copyPath, Copy &copy)
{
    QFile file(copyPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_5_15);
    quint32 mark = 0;
    in >> mark;
    if (mark != magic)
        return false;
    in >> copy.routePath >> copy.files;
    return in.status() == QDataStream::Ok && !copy.routePath.isEmpty() &&
           copy.files.contains(QStringLiteral("ost.txt"));
}

void RecoveryStore::remove(const QString &routePath)
{
    QFile::remove(copyPath(routePath));
}
