// editor.ini of a route folder: the board model of the front, side and back board.
#pragma once

#include <QByteArray>

// Lines "key=value"; a key may be shortened to any leading part of its name. A model that
// `accept` refuses leaves its board's model as it was. types: front, side, back.
void parseEditorIni(const QByteArray &bytes, int types[3], bool (*accept)(int));
QByteArray editorIniBytes(const int types[3]);
