#include "board.h"

#include "route.h"

#define BOARD_FIELDS(Board, board)                                                                 \
    &Route::board##Number, &Route::set##Board##Number, &Route::board##StartingPoint,               \
        &Route::set##Board##StartingPoint, &Route::board##Destination,                             \
        &Route::set##Board##Destination, &Route::board##Mode, &Route::set##Board##Mode,            \
        &Route::board##Font, &Route::set##Board##Font, &Route::board##Interval,                    \
        &Route::set##Board##Interval
const Board boards[BoardCount] = {
    {FrontBoard, "front", BOARD_FIELDS(Front, front), nullptr, true},
    {SideBoard, "side", BOARD_FIELDS(Side, side), &Route::sideSeparator, false},
    {BackBoard, "back", BOARD_FIELDS(Back, back), nullptr, true},
};
#undef BOARD_FIELDS

const Board &frontBoard = boards[FrontBoard];
const Board &sideBoard = boards[SideBoard];
const Board &backBoard = boards[BackBoard];
