// `tessaly --gtfs-routes FEED` and `tessaly --import-gtfs FEED --route R ... FOLDER`: the
// routes and patterns of a GTFS feed, and a route folder made from them, without a window.
#pragma once

#include <QStringList>

class QTextStream;

class GtfsCommand
{
public:
    enum ExitCode
    {
        Done = 0,
        NotInFeed = 1,  // the route or pattern is not in the feed
        Unreadable = 2, // the feed can't be read, or the command line or target is wrong
    };

    static bool wanted(const QStringList &arguments);
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
    // The lines of these modes in `tessaly --help`.
    static QString usageText();
    static QString optionsText();
    static QString helpText();
};
