#include "filelistrules.h"

#include "routefolder.h"
#include "textencoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Names are listed as Windows lists them, so a folder reads the same on every system.
QStringList filesOf(const QString &folder)
{
    if (folder.isEmpty())
        return QStringList();
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

#ifdef Q_OS_WIN
const Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
const Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif

} // namespace

namespace {

// The name or its "~" backup, any case.
bool isFileOrBackup(const QString &name, const QString &file)
{
    const QString backup = QString(file).replace(QLatin1String(".txt"), QLatin1String("~.txt"));
    return name.compare(file, Qt::CaseInsensitive) == 0 ||
           name.compare(backup, Qt::CaseInsensitive) == 0;
}

} // namespace

bool isRouteDataFile(const QString &name)
{
    static const QStringList files = routeFolderFileNames();
    return std::any_of(files.cbegin(), files.cend(),
                       [&name](const QString &file) { return isFileOrBackup(name, file); });
}

bool isAdScriptFile(const QString &name)
{
    return isFileOrBackup(name, routeFileName(RouteFile::AdScript));
}

RouteFolderFiles scanRouteFolder(const QString &folder)
{
    RouteFolderFiles files;
    for (const QString &name : filesOf(folder)) {
        const int kind = fileKind(name);
        if (kind == FileKindSound)
            files.sounds << name;
        else if (kind == FileKindText && !isRouteDataFile(name))
            files.texts << name;
    }
    return files;
}

QStringList scanAdFolder(const QString &folder)
{
    QStringList names;
    for (const QString &name : filesOf(folder)) {
        if (fileKind(name) == FileKindText && !isAdScriptFile(name))
            names << name;
    }
    return names;
}

QString proposedFileName(const QString &folder, const QString &pattern)
{
    for (int i = 0;; ++i) {
        const QString name = pattern.arg(i);
        if (!QFileInfo::exists(folder + QLatin1Char('/') + name))
            return name;
    }
}

QString normalizedTextFileName(const QString &entered)
{
    QString name = entered.mid(entered.lastIndexOf(QLatin1Char('/')) + 1);
    name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    if (!name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        if (name.endsWith(QLatin1Char('.')))
            name.chop(1);
        // "dir/" or "." name no file: nothing would be left but the extension.
        if (name.isEmpty())
            return QString();
        name += QLatin1String(".txt");
    }
    return name;
}

bool ensureFileExists(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile();
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

AdFolderChoice checkAdFolder(const QString &routePath, const QString &adPath, const QString &chosen)
{
    if (chosen.isEmpty())
        return AdFolderChoice::Unchanged;
    const QString folder = QDir::cleanPath(chosen);
    if (folder.compare(QDir::cleanPath(adPath), Qt::CaseInsensitive) == 0)
        return AdFolderChoice::Unchanged;
    const QString route = QDir::cleanPath(routePath);
    const QString parent = route.left(route.lastIndexOf(QLatin1Char('/')));
    // Whole path components: "/routes2/x" does not lie in "/routes".
    if (folder.compare(parent, pathCase) == 0 ||
        folder.startsWith(parent + QLatin1Char('/'), pathCase))
        return AdFolderChoice::Accepted;
    return AdFolderChoice::Refused;
}
