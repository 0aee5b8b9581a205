// What the announcement file lists offer and how new names and ad folders are judged.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The announcement files that lie in a route folder right now.
struct RouteFolderFiles
{
    QStringList sounds;
    QStringList texts;
};

// The route's own data files (ost.txt, script.txt, ... and their "~" backups), any case.
bool isRouteDataFile(const QString &name);
// rscript.txt and rscript~.txt, any case.
bool isAdScriptFile(const QString &name);

// Sound files and text files other than the route's data files, by name without regard to case.
RouteFolderFiles scanRouteFolder(const QString &folder);
// Text files other than the ad list itself, by name without regard to case.
QStringList scanAdFolder(const QString &folder);

// The first of pattern's names (%1 = 0, 1, 2, ...) that does not exist in folder yet.
QString proposedFileName(const QString &folder, const QString &pattern);
// The name of a sound spoken for the stop at `station`: its number (index + 1, two digits), the
// language (1 or 2) and "n" for the next-stop text: «07-1.wav», «07-1n.wav»; when that name
// is not free, the first free of «07-1-0.wav», «07-1-1.wav», ...
QString spokenFileName(int station, int lang, bool next,
                       const std::function<bool(const QString &name)> &isFree);
// The bare name of a file the user typed, ending in ".txt"; empty when no name is left.
QString normalizedTextFileName(const QString &entered);
// Creates an empty file unless one is there already; false when there is none afterwards.
bool ensureFileExists(const QString &path);

enum class AdFolderChoice
{
    Unchanged, // the current ad folder again
    Accepted,
    Refused, // outside the folder that holds the route folder
};
// The ad folder must be the folder holding the route folder or lie below it, so that
// PATH_REKLAMA can name it relative to that folder.
AdFolderChoice checkAdFolder(const QString &routePath, const QString &adPath,
                             const QString &chosen);
