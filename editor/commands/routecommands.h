// Route-wide settings: announcement words, ad folder, language count, back direction.
#pragma once

#include "swapcommand.h"

using SetStationWordCommand = SwapCommand<&Route::stationWord, &RouteForm::setStationWord>;
using SetNextWordCommand = SwapCommand<&Route::nextWord, &RouteForm::setNextWord>;
using SetAdPathCommand = SwapCommand<&Route::adPath, &RouteForm::setAdFolder>;
using SetLangCountCmd = SwapCommand<&RouteForm::langCount, &RouteForm::setLangCount>;
using SetBackStationIndexCmd =
    SwapCommand<&Route::backStationIndex, &RouteForm::setBackStationIndex>;
// The whole route from other bytes of its files (a recovery copy).
using SetRouteFilesCmd = SwapCommand<&RouteForm::routeFiles, &RouteForm::setRouteFiles>;

// One step to another language count. Fewer languages: every text of the dropped languages,
// the stations' included, is emptied in the same step.
QUndoCommand *languageCountCommand(RouteForm *form, int count);
