// How far apart consecutive stops lie: the one rule the route check and the map share, so
// both flag the same stops with the same words.
#pragma once

#include <QString>
#include <QVector>

#include <optional>

class Route;

class StopSpacing
{
public:
    enum Kind
    {
        FarApart,       // from the stop before
        SamePlace,      // as the stop before
        CirclesOverlap, // trigger circles of a stop and the one before
        Stray           // far from the stops before and after: likely a mistyped coordinate
    };
    struct Finding
    {
        int station; // the later stop of the pair, the stray stop itself
        Kind kind;
        double meters; // to the stop before (for Stray, the shorter of both)
        QString message;
    };

    // Consecutive stops further apart than this are suspicious.
    static constexpr double farApartMeters = 30000.0;
    // Closer than this is one place.
    static constexpr double samePlaceMeters = 1.0;

    // What is wrong between a stop and the one before it. `turn`: the stop begins the way
    // back, and the last stop of one direction may well be the first of the other.
    static std::optional<Kind> judge(double meters, int radius, int previousRadius, bool turn);
    // Every finding of the route, in route order; a stray stop comes after its pair findings.
    static QVector<Finding> run(const Route &route);
};
