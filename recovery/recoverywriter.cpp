#include "recoverywriter.h"

#include "recoverystore.h"

RecoveryWriter::RecoveryWriter(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

RecoveryWriter::~RecoveryWriter()
{
    wait();
}

void RecoveryWriter::keep(const QString &routePath, Route::FileMap files)
{
    m_pool.start([routePath, files = std::move(files)] { RecoveryStore::write(routePath, files); });
}

void RecoveryWriter::drop(const QString &routePath)
{
    m_pool.start([routePath] { RecoveryStore::remove(routePath); });
}

void RecoveryWriter::wait()
{
    m_pool.waitForDone();
}
