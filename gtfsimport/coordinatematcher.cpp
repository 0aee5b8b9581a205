#include "coordinatematcher.h"

#include "gtfsfeed.h"
#include "gtfsroutebuilder.h"
#include "route.h"
#include "stationrules.h"

#include <QHash>
#include <QSet>

QString CoordinateMatcher::bareName(const QString &name)
{
    QString n = name.trimmed();
    const QString mark = GtfsRouteBuilder::finalStopMark();
    if (n.endsWith(mark, Qt::CaseInsensitive))
        n.chop(mark.size());
    n = n.trimmed();
    while (n.endsWith(QLatin1Char('.')))
        n.chop(1);
    return n.simplified().toLower().replace(QChar(0x451), QChar(0x435)); // ё as е
}

CoordinateMatch CoordinateMatcher::match(const Route &route, bool separate, int langCount,
                                         const GtfsFeed &feed, int feedRoute)
{
    // Feed stops with a position by bare name; the chosen route's by direction as well.
    QHash<QString, QVector<int>> all;
    for (int i = 0; i < feed.stops().size(); ++i) {
        if (feed.stops().at(i).coordinate.isValid())
            all[bareName(feed.stopName(i))].append(i);
    }
    QSet<int> onRoute[2];
    for (int p : feed.patternsOf(feedRoute)) {
        for (int stop : feed.patterns().at(p).stops)
            onRoute[feed.patterns().at(p).direction].insert(stop);
    }
    // Candidates at one and the same point are one place.
    auto distinct = [&](QVector<int> list) {
        QVector<int> out;
        for (int s : list) {
            bool same = false;
            for (int o : out)
                same = same || feed.stops().at(o).coordinate == feed.stops().at(s).coordinate;
            if (!same)
                out.append(s);
        }
        return out;
    };

    const StationRules rules(route, separate, langCount);
    CoordinateMatch result;
    result.coordinates.resize(route.stationCount());
    for (int i = 0; i < route.stationCount(); ++i) {
        if (rules.isNextEntry(i))
            continue;
        const QString shown = rules.autoSideName(i, 0);
        const QVector<int> candidates = distinct(all.value(bareName(shown)));
        const int direction = i < route.backStationIndex() ? 0 : 1;
        QVector<int> own, either;
        for (int s : candidates) {
            if (onRoute[direction].contains(s))
                own.append(s);
            if (onRoute[0].contains(s) || onRoute[1].contains(s))
                either.append(s);
        }
        const QVector<int> &best =
            own.size() == 1 ? own : (!either.isEmpty() ? either : candidates);
        if (best.size() == 1) {
            result.coordinates[i] = feed.stops().at(best.first()).coordinate;
            ++result.matched;
        } else if (best.isEmpty()) {
            result.unmatched.append(shown);
        } else {
            result.ambiguous.append(shown);
        }
    }
    return result;
}
