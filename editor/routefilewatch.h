// Watches the six files of a route on disk and tells when their bytes differ from the ones the
// form last read or wrote: a change by another program, another process or another tab. The
// form's own saves, which write exactly the known bytes, raise nothing.
#pragma once

#include "route.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class RouteFileWatch : public QObject
{
    Q_OBJECT

public:
    explicit RouteFileWatch(QObject *parent = nullptr);

    // Starts over on a folder: the files now on disk are the known ones.
    void watch(const QString &routePath, const QString &adPath);
    void stop();
    // After a save: the bytes written are the known ones.
    void setKnown(const Route::FileMap &files);
    void setKnown(const QString &name, const QByteArray &bytes);
    const Route::FileMap &known() const { return m_known; }

    // The six files as they are on disk now (a missing file is absent).
    Route::FileMap diskFiles() const;
    // Names of the files on disk whose bytes differ from the known ones.
    QStringList changedFiles() const;

signals:
    // Some files differ from the known ones, and from what was reported last.
    void changedOnDisk(const QStringList &names);

private:
    QString pathOf(const QString &name) const;
    void rewatch();
    void check();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_routePath;
    QString m_adPath;
    Route::FileMap m_known;
    Route::FileMap m_reported;
};
