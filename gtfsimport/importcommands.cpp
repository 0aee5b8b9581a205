#include "importcommands.h"

#include "undocommands.h"

namespace {

template <class Command>
void setIfChanged(QUndoCommand *parent, RouteForm *form, QString (Route::*get)() const,
                  const Route &built)
{
    if ((form->route().*get)() != (built.*get)())
        new Command(form, (built.*get)(), parent);
}

template <class Command>
void setIfChanged(QUndoCommand *parent, RouteForm *form, QString (Route::*get)(int) const,
                  const Route &built)
{
    for (int l = 0; l < 2; ++l) {
        if ((form->route().*get)(l) != (built.*get)(l))
            new Command(form, l, (built.*get)(l), parent);
    }
}

bool hasSecondLanguage(const Route &route)
{
    for (const Station *s : route.stations()) {
        if (!s->name(1).isEmpty())
            return true;
    }
    return false;
}

} // namespace

QUndoCommand *routeImportCommand(RouteForm *form, const Route &built)
{
    auto *parent = new QUndoCommand(QObject::tr("Импорт из GTFS"));
    setIfChanged<SetFrontNumberCommand>(parent, form, &Route::frontNumber, built);
    setIfChanged<SetFrontStartingPointCmd>(parent, form, &Route::frontStartingPoint, built);
    setIfChanged<SetFrontDestinationCmd>(parent, form, &Route::frontDestination, built);
    setIfChanged<SetSideNumberCommand>(parent, form, &Route::sideNumber, built);
    setIfChanged<SetSideStartingPointCmd>(parent, form, &Route::sideStartingPoint, built);
    setIfChanged<SetSideDestinationCmd>(parent, form, &Route::sideDestination, built);
    setIfChanged<SetBackNumberCommand>(parent, form, &Route::backNumber, built);
    setIfChanged<SetBackStartingPointCmd>(parent, form, &Route::backStartingPoint, built);
    setIfChanged<SetBackDestinationCmd>(parent, form, &Route::backDestination, built);
    setIfChanged<SetStationWordCommand>(parent, form, &Route::stationWord, built);
    setIfChanged<SetNextWordCommand>(parent, form, &Route::nextWord, built);

    // The old stations go, the new ones come as new stops filled in.
    for (int i = form->route().stationCount() - 1; i >= 0; --i)
        new RemoveStationCommand(form, i, parent);
    const Station blank;
    for (int i = 0; i < built.stationCount(); ++i) {
        const Station *s = built.station(i);
        new AddStationCommand(form, i, parent);
        for (int l = 0; l < 2; ++l) {
            new SetStationNameCmd(form, i, l, s->name(l), parent);
            if (!s->nextName(l).isEmpty())
                new SetStationNextNameCmd(form, i, l, s->nextName(l), parent);
            if (!s->sideName(l).isEmpty())
                new SetStationSideNameCmd(form, i, l, s->sideName(l), parent);
        }
        if (s->coordinate().isValid())
            new SetStationCoordinate(form, i, s->coordinate(), parent);
        if (s->radius() != blank.radius())
            new SetStationRadius(form, i, s->radius(), parent);
    }
    new SetBackStationIndexCmd(form, built.backStationIndex(), parent);
    if (hasSecondLanguage(built) && form->langCount() < 2)
        new SetLangCountCmd(form, 2, parent);
    return parent;
}

QUndoCommand *coordinatesCommand(RouteForm *form, const QVector<QGeoCoordinate> &coordinates)
{
    auto *parent = new QUndoCommand(QObject::tr("Координаты из GTFS"));
    for (int i = 0; i < coordinates.size() && i < form->route().stationCount(); ++i) {
        const QGeoCoordinate &c = coordinates.at(i);
        if (c.isValid() && c != form->route().station(i)->coordinate())
            new SetStationCoordinate(form, i, c, parent);
    }
    if (parent->childCount() == 0) {
        delete parent;
        return nullptr;
    }
    return parent;
}
