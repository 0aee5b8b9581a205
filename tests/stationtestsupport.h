// Routes for the station editing tests, written as one line of tokens.
#pragma once

#include "route.h"

#include <QStringList>

namespace testsupport {

// "X" is the stop «Остановка X.», "|" starts the back direction, "~" is a next-stop entry
// announcing the following stop and "~text" one with a text of its own. Without entries,
// "X>text" gives X a next-stop text of its own; other stops announce the next of their
// direction.
inline void buildRoute(Route &route, const QString &line)
{
    while (route.stationCount() > 0)
        route.removeStation(0);
    route.setStationWord(0, QStringLiteral("Остановка"));
    route.setNextWord(0, QStringLiteral("Следующая остановка"));
    QStringList tokens = line.split(' ', Qt::SkipEmptyParts);
    const int back = tokens.indexOf("|");
    tokens.removeAll("|");
    route.setBackStationIndex(back < 0 ? tokens.size() : back);
    for (int i = tokens.size() - 1; i >= 0; --i) {
        const QString token = tokens.at(i);
        auto *s = new Station;
        const QString follow = i + 1 < tokens.size() && i + 1 != back
                                   ? route.nextTextFromStationText(0, route.station(0)->name(0))
                                   : QString();
        if (token.startsWith('~')) {
            s->setName(0, token.size() > 1 ? token.mid(1) : follow);
        } else {
            s->setName(0, QStringLiteral("Остановка %1.").arg(token.section('>', 0, 0)));
            s->setSideName(0, route.sideNameFromText(0, s->name(0)));
            // In a written next text "_" stands for a space and "%N" for the next word.
            const QString written = token.section('>', 1).replace('_', ' ').replace(
                QLatin1String("%N"), route.nextWord(0));
            s->setNextName(0, token.contains('>')  ? written
                              : line.contains('~') ? QString()
                                                   : follow);
        }
        route.insertStation(0, s);
    }
}

} // namespace testsupport
