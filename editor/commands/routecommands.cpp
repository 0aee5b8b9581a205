#include "routecommands.h"

#include "boardcommands.h"
#include "stationcommands.h"

#include <initializer_list>

namespace {

template <class C> QUndoCommand *clearText(RouteForm *form, int lang, QUndoCommand *parent)
{
    return new C(form, lang, QString(), parent);
}

struct LangText
{
    QString (Route::*text)(int) const;
    QUndoCommand *(*clear)(RouteForm *, int, QUndoCommand *);
};

void clearTexts(std::initializer_list<LangText> texts, RouteForm *form, int lang,
                QUndoCommand *parent)
{
    for (const LangText &t : texts) {
        if (!(form->route().*t.text)(lang).isEmpty())
            t.clear(form, lang, parent);
    }
}

} // namespace

QUndoCommand *languageCountCommand(RouteForm *form, int count)
{
    const Route &route = form->route();
    auto *parent = new QUndoCommand;
    for (int l = count; l < form->langCount(); ++l) {
        clearTexts({{&Route::stationWord, &clearText<SetStationWordCommand>},
                    {&Route::nextWord, &clearText<SetNextWordCommand>}},
                   form, l, parent);
        for (const Board &board : boards) {
            const BoardCommands &commands = boardCommands[board.id];
            if (!(route.*board.startingPoint)(l).isEmpty())
                commands.startingPoint(form, l, QString(), parent);
            if (!(route.*board.destination)(l).isEmpty())
                commands.destination(form, l, QString(), parent);
        }
        clearTexts({{&Route::routeText, &clearText<SetRouteTextCmd>},
                    {&Route::salonTempText, &clearText<SetSalonTempTextCmd>},
                    {&Route::outsideTempText, &clearText<SetOutsideTempTextCmd>}},
                   form, l, parent);
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
