// Coordinates for the stops of an existing route from a feed: each stop is matched by its
// bare name (the side name the station rules derive, without the final-stop mark), the stops
// of a chosen route's patterns first.
#pragma once

#include <QGeoCoordinate>
#include <QStringList>
#include <QVector>

class GtfsFeed;
class Route;

struct CoordinateMatch
{
    QVector<QGeoCoordinate> coordinates; // per station; invalid: left as it is
    int matched = 0;
    QStringList ambiguous; // several feed stops of that name, none preferred
    QStringList unmatched;
};

class CoordinateMatcher
{
public:
    // `separate`: next-stop announcements are entries of their own (they are passed over).
    // `route`: the feed route whose stops are preferred, -1 for none.
    static CoordinateMatch match(const Route &route, bool separate, int langCount,
                                 const GtfsFeed &feed, int feedRoute);
    static QString bareName(const QString &name);
};
