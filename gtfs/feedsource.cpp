#include "feedsource.h"

#include <KZip>

#include <QFile>
#include <QFileInfo>

FeedSource::FeedSource() = default;
FeedSource::~FeedSource() = default;

bool FeedSource::open(const QString &path, QString *error)
{
    m_folder.clear();
    m_zip.reset();
    const QFileInfo info(path);
    if (info.isDir()) {
        m_folder = info.absoluteFilePath();
        return true;
    }
    auto zip = std::make_unique<KZip>(path);
    if (!info.isFile() || !zip->open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: не удалось открыть набор GTFS (нужен zip-архив или папка)")
                         .arg(path);
        return false;
    }
    m_zip = std::move(zip);
    return true;
}

const KArchiveFile *FeedSource::entry(const QString &name) const
{
    if (!m_zip)
        return nullptr;
    const KArchiveDirectory *root = m_zip->directory();
    const KArchiveEntry *e = root->entry(name);
    // Some feeds are zipped with their folder: one level down is looked at too.
    if (!e) {
        const QStringList names = root->entries();
        for (const QString &n : names) {
            const KArchiveEntry *sub = root->entry(n);
            if (sub && sub->isDirectory()) {
                e = static_cast<const KArchiveDirectory *>(sub)->entry(name);
                if (e)
                    break;
            }
        }
    }
    return e && e->isFile() ? static_cast<const KArchiveFile *>(e) : nullptr;
}

bool FeedSource::contains(const QString &name) const
{
    return m_zip ? entry(name) != nullptr : QFileInfo(m_folder + QLatin1Char('/') + name).isFile();
}

std::unique_ptr<QIODevice> FeedSource::file(const QString &name) const
{
    std::unique_ptr<QIODevice> device;
    if (m_zip) {
        if (const KArchiveFile *e = entry(name))
            device.reset(e->createDevice());
    } else if (!m_folder.isEmpty()) {
        device = std::make_unique<QFile>(m_folder + QLatin1Char('/') + name);
    }
    if (device && !device->isOpen() && !device->open(QIODevice::ReadOnly))
        device.reset();
    return device;
}

qint64 FeedSource::size(const QString &name) const
{
    if (m_zip) {
        const KArchiveFile *e = entry(name);
        return e ? e->size() : 0;
    }
    return QFileInfo(m_folder + QLatin1Char('/') + name).size();
}
