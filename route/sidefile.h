// sidetab.txt: the side board and the side-board name of every station.
#pragma once

class Route;

// A missing file makes the side board copy the front board (and returns false).
bool readSideFile(Route &route);
bool writeSideFile(const Route &route);
