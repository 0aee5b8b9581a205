// The undo steps of the GTFS actions, made of the editor's own commands so that undo and redo
// go through the form's apply operations like every other edit.
#pragma once

#include <QGeoCoordinate>
#include <QVector>

class QUndoCommand;
class Route;
class RouteForm;

// Turns the form's route into `built`: board texts, stations and back index, the language
// count where the import brings a second language. Null when nothing would change.
QUndoCommand *routeImportCommand(RouteForm *form, const Route &built);
// Sets the valid coordinates of `coordinates` (one per station); null when none changes.
QUndoCommand *coordinatesCommand(RouteForm *form, const QVector<QGeoCoordinate> &coordinates);
