// sidetab.txt: the side board and the side-board name of every station.
#pragma once

#include <QByteArray>

class Route;

// A missing file makes the side board copy the front board (and returns false).
bool readSideFile(Route &route);
bool writeSideFile(const Route &route);
// The same on content in memory; null stands for a missing file.
bool parseSideFile(Route &route, const QByteArray *bytes);
QByteArray sideFileBytes(const Route &route);
