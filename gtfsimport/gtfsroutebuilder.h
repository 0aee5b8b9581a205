// A new route folder's record from two patterns of a GTFS feed, made with the editor's own
// rules: the new-route defaults, the stops of the way there and the way back from the back
// index on, the automatic next-stop texts and side names, and the front board leading the
// side and back boards.
#pragma once

#include <QString>

class GtfsFeed;
class Route;

struct GtfsChoice
{
    int route = -1;
    int forward = -1;   // pattern indices of the feed
    int back = -1;      // -1: no way back
    QString lang;       // translation for the first language; empty: stop_name
    QString secondLang; // translation for the second language; empty: one language only
};

class GtfsRouteBuilder
{
public:
    // Fills a record without a path; false when the choice names no pattern of the route.
    static bool build(const GtfsFeed &feed, const GtfsChoice &choice, const QString &path,
                      Route &route);
    // What a final stop's first-language text ends with, as in a new route.
    static QString finalStopMark();
};
