// coord.txt: the next-stop delay and each station's coordinate and announcement radius.
#pragma once

#include <QByteArray>

class Route;

// Reads "coord.txt" of route.path() into the stations already read; false when it cannot be
// opened (the stations then keep their coordinates and radii).
bool readCoordFile(Route &route);
// Writes "coord.txt" of route.path(); false when it could not be written (the old file stays).
bool writeCoordFile(const Route &route);
// Reads coord.txt content; null stands for a missing file.
bool parseCoordFile(Route &route, const QByteArray *bytes);
// A coordinate token as QByteArray::toDouble reads it, plain decimals without its overhead.
double degreesValue(const char *token, int length, bool *ok);
inline double degreesValue(const QByteArray &token, bool *ok)
{
    return degreesValue(token.constData(), token.size(), ok);
}
// The bytes writeCoordFile writes.
QByteArray coordFileBytes(const Route &route);
