// Keeps the recovery copy of one route off the GUI thread: writes and removals run in order on
// a thread of their own, so a late write never brings back a copy that was removed.
#pragma once

#include "route.h"

#include <QObject>
#include <QThreadPool>

class RecoveryWriter : public QObject
{
    Q_OBJECT

public:
    explicit RecoveryWriter(QObject *parent = nullptr);
    ~RecoveryWriter() override;

    // The bytes come serialised already: only the writing leaves the GUI thread.
    void keep(const QString &routePath, Route::FileMap files);
    void drop(const QString &routePath);
    // Waits for the writes still queued.
    void wait();

private:
    QThreadPool m_pool;
};
