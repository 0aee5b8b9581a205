// script.txt: the interior running line, the side lights and other general settings.
#pragma once

#include <QByteArray>

class Route;

// The defaults stay in place when the file is missing (and false is returned).
bool readScriptFile(Route &route);
bool writeScriptFile(const Route &route);
// The same on content in memory; null stands for a missing file.
bool parseScriptFile(Route &route, const QByteArray *bytes);
QByteArray scriptFileBytes(const Route &route);
