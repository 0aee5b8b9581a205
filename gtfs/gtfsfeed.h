// What a GTFS feed says about routes, stops and the stop sequences of their trips: read from
// a zip archive or a folder, stop_times.txt streamed row by row. No widgets.
#pragma once

#include <QGeoCoordinate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class FeedSource;
class FeedTable;

struct GtfsRoute
{
    QString id;
    QString shortName;
    QString longName;
    QString agency; // the agency's name when agency.txt gives one
    int type = -1;
    // The number the boards show.
    QString number() const { return shortName.isEmpty() ? longName : shortName; }
};

struct GtfsStop
{
    QString id;
    QString name;
    QGeoCoordinate coordinate; // invalid when missing or out of range
    int parent = -1;           // index of the parent station
};

// Trips of one route and direction that call at the same stops in the same order.
struct GtfsPattern
{
    int route = -1;
    int direction = 0;
    QVector<int> stops;
    int trips = 0;
    QString headsign; // the most common one
};

class GtfsFeed
{
public:
    // Called now and then with the bytes read and the bytes to read; false cancels.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    struct Options
    {
        bool patterns = true; // read stop_times.txt
        QString route;        // only this route's patterns (route_id or short name); all if empty
        Progress progress;
    };
    enum Result
    {
        Read,
        Unreadable,
        Cancelled
    };

    Result read(const QString &path, const Options &options);
    QString error() const { return m_error; }

    const QVector<GtfsRoute> &routes() const { return m_routes; }
    const QVector<GtfsStop> &stops() const { return m_stops; }
    const QVector<GtfsPattern> &patterns() const { return m_patterns; }

    // By route_id first, then by route_short_name; -1 when none has it.
    int findRoute(const QString &key) const;
    // The route's patterns by direction, the most trips first.
    QVector<int> patternsOf(int route) const;
    // The most frequent pattern of direction 0 (or of the only direction), and of direction 1.
    int defaultForward(int route) const;
    int defaultBack(int route) const;

    QStringList languages() const;
    // The stop's name, its parent station's for a stop without one; with a language its
    // translation (by stop_id, else by the untranslated name), empty when there is none.
    QString stopName(int stop, const QString &lang = QString()) const;

    // Rows that could not be used, and the first messages about them.
    int skippedRows() const { return m_skipped; }
    const QStringList &warnings() const { return m_warnings; }

    static QString routeTypeName(int type);

private:
    bool readAgencies(const FeedSource &source, QHash<QString, QString> &names);
    bool readRoutes(const FeedSource &source, const QHash<QString, QString> &agencies);
    bool readStops(const FeedSource &source);
    bool readTranslations(const FeedSource &source);
    Result readTrips(const FeedSource &source, const Options &options);
    QString translated(int stop, const QString &lang) const;
    void skip(const QString &message);
    // False (and the row counted as skipped) for an id that is empty or seen before.
    bool usableId(const FeedTable &table, int column, bool emptyOrSeen);

    QString m_error;
    QVector<GtfsRoute> m_routes;
    QVector<GtfsStop> m_stops;
    QHash<QString, int> m_stopIndex;
    QVector<GtfsPattern> m_patterns;
    // language → stop_id or untranslated name → translation
    QHash<QString, QHash<QString, QString>> m_byId;
    QHash<QString, QHash<QString, QString>> m_byValue;
    int m_skipped = 0;
    QStringList m_warnings;
};
