// Routes for the station editing tests, written as one line of tokens.
#pragma once

#include "route.h"

#include <QStringList>

namespace testsupport {

// A route from a line of tokens: "X" is the stop «Остановка X.», "|" starts the back
// direction, "~" is a next-stop entry announcing the following stop and "~text" one with a
// text of its own. In the combined layout "X>text" gives X a next-stop text of its own;
// otherwise each stop announces the next one of its direction.
inline void buildRoute(Route &route, const QString &line)
{
    while (route.stationCount() > 0)
        route.removeStation(0);
    route.setStationWord(0, QStringLiteral("Остановка"));
    route.setNextWord(0, QStringLiteral("Следующая остановка"));
    const QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<int> autoNext;
    int back = -1;
    for (const QString &token : tokens) {
        if (token == QLatin1String("|")) {
            back = route.stationCount();
            continue;
        }
        auto *s = new Station;
        if (token.startsWith(QLatin1Char('~'))) {
            s->setName(0, token.mid(1));
            if (token.size() == 1)
                autoNext.append(route.stationCount());
        } else {
            const QStringList parts = token.split(QLatin1Char('>'));
            s->setName(0, QStringLiteral("Остановка %1.").arg(parts.at(0)));
            s->setSideName(0, route.sideNameFromText(0, s->name(0)));
            if (parts.size() > 1)
                s->setNextName(0, parts.at(1));
            else if (!line.contains(QLatin1Char('~')))
                autoNext.append(-1 - route.stationCount());
        }
        route.insertStation(route.stationCount(), s);
    }
    route.setBackStationIndex(back < 0 ? route.stationCount() : back);
    for (int i : autoNext) {
        const bool entry = i >= 0;
        const int at = entry ? i : -1 - i;
        Station *next = route.station(at + 1);
        if (!next || at + 1 == route.backStationIndex())
            continue;
        const QString text = route.nextTextFromStationText(0, next->name(0));
        if (entry)
            route.station(at)->setName(0, text);
        else
            route.station(at)->setNextName(0, text);
    }
}

} // namespace testsupport
