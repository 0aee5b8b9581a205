// The files of a route folder as one table: their names, which folder each lives in, the
// order they are read and written in, and one reader and writer that serve each of them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Route;

// In the order save writes them; rscript.txt lives in the ad folder, the others in the route
// folder.
enum class RouteFile
{
    Station,
    Coord,
    Side,
    Script,
    Back,
    AdScript,
};

struct RouteFileFormat
{
    RouteFile file;
    const char *name;
    // Content in memory; null stands for a missing file.
    bool (*parse)(Route &, const QByteArray *);
    QByteArray (*format)(const Route &);
};

const int routeFileCount = 6;
// Every file, in write order.
extern const RouteFileFormat routeFileFormats[routeFileCount];
// Read order: the board readers copy the front board, including a font that script.txt may
// set; the side names need the words of script.txt; the ad list needs its folder.
extern const RouteFile routeFileLoadOrder[routeFileCount];
const RouteFileFormat &routeFileFormat(RouteFile file);

// The file's name, "ost.txt", ...
QString routeFileName(RouteFile file);
// The names of the route folder's own files (all but rscript.txt), in write order.
QStringList routeFolderFileNames();
// The folder the file lives in; empty when the route has none.
QString routeFileFolder(const Route &route, RouteFile file);

// The file read into the route; false when it could not be read (the parser's defaults are
// then in place).
bool readRouteFile(Route &route, RouteFile file);
// The file replaced with the route's content; an ad folder that does not exist keeps no list:
// nothing is written, and that is success.
bool writeRouteFile(const Route &route, RouteFile file);
