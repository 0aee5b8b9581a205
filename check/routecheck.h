// Checks a whole route for what would go wrong on the vehicle: missing files,
// texts the boards cannot show, stops that would never be announced.
#pragma once

#include "routefinding.h"

#include <QList>
#include <QVector>

#include <functional>

class Route;

class RouteCheck
{
public:
    // True when the boards can show the character; without it characters are not checked.
    using CharFilter = std::function<bool(QChar)>;

    // Findings sorted by severity, in route order within a severity.
    static QList<RouteFinding> run(const Route &route, const CharFilter &canShow = {});

    // "станция 12 «Вокзал»" for the station at an index.
    static QString stationLabel(const Route &route, int index);
    // The characters of a text the boards cannot show, each once, in order.
    static QVector<uint> missingCharacters(const QString &text, const CharFilter &canShow);
    static void sortBySeverity(QList<RouteFinding> &findings);
};
