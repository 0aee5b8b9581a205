// ost.txt: the front board header and the ordered stations with their texts and files.
#pragma once

#include <QByteArray>

class Route;
class Station;

// Reads "ost.txt" of route.path(); false when the file cannot be opened.
bool readStationFile(Route &route);
// Writes "ost.txt" of route.path(); false when it could not be written (the old file stays).
bool writeStationFile(const Route &route);
// Reads ost.txt content; null stands for a missing file.
bool parseStationFile(Route &route, const QByteArray *bytes);
// The bytes writeStationFile writes.
QByteArray stationFileBytes(const Route &route);

// A lone sound file ".wav" is the files line's mark for no sound: it cannot stand for a file.
void dropNoSoundMark(Station &station);

// The # option of the front header: one, two or three colours as 0xRGB digits.
QByteArray colorsToText(const Route &route);
// Reads a # option ("#rgb[,rgb[,rgb]]", six-digit pieces as 0xRRGGBB) into the front colours.
void colorsFromText(Route &route, const QByteArray &text);
