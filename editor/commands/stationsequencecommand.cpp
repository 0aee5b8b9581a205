#include "stationsequencecommand.h"

#include "routeform.h"
#include "stationcommands.h"
#include "stationrules.h"

SetStationSequencyCommand::SetStationSequencyCommand(RouteForm *form, bool separate,
                                                     QUndoCommand *parent)
    : QUndoCommand(parent), m_form(form), m_separate(separate)
{
    for (const StationEdit &step : stationSequencePlan(form->route(), form->langCount(), separate))
        stationEditCommand(form, step, this);
}

void SetStationSequencyCommand::redo()
{
    m_form->setNextSeparate(m_separate);
    m_separate = !m_separate;
    QUndoCommand::redo();
    // The switch is the place of the change, not the last station the children touched.
    m_form->lastChange().station = -1;
    m_form->lastChange().routeTab = RouteForm::GeneralTab;
}

void SetStationSequencyCommand::undo()
{
    QUndoCommand::undo();
    m_form->setNextSeparate(m_separate);
    m_separate = !m_separate;
}
