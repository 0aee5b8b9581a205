#include "routefilewatch.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char *const fileNames[] = {"ost.txt",    "coord.txt",   "sidetab.txt",
                                 "script.txt", "backtab.txt", "rscript.txt"};

} // namespace

RouteFileWatch::RouteFileWatch(QObject *parent) : QObject(parent)
{
    // A writer replaces a file in several steps: they settle before the bytes are compared.
    m_settle.setSingleShot(true);
    m_settle.setInterval(150);
    connect(&m_settle, &QTimer::timeout, this, &RouteFileWatch::check);
    auto changed = [this] {
        rewatch();
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
}

QString RouteFileWatch::pathOf(const QString &name) const
{
    const QString &folder = name == QLatin1String("rscript.txt") ? m_adPath : m_routePath;
    return folder + QLatin1Char('/') + name;
}

void RouteFileWatch::watch(const QString &routePath, const QString &adPath)
{
    stop();
    m_routePath = routePath;
    m_adPath = adPath;
    m_known = diskFiles();
    rewatch();
}

void RouteFileWatch::stop()
{
    m_settle.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_known.clear();
    m_reported.clear();
}

void RouteFileWatch::setKnown(const Route::FileMap &files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        setKnown(it.key(), it.value());
}

void RouteFileWatch::setKnown(const QString &name, const QByteArray &bytes)
{
    m_known.insert(name, bytes);
    m_reported.remove(name);
}

// A file replaced by renaming is a new file: its watch is set again.
void RouteFileWatch::rewatch()
{
    if (m_routePath.isEmpty())
        return;
    QStringList paths;
    for (const QString &folder : {m_routePath, m_adPath}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            paths << folder;
    }
    for (const char *name : fileNames) {
        const QString path = pathOf(QLatin1String(name));
        if (QFileInfo::exists(path))
            paths << path;
    }
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    QStringList added;
    for (const QString &path : paths) {
        if (!watched.contains(path) && !added.contains(path))
            added << path;
    }
    if (!added.isEmpty())
        m_watcher.addPaths(added);
}

Route::FileMap RouteFileWatch::diskFiles() const
{
    Route::FileMap files;
    for (const char *name : fileNames) {
        QFile file(pathOf(QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            files.insert(QLatin1String(name), file.readAll());
    }
    return files;
}

QStringList RouteFileWatch::changedFiles() const
{
    const Route::FileMap disk = diskFiles();
    QStringList names;
    for (const char *name : fileNames) {
        const QString n = QLatin1String(name);
        // A file gone is no one's work that a save could write over.
        if (disk.contains(n) && (!m_known.contains(n) || disk.value(n) != m_known.value(n)))
            names << n;
    }
    return names;
}

void RouteFileWatch::check()
{
    const Route::FileMap disk = diskFiles();
    QStringList fresh;
    for (const QString &name : changedFiles()) {
        if (!m_reported.contains(name) || m_reported.value(name) != disk.value(name))
            fresh << name;
        m_reported.insert(name, disk.value(name));
    }
    if (!fresh.isEmpty())
        emit changedOnDisk(changedFiles());
}
