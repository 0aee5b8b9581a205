#include "stationcommands.h"

#include "filelistcommands.h"
#include "routecommands.h"

#include <QObject>

AddStationCommand::AddStationCommand(RouteForm *form, int index, QUndoCommand *parent)
    : QUndoCommand(parent), m_form(form), m_index(index)
{
    setText(QObject::tr(commandtext::addStation));
}

void AddStationCommand::undo()
{
    m_form->deleteStationAt(m_index);
}

void AddStationCommand::redo()
{
    m_form->insertStationAt(m_index);
}

RemoveStationCommand::RemoveStationCommand(RouteForm *form, int index, QUndoCommand *parent)
    : QUndoCommand(parent), m_form(form), m_index(index)
{
    setText(QObject::tr(commandtext::removeStation));
}

RemoveStationCommand::~RemoveStationCommand()
{
    delete m_station;
}

void RemoveStationCommand::undo()
{
    if (!m_station)
        return;
    m_form->insertStationAt(m_index, m_station);
    m_station = nullptr;
}

void RemoveStationCommand::redo()
{
    if (!m_station)
        m_station = m_form->takeStationAt(m_index);
}

QUndoCommand *stationEditCommand(RouteForm *form, const StationEdit &e, QUndoCommand *parent)
{
    switch (e.kind) {
    case StationEdit::Insert:
        return new AddStationCommand(form, e.station, parent);
    case StationEdit::Remove:
        return new RemoveStationCommand(form, e.station, parent);
    case StationEdit::Name:
        return new SetStationNameCmd(form, e.station, e.lang, e.text, parent);
    case StationEdit::NextName:
        return new SetStationNextNameCmd(form, e.station, e.lang, e.text, parent);
    case StationEdit::SideName:
        return new SetStationSideNameCmd(form, e.station, e.lang, e.text, parent);
    case StationEdit::NextWord:
        return new SetNextWordCommand(form, e.lang, e.text, parent);
    case StationEdit::BackIndex:
        return new SetBackStationIndexCmd(form, e.station, parent);
    case StationEdit::AddTextFile:
        return new AddStationTextFileCmd(form, e.station, e.lang, e.text, parent);
    case StationEdit::AddSoundFile:
        return new AddStationSoundFileCmd(form, e.station, e.lang, e.text, parent);
    }
    return nullptr;
}
