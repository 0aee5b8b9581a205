#include "stationcommands.h"

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
