#include "routefolder.h"

#include "adscript.h"
#include "backfile.h"
#include "coordfile.h"
#include "route.h"
#include "routefilereader.h"
#include "routefilewriter.h"
#include "scriptfile.h"
#include "sidefile.h"
#include "stationfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool parseRouteAdScript(Route &route, const QByteArray *bytes)
{
    return parseAdScript(route.adTextFiles(), bytes);
}

// Reads the folder at route.path() with `fetch(route, file, bytes)` giving each file's bytes.
template <typename Fetch> bool loadWith(Route &route, Fetch fetch)
{
    for (RouteFile file : routeFileLoadOrder) {
        QByteArray bytes;
        const bool found = fetch(route, file, bytes);
        if (!routeFileFormat(file).parse(route, found ? &bytes : nullptr) &&
            file == RouteFile::Station)
            return false;
    }
    return true;
}

bool fetchFile(const Route &route, RouteFile file, QByteArray &bytes)
{
    const QString folder = routeFileFolder(route, file);
    return !folder.isEmpty() &&
           RouteFileReader::readAll(folder + QLatin1Char('/') + routeFileName(file), bytes);
}

// What writing the file means: false when there is nothing to write.
bool saveTarget(const Route &route, RouteFile file, RouteFileWriter::Target &target)
{
    const QString folder = routeFileFolder(route, file);
    // The save never creates the ad folder: without one there is no list to keep.
    if (folder.isEmpty() || (file == RouteFile::AdScript && !QFileInfo::exists(folder)))
        return false;
    target = {folder, folder + QLatin1Char('/') + routeFileName(file),
              routeFileFormat(file).format(route)};
    return true;
}

} // namespace

const RouteFileFormat routeFileFormats[routeFileCount] = {
    {RouteFile::Station, "ost.txt", parseStationFile, stationFileBytes},
    {RouteFile::Coord, "coord.txt", parseCoordFile, coordFileBytes},
    {RouteFile::Side, "sidetab.txt", parseSideFile, sideFileBytes},
    {RouteFile::Script, "script.txt", parseScriptFile, scriptFileBytes},
    {RouteFile::Back, "backtab.txt", parseBackFile, backFileBytes},
    {RouteFile::AdScript, "rscript.txt", parseRouteAdScript, adScriptBytes},
};

const RouteFile routeFileLoadOrder[routeFileCount] = {
    RouteFile::Station, RouteFile::Script, RouteFile::Back,
    RouteFile::Side,    RouteFile::Coord,  RouteFile::AdScript,
};

const RouteFileFormat &routeFileFormat(RouteFile file)
{
    return routeFileFormats[int(file)];
}

QString routeFileName(RouteFile file)
{
    return QLatin1String(routeFileFormat(file).name);
}

QStringList routeFolderFileNames()
{
    QStringList names;
    for (const RouteFileFormat &f : routeFileFormats) {
        if (f.file != RouteFile::AdScript)
            names.append(QLatin1String(f.name));
    }
    return names;
}

QString routeFileFolder(const Route &route, RouteFile file)
{
    return file == RouteFile::AdScript ? route.adPath() : route.path();
}

bool readRouteFile(Route &route, RouteFile file)
{
    QByteArray bytes;
    const bool found = fetchFile(route, file, bytes);
    return routeFileFormat(file).parse(route, found ? &bytes : nullptr);
}

bool writeRouteFile(const Route &route, RouteFile file)
{
    RouteFileWriter::Target target;
    if (!saveTarget(route, file, target))
        return file == RouteFile::AdScript;
    return RouteFileWriter::saveAll({target});
}

// Each file's own reader and writer.
bool readStationFile(Route &route)
{
    return readRouteFile(route, RouteFile::Station);
}
bool writeStationFile(const Route &route)
{
    return writeRouteFile(route, RouteFile::Station);
}
bool readCoordFile(Route &route)
{
    return readRouteFile(route, RouteFile::Coord);
}
bool writeCoordFile(const Route &route)
{
    return writeRouteFile(route, RouteFile::Coord);
}
bool readSideFile(Route &route)
{
    return readRouteFile(route, RouteFile::Side);
}
bool writeSideFile(const Route &route)
{
    return writeRouteFile(route, RouteFile::Side);
}
bool readScriptFile(Route &route)
{
    return readRouteFile(route, RouteFile::Script);
}
bool writeScriptFile(const Route &route)
{
    return writeRouteFile(route, RouteFile::Script);
}
bool readBackFile(Route &route)
{
    return readRouteFile(route, RouteFile::Back);
}
bool writeBackFile(const Route &route)
{
    return writeRouteFile(route, RouteFile::Back);
}
bool readAdScript(Route &route)
{
    return readRouteFile(route, RouteFile::AdScript);
}
bool writeAdScript(const Route &route)
{
    return writeRouteFile(route, RouteFile::AdScript);
}

QStringList readAdScriptOf(const QString &adPath)
{
    QStringList names;
    QByteArray bytes;
    if (!adPath.isEmpty() &&
        RouteFileReader::readAll(adPath + QLatin1Char('/') + routeFileName(RouteFile::AdScript),
                                 bytes))
        parseAdScript(names, &bytes);
    return names;
}

bool Route::load(const QString &path)
{
    if (!m_path.isEmpty() || path.isEmpty())
        return false;
    m_path = QDir::cleanPath(path);
    const bool loaded = loadWith(*this, fetchFile);
    if (!loaded)
        m_path.clear();
    return loaded;
}

bool Route::loadFiles(const QString &path, const FileMap &files)
{
    if (!m_path.isEmpty() || path.isEmpty())
        return false;
    m_path = QDir::cleanPath(path);
    const bool loaded = loadWith(*this, [&files](const Route &, RouteFile file, QByteArray &bytes) {
        const auto it = files.constFind(routeFileName(file));
        bytes = it == files.constEnd() ? QByteArray() : *it;
        return it != files.constEnd();
    });
    if (!loaded)
        m_path.clear();
    return loaded;
}

Route::FileMap Route::fileBytes() const
{
    FileMap files;
    for (const RouteFileFormat &f : routeFileFormats)
        files.insert(QLatin1String(f.name), f.format(*this));
    return files;
}

bool Route::save()
{
    if (m_path.isEmpty())
        return false;
    QVector<RouteFileWriter::Target> targets;
    for (const RouteFileFormat &f : routeFileFormats) {
        RouteFileWriter::Target target;
        if (saveTarget(*this, f.file, target))
            targets.append(target);
    }
    return RouteFileWriter::saveAll(targets);
}
