// One thing the route check found: how bad it is, where it is and what it is.
#pragma once

#include <QString>

struct RouteFinding
{
    enum Severity
    {
        Error,
        Warning,
        Note
    };
    // The page of the editor that shows the place.
    enum Place
    {
        RoutePlace, // the route-wide words of the announcements
        FrontBoardPlace,
        SideBoardPlace,
        BackBoardPlace,
        RouteTextPlace,
        SalonTempPlace,
        OutsideTempPlace,
        AdListPlace,
        RouteFolderPlace,
        StationTextPlace,
        StationSoundPlace,
        StationTextFilePlace,
        StationCoordinatePlace,
    };

    Severity severity = Error;
    Place place = RoutePlace;
    int station = -1; // index, -1 for the route
    int lang = -1;    // 0 or 1 when the finding concerns one language
    int row = -1;     // row in the station's or the ad list's files
    QString file;
    QString where;   // "станция 12 «Вокзал»", "переднее табло", ...
    QString message; // what is wrong there

    // The page of a board (BoardId).
    static Place boardPlace(int board) { return Place(FrontBoardPlace + board); }
    // "error", "warning" or "note": the words of the command line and JSON.
    static QString severityName(Severity severity);
    // "переднее табло", "список рекламы", ...: the place when no station is concerned.
    static QString placeName(Place place);
    QString text() const
    {
        return where.isEmpty() ? message : where + QStringLiteral(": ") + message;
    }
};
