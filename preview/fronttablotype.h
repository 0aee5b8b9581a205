// Destination board models, as kept in editor.ini and the user's defaults.
#pragma once

#include <QList>
#include <QString>

enum FrontTabloType
{
    Board32x192 = 0,
    Board16x128 = 1,
    Board16x96Sofits = 2,
    Board16x96 = 3,
    Board32x320 = 4,
    Board32x256 = 5,
    Board24x144 = 6,
};

// The models in the order the board menus list them; the back board alone
// offers the model with side lights.
QList<FrontTabloType> frontTabloTypesInMenuOrder(bool backBoard);

// Menu text of a model, empty for a value outside the enumeration.
QString frontTabloTypeText(int type);

bool isFrontTabloType(int type);

// The user's default model of a board (BoardId) from the settings store; a value that is
// not a known model (another program or a broken write may leave anything there) falls back
// to the board's own default: the large front board, the small side and back boards.
FrontTabloType storedFrontTabloType(int board);
void storeFrontTabloType(int board, FrontTabloType type);

// The LED matrix of a model and the columns its side-light blocks take at each
// edge (with their gap column).
struct BoardGeometry
{
    int columns;
    int rows;
    int sofitWidth;
    int hasSofits; // -1: the model leaves the widget's choice as it is
};

// Geometry of a model; the first model's for a value outside the enumeration.
const BoardGeometry &boardGeometry(int type);
