#include "tilecache.h"

#include <QFutureWatcher>
#include <QtConcurrent>

TileCache::TileCache(QObject *parent) : QObject(parent) {}

const QImage *TileCache::find(const QString &path)
{
    if (const QImage *image = m_images.object(path))
        return image;
    if (m_pending.contains(path))
        return nullptr;
    m_pending.insert(path);
    auto *watcher = new QFutureWatcher<QImage>(this);
    const int generation = m_generation;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path, generation] {
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        m_pending.remove(path);
        m_images.insert(path, new QImage(watcher->result()));
        emit arrived();
    });
    watcher->setFuture(QtConcurrent::run([path] { return QImage(path); }));
    return nullptr;
}

const QImage *TileCache::get(const QString &path)
{
    if (const QImage *image = m_images.object(path))
        return image;
    auto *image = new QImage(path);
    m_images.insert(path, image);
    return image;
}

void TileCache::clear()
{
    m_images.clear();
    m_pending.clear();
    ++m_generation;
}
