// script.txt: the interior running line, the side lights and other general settings.
#pragma once

class Route;

// The defaults stay in place when the file is missing (and false is returned).
bool readScriptFile(Route &route);
bool writeScriptFile(const Route &route);
