#include "boardcommands.h"

namespace {

template <class C, class... A> QUndoCommand *make(RouteForm *form, A... args, QUndoCommand *parent)
{
    return new C(form, args..., parent);
}

} // namespace

const BoardCommands boardCommands[BoardCount] = {
    {&make<SetFrontNumberCommand, const QString &>,
     &make<SetFrontStartingPointCmd, int, const QString &>,
     &make<SetFrontDestinationCmd, int, const QString &>, nullptr,
     &make<SetFrontTabloModeCommand, int>, &make<SetFrontTabloFontCommand, int>},
    {&make<SetSideNumberCommand, const QString &>,
     &make<SetSideStartingPointCmd, int, const QString &>,
     &make<SetSideDestinationCmd, int, const QString &>,
     &make<SetSideSeparatorCmd, const QString &>, &make<SetSideTabloModeCommand, int>,
     &make<SetSideTabloFontCommand, int>},
    {&make<SetBackNumberCommand, const QString &>,
     &make<SetBackStartingPointCmd, int, const QString &>,
     &make<SetBackDestinationCmd, int, const QString &>, nullptr,
     &make<SetBackTabloModeCommand, int>, &make<SetBackTabloFontCommand, int>},
};
