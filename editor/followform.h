// How a panel follows the form of the current tab: it lets go of the old form and its undo
// stack, and every edit of the new one (each goes through the stack) calls its refresh.
#pragma once

#include "routeform.h"

#include <QPointer>
#include <QUndoStack>

// False when the form is the one followed already.
template <class Panel>
bool followForm(Panel *panel, QPointer<RouteForm> &followed, RouteForm *form,
                void (Panel::*refresh)())
{
    if (form == followed)
        return false;
    if (followed) {
        QObject::disconnect(followed, nullptr, panel, nullptr);
        QObject::disconnect(followed->undoStack(), nullptr, panel, nullptr);
    }
    followed = form;
    if (form)
        QObject::connect(form->undoStack(), &QUndoStack::indexChanged, panel, refresh);
    return true;
}
