// The three LED boards of a route (front, side, back) and each board's fields in the record.
// Everything that treats the boards alike (files, check, commands, form, main window) walks
// this one table.
#pragma once

#include <QByteArray>
#include <QString>

class Route;

enum BoardId
{
    FrontBoard,
    SideBoard,
    BackBoard
};
const int BoardCount = 3;

struct Board
{
    BoardId id;
    // "front", "side", "back": the prefix of its widgets, its editor.ini and settings keys.
    const char *name;
    QString (Route::*number)() const;
    void (Route::*setNumber)(const QString &);
    QString (Route::*startingPoint)(int) const;
    void (Route::*setStartingPoint)(int, const QString &);
    QString (Route::*destination)(int) const;
    void (Route::*setDestination)(int, const QString &);
    int (Route::*mode)() const;
    void (Route::*setMode)(const int &);
    int (Route::*font)() const;
    void (Route::*setFont)(const int &);
    int (Route::*interval)() const;
    void (Route::*setInterval)(const int &);
    // The side board's date and time separator; null on the others.
    QString (Route::*separator)() const;
    // The board shows the route's side lights.
    bool sideLights;

    // "frontTablo/type", ...: the per-user default model.
    QString settingsKey() const { return QLatin1String(name) + QLatin1String("Tablo/type"); }
    // "frontTabloType", ...: the model's key in a folder's editor.ini.
    QByteArray editorIniKey() const { return QByteArray(name) + "TabloType"; }
};

// In BoardId order.
extern const Board boards[BoardCount];
extern const Board &frontBoard;
extern const Board &sideBoard;
extern const Board &backBoard;
inline const Board &boardOf(int id)
{
    return boards[id];
}
