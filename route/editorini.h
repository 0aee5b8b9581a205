// The board models kept in a route folder's editor.ini.
#pragma once

#include <QString>

class EditorIni
{
public:
    enum Board
    {
        Front,
        Side,
        Back
    };

    // Reads the models of folder/editor.ini into types (front, side, back); values
    // outside 0..6 and unknown keys leave their entry alone. False without a folder or
    // when the file cannot be opened.
    static bool read(const QString &folder, int types[3]);
    // Writes all three models, replacing the file whole. False without a folder or when
    // the file cannot be written.
    static bool write(const QString &folder, const int types[3]);
};
