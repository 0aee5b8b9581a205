// Texts, modes, fonts and colours of the three destination boards and the running line.
#pragma once

#include "swapcommand.h"

using SetFrontNumberCommand =
    SwapCommand<&Route::frontNumber, &RouteForm::setFrontNumber, commandtext::number>;
using SetFrontStartingPointCmd =
    SwapCommand<&Route::frontStartingPoint, &RouteForm::setFrontStartingPoint,
                commandtext::startingPoint>;
using SetFrontDestinationCmd =
    SwapCommand<&Route::frontDestination, &RouteForm::setFrontDestination,
                commandtext::destination>;
using SetFrontTabloModeCommand =
    SwapCommand<&Route::frontMode, &RouteForm::setFrontTabloMode, commandtext::boardMode>;
using SetFrontTabloFontCommand =
    SwapCommand<&Route::frontFont, &RouteForm::setFrontTabloFont, commandtext::boardFont>;
using SetFrontNumberColorCmd =
    SwapCommand<&Route::frontNumberColor, &RouteForm::setFrontNumberColor, commandtext::frontColor>;
using SetFrontStartColorCmd =
    SwapCommand<&Route::frontStartColor, &RouteForm::setFrontStartColor, commandtext::frontColor>;
using SetFrontDestColorCmd =
    SwapCommand<&Route::frontDestColor, &RouteForm::setFrontDestColor, commandtext::frontColor>;
using SetLeftSofitColorCmd =
    SwapCommand<&Route::leftSofitColor, &RouteForm::setLeftSofitColor, commandtext::leftSofit>;
using SetRightSofitColorCmd =
    SwapCommand<&Route::rightSofitColor, &RouteForm::setRightSofitColor, commandtext::rightSofit>;

using SetSideNumberCommand =
    SwapCommand<&Route::sideNumber, &RouteForm::setSideNumber, commandtext::number>;
using SetSideStartingPointCmd =
    SwapCommand<&Route::sideStartingPoint, &RouteForm::setSideStartingPoint,
                commandtext::startingPoint>;
using SetSideDestinationCmd =
    SwapCommand<&Route::sideDestination, &RouteForm::setSideDestination, commandtext::destination>;
using SetSideTabloModeCommand =
    SwapCommand<&Route::sideMode, &RouteForm::setSideTabloMode, commandtext::boardMode>;
using SetSideTabloFontCommand =
    SwapCommand<&Route::sideFont, &RouteForm::setSideTabloFont, commandtext::boardFont>;
using SetSideStationCountCmd =
    SwapCommand<&Route::sideStationCount, &RouteForm::setSideStationCount>;
using SetSideSeparatorCmd =
    SwapCommand<&Route::sideSeparator, &RouteForm::setSideSeparator, commandtext::sideSeparator>;

using SetBackNumberCommand =
    SwapCommand<&Route::backNumber, &RouteForm::setBackNumber, commandtext::number>;
using SetBackStartingPointCmd =
    SwapCommand<&Route::backStartingPoint, &RouteForm::setBackStartingPoint,
                commandtext::startingPoint>;
using SetBackDestinationCmd =
    SwapCommand<&Route::backDestination, &RouteForm::setBackDestination, commandtext::destination>;
using SetBackTabloModeCommand =
    SwapCommand<&Route::backMode, &RouteForm::setBackTabloMode, commandtext::boardMode>;
using SetBackTabloFontCommand =
    SwapCommand<&Route::backFont, &RouteForm::setBackTabloFont, commandtext::boardFont>;

using SetSalonTabloOrderCmd =
    SwapCommand<&Route::salonTabloOrder, &RouteForm::setSalonTabloOrder, commandtext::salonOrder>;
using SetRouteTextCmd =
    SwapCommand<&Route::routeText, &RouteForm::setRouteText, commandtext::routeText>;
using SetSalonTempTextCmd = SwapCommand<&Route::salonTempText, &RouteForm::setSalonTempText>;
using SetOutsideTempTextCmd = SwapCommand<&Route::outsideTempText, &RouteForm::setOutsideTempText>;

// The commands of each board's texts, modes and fonts, in BoardId order, for the code that treats
// the boards alike; a board without a separator has none.
struct BoardCommands
{
    QUndoCommand *(*number)(RouteForm *, const QString &, QUndoCommand *);
    QUndoCommand *(*startingPoint)(RouteForm *, int, const QString &, QUndoCommand *);
    QUndoCommand *(*destination)(RouteForm *, int, const QString &, QUndoCommand *);
    QUndoCommand *(*separator)(RouteForm *, const QString &, QUndoCommand *);
    QUndoCommand *(*mode)(RouteForm *, int, QUndoCommand *);
    QUndoCommand *(*font)(RouteForm *, int, QUndoCommand *);
};
extern const BoardCommands boardCommands[BoardCount];
