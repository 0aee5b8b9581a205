// backtab.txt: the back board.
#pragma once

#include <QByteArray>

class Route;

// A missing file makes the back board copy the front board (and returns false).
bool readBackFile(Route &route);
bool writeBackFile(const Route &route);
// The same on content in memory; null stands for a missing file.
bool parseBackFile(Route &route, const QByteArray *bytes);
QByteArray backFileBytes(const Route &route);
