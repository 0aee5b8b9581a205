// Every undo command of the route form.
#pragma once

#include "boardcommands.h"
#include "filelistcommands.h"
#include "routecommands.h"
#include "stationcommands.h"
#include "stationsequencecommand.h"
