// The board models kept in a route folder's editor.ini.
#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>

class EditorIni
{
public:
    using Board = BoardId;
    static constexpr BoardId Front = FrontBoard;
    static constexpr BoardId Side = SideBoard;
    static constexpr BoardId Back = BackBoard;

    // Reads the models of folder/editor.ini into types (front, side, back); values
    // outside 0..6 and unknown keys leave their entry alone. False when the file
    // cannot be opened.
    static bool read(const QString &folder, int types[3]);
    // Replaces folder/editor.ini with the three models; false when that failed.
    static bool write(const QString &folder, const int types[3]);

    // Lines "key=value"; a key may be shortened to any leading part of its name. A model that
    // `accept` refuses leaves its board's model as it was.
    static void parse(const QByteArray &bytes, int types[3], bool (*accept)(int));
    static QByteArray bytes(const int types[3]);
};
