#include "routeform.h"

RouteForm::RouteForm(QWidget *parent) : QWidget(parent) {}

RouteForm::~RouteForm() = default;

void RouteForm::openRoute(const QString &path)
{
    m_route.setPath(path);
}

bool RouteForm::saveRoute()
{
    return false;
}

void RouteForm::closeRoute()
{
    m_route.clear();
}

void RouteForm::undo() {}

void RouteForm::redo() {}

void RouteForm::stopPlaying() {}

// A model outside the enumeration is ignored, so a junk stored default cannot
// reach the previews.
#define ROUTEFORM_TYPE_SETTER(Setter, member, signal)                                              \
    void RouteForm::Setter(int type)                                                               \
    {                                                                                              \
        if (!isFrontTabloType(type) || type == member)                                             \
            return;                                                                                \
        member = FrontTabloType(type);                                                             \
        emit signal(member);                                                                       \
    }

ROUTEFORM_TYPE_SETTER(setFrontTabloType, m_frontTabloType, frontTabloTypeChanged)
ROUTEFORM_TYPE_SETTER(setSideTabloType, m_sideTabloType, sideTabloTypeChanged)
ROUTEFORM_TYPE_SETTER(setBackTabloType, m_backTabloType, backTabloTypeChanged)

#define ROUTEFORM_FLAG_SETTER(Setter, member, signal)                                              \
    void RouteForm::Setter(bool value)                                                             \
    {                                                                                              \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        emit signal(value);                                                                        \
    }

ROUTEFORM_FLAG_SETTER(setCanSave, m_canSave, canSaveChanged)
ROUTEFORM_FLAG_SETTER(setCanUndo, m_canUndo, canUndoChanged)
ROUTEFORM_FLAG_SETTER(setCanRedo, m_canRedo, canRedoChanged)
