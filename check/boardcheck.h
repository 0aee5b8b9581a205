// The part of the route check that needs the board fonts: characters the fonts
// lack and still texts wider than the text area of the chosen board model.
#pragma once

#include "board.h"
#include "routefinding.h"

#include <QList>

class Route;

class BoardCheck
{
public:
    // Board models of the front, side and back board (FrontTabloType values).
    struct Models
    {
        int front = 0;
        int side = 1;
        int back = 1;
        // The model of a board (BoardId).
        int of(int board) const
        {
            return board == FrontBoard ? front : board == SideBoard ? side : back;
        }
    };

    // Whether every text font has a visible glyph for the character (spaces and
    // line breaks count as shown).
    static bool canShow(QChar c);

    // RouteChecker::run, by its older name.
    static QList<RouteFinding> run(const Route &route, const Models &models);
    // Still texts wider than their board's text area.
    static QList<RouteFinding> widthFindings(const Route &route, const Models &models);
    // Columns a board model leaves for the texts after its side lights and the route number.
    static int textAreaWidth(int type, const QString &number, bool lightsOn);
    // RouteChecker::modelsOfFolder, by its older name.
    static Models modelsOfFolder(const QString &folder, const Models &defaults);
};
