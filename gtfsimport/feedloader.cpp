#include "feedloader.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent>

#include <atomic>

std::shared_ptr<GtfsFeed> FeedLoader::load(QWidget *parent, const QString &path,
                                           GtfsFeed::Options options, QString *error)
{
    struct Shared
    {
        std::atomic<bool> cancel{false};
        std::atomic<qint64> done{0};
        std::atomic<qint64> total{0};
    };
    auto shared = std::make_shared<Shared>();
    options.progress = [shared](qint64 done, qint64 total) {
        shared->done = done;
        shared->total = total;
        return !shared->cancel;
    };
    auto feed = std::make_shared<GtfsFeed>();

    QProgressDialog progress(QStringLiteral("Чтение набора GTFS…"), QStringLiteral("Отмена"), 0,
                             1000, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoReset(false);
    progress.setValue(0);
    QObject::connect(&progress, &QProgressDialog::canceled, [shared] { shared->cancel = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        const qint64 total = shared->total;
        if (total > 0)
            progress.setValue(int(qMin<qint64>(999, shared->done * 1000 / total)));
    });
    tick.start(100);

    QEventLoop loop;
    QFutureWatcher<GtfsFeed::Result> watcher;
    QObject::connect(&watcher, &QFutureWatcher<GtfsFeed::Result>::finished, &loop,
                     &QEventLoop::quit);
    watcher.setFuture(
        QtConcurrent::run([feed, path, options] { return feed->read(path, options); }));
    if (!watcher.isFinished())
        loop.exec();
    const GtfsFeed::Result result = watcher.result();
    if (error)
        *error = result == GtfsFeed::Unreadable ? feed->error() : QString();
    return result == GtfsFeed::Read ? feed : nullptr;
}

QString FeedLoader::feedPath(const QString &chosen)
{
    const QFileInfo info(chosen);
    return info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0
               ? info.absolutePath()
               : chosen;
}
