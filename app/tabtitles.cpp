#include "tabtitles.h"

#include <QHash>

namespace {

// The last `count` parts of a path; a drive or file system root stands for itself.
QString tail(const QStringList &parts, int count)
{
    const QString shown = parts.mid(qMax(0, parts.size() - count)).join(QLatin1Char('/'));
    return shown.isEmpty() ? parts.join(QLatin1Char('/')) + QLatin1Char('/') : shown;
}

} // namespace

QStringList distinctTabTitles(const QStringList &paths)
{
    QList<QStringList> parts;
    for (const QString &path : paths) {
        QStringList p = path.split(QLatin1Char('/'));
        while (p.size() > 1 && p.last().isEmpty())
            p.removeLast();
        parts.append(p);
    }
    QVector<int> depth(paths.size(), 1);
    QStringList titles;
    // Every round lengthens the titles that still clash with a title of another path.
    for (bool clash = true; clash;) {
        titles.clear();
        QHash<QString, QStringList> owners;
        for (int i = 0; i < paths.size(); ++i) {
            titles.append(tail(parts.at(i), depth.at(i)));
            QStringList &owner = owners[titles.last().toLower()];
            if (!owner.contains(paths.at(i)))
                owner.append(paths.at(i));
        }
        clash = false;
        for (int i = 0; i < paths.size(); ++i) {
            if (owners.value(titles.at(i).toLower()).size() > 1 &&
                depth.at(i) < parts.at(i).size()) {
                ++depth[i];
                clash = true;
            }
        }
    }
    return titles;
}
