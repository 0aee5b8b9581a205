// Switches the station list between next-stop texts kept on the stops and next-stop
// announcements as entries of their own between the stops.
#pragma once

#include "stationrules.h"

#include <QUndoCommand>

class RouteForm;

// The layout switch's name for a change of its plan (stationSequencePlan in stationrules.h).
using SequenceStep = StationEdit;

class SetStationSequencyCommand : public QUndoCommand
{
public:
    SetStationSequencyCommand(RouteForm *form, bool separate, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    RouteForm *m_form;
    bool m_separate;
};
