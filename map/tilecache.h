// The tiles of a tile folder read off the GUI thread: a tile not read yet is asked for and
// drawn when it arrives; a missing tile is remembered as a null image.
#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>

class TileCache : public QObject
{
    Q_OBJECT

public:
    explicit TileCache(QObject *parent = nullptr);

    // The image of a tile file when read; otherwise null, and its reading starts.
    const QImage *find(const QString &path);
    // Reads the tile now when it is not there yet (exports want every tile).
    const QImage *get(const QString &path);
    void clear();

signals:
    void arrived();

private:
    QCache<QString, QImage> m_images{512};
    QSet<QString> m_pending;
    int m_generation = 0; // tiles asked for before a clear are dropped
};
