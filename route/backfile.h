// backtab.txt: the back board.
#pragma once

class Route;

// A missing file makes the back board copy the front board (and returns false).
bool readBackFile(Route &route);
bool writeBackFile(const Route &route);
