// The mark of a route folder open in one Tessaly process: a lock file in the per-user runtime
// folder, keyed by the folder's canonical path, so that nothing is written into the route
// folder. A lock left by a process that has died counts as free.
#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class FolderLock : public QObject
{
    Q_OBJECT

public:
    explicit FolderLock(const QString &folder, QObject *parent = nullptr);
    ~FolderLock() override;

    // False while another running process holds the folder.
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_lock->isLocked(); }

    // The same key for every spelling of one folder.
    static QString key(const QString &folder);
    static QString canonical(const QString &folder);

private:
    std::unique_ptr<QLockFile> m_lock;
};
