#include "gtfsroutebuilder.h"

#include "boardheader.h"
#include "gtfsfeed.h"
#include "route.h"
#include "stationrules.h"

namespace {

// The front board leads, as on the board page: a board that showed the front's text follows.
void setFrontText(Route &route, void (Route::*Board::*set)(int, const QString &),
                  QString (Route::*Board::*field)(int) const, int lang, const QString &text)
{
    const QString old = (route.*(frontBoard.*field))(lang);
    for (const Board *b : {&sideBoard, &backBoard}) {
        if ((route.*(b->*field))(lang) == old)
            (route.*(b->*set))(lang, text);
    }
    (route.*(frontBoard.*set))(lang, text);
}

} // namespace

QString GtfsRouteBuilder::finalStopMark()
{
    return QStringLiteral("Конечная.");
}

bool GtfsRouteBuilder::build(const GtfsFeed &feed, const GtfsChoice &choice, const QString &path,
                             Route &route)
{
    const QVector<GtfsPattern> &patterns = feed.patterns();
    auto ofRoute = [&](int p) {
        return p >= 0 && p < patterns.size() && patterns.at(p).route == choice.route;
    };
    if (!ofRoute(choice.forward) || (choice.back >= 0 && !ofRoute(choice.back)) ||
        !route.newRoute(path))
        return false;

    const QString langs[2] = {choice.lang, choice.secondLang};
    const int langCount = choice.secondLang.isEmpty() ? 1 : 2;
    auto name = [&](int stop, int lang) { return feed.stopName(stop, langs[lang]); };

    while (route.stationCount() > 0)
        route.removeStation(route.stationCount() - 1);
    const int directions = choice.back >= 0 ? 2 : 1;
    for (int d = 0; d < directions; ++d) {
        const QVector<int> &stops = patterns.at(d == 0 ? choice.forward : choice.back).stops;
        if (d == 1)
            route.setBackStationIndex(route.stationCount());
        for (int i = 0; i < stops.size(); ++i) {
            auto *s = new Station;
            for (int l = 0; l < langCount; ++l) {
                const QString n = name(stops.at(i), l);
                if (n.isEmpty())
                    continue;
                QString text = route.newStationName(l) + n + QLatin1Char('.');
                if (l == 0 && i + 1 == stops.size())
                    text += QLatin1Char(' ') + finalStopMark();
                s->setName(l, text);
            }
            s->setCoordinate(feed.stops().at(stops.at(i)).coordinate);
            route.insertStation(route.stationCount(), s);
        }
    }
    if (directions == 1)
        route.setBackStationIndex(route.stationCount());

    const StationRules rules(route, false, langCount);
    for (int i = 0; i < route.stationCount(); ++i) {
        Station *s = route.station(i);
        for (int l = 0; l < langCount; ++l) {
            s->setNextName(l, rules.autoNextName(i, l));
            s->setSideName(l, rules.autoSideName(i, l));
        }
    }

    const GtfsRoute &r = feed.routes().at(choice.route);
    const QString oldNumber = route.frontNumber();
    if (route.sideNumber() == oldNumber)
        route.setSideNumber(r.number());
    if (route.backNumber() == oldNumber)
        route.setBackNumber(r.number());
    route.setFrontNumber(r.number());
    const QVector<int> &forward = patterns.at(choice.forward).stops;
    for (int l = 0; l < 2; ++l) {
        const bool used = l < langCount;
        setFrontText(route, &Board::setStartingPoint, &Board::startingPoint, l,
                     used ? name(forward.first(), l) : QString());
        setFrontText(route, &Board::setDestination, &Board::destination, l,
                     used ? name(forward.last(), l) : QString());
    }
    return true;
}
