#include "routecommands.h"

#include "boardcommands.h"
#include "stationcommands.h"

namespace {

template <class C> QUndoCommand *clearText(RouteForm *form, int lang, QUndoCommand *parent)
{
    return new C(form, lang, QString(), parent);
}

} // namespace

QUndoCommand *languageCountCommand(RouteForm *form, int count)
{
    const Route &route = form->route();
    auto *parent = new QUndoCommand;
    for (int l = count; l < form->langCount(); ++l) {
        using LangTextCommand = QUndoCommand *(*)(RouteForm *, int, QUndoCommand *);
        const struct
        {
            QString (Route::*text)(int) const;
            LangTextCommand clear;
        } routeTexts[] = {
            {&Route::stationWord, &clearText<SetStationWordCommand>},
            {&Route::nextWord, &clearText<SetNextWordCommand>},
            {&Route::frontStartingPoint, &clearText<SetFrontStartingPointCmd>},
            {&Route::frontDestination, &clearText<SetFrontDestinationCmd>},
            {&Route::sideStartingPoint, &clearText<SetSideStartingPointCmd>},
            {&Route::sideDestination, &clearText<SetSideDestinationCmd>},
            {&Route::backStartingPoint, &clearText<SetBackStartingPointCmd>},
            {&Route::backDestination, &clearText<SetBackDestinationCmd>},
            {&Route::routeText, &clearText<SetRouteTextCmd>},
            {&Route::salonTempText, &clearText<SetSalonTempTextCmd>},
            {&Route::outsideTempText, &clearText<SetOutsideTempTextCmd>},
        };
        for (const auto &t : routeTexts) {
            if (!(route.*t.text)(l).isEmpty())
                t.clear(form, l, parent);
        }
        for (int i = 0; i < route.stationCount(); ++i) {
            const Station *s = route.station(i);
            if (!s->name(l).isEmpty())
                new SetStationNameCmd(form, i, l, QString(), parent);
            if (!s->nextName(l).isEmpty())
                new SetStationNextNameCmd(form, i, l, QString(), parent);
            if (!s->sideName(l).isEmpty())
                new SetStationSideNameCmd(form, i, l, QString(), parent);
        }
    }
    new SetLangCountCmd(form, count, parent);
    return parent;
}
