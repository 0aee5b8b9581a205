// The in-memory image of one route folder.
#pragma once

#include "station.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Board mode flags; in the files each set flag is a suffix "_" plus its letter.
enum BoardMode
{
    ModeStatic = 1,
    ModeOnlyDestination = 2,
    ModeStationScroll = 4,
    ModeCenter = 8,
    ModeMoscow = 16,
};

extern const char *const defaultSideSeparator;
extern const char *const defaultRouteText;
extern const char *const defaultSalonTempText;
extern const char *const defaultOutsideTempText;
extern const char *const defaultSalonTabloOrder;
extern const char *const defaultAdFolderName;

// Getter and setter of a plain field.
#define ROUTE_FIELD(Type, name, Setter)                                                            \
public:                                                                                            \
    Type name() const                                                                              \
    {                                                                                              \
        return m_##name;                                                                           \
    }                                                                                              \
    void Setter(const Type &v)                                                                     \
    {                                                                                              \
        m_##name = v;                                                                              \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type m_##name

// Getter and setter of a text held once per language (0 first, 1 second).
#define ROUTE_LANG_FIELD(name, Setter)                                                             \
public:                                                                                            \
    QString name(int lang) const                                                                   \
    {                                                                                              \
        return m_##name[slot(lang)];                                                               \
    }                                                                                              \
    void Setter(int lang, const QString &v)                                                        \
    {                                                                                              \
        m_##name[slot(lang)] = v;                                                                  \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    QString m_##name[2]

class Route
{
public:
    explicit Route(const QString &path = QString());
    ~Route();
    Route(const Route &) = delete;
    Route &operator=(const Route &) = delete;

    // The whole folder. load and newRoute need a record without a path; save needs one.
    // save replaces all files or none, and never writes through a link leading out of the
    // route folder (or, for rscript.txt, out of the ad folder).
    bool load(const QString &path);
    bool save();
    bool newRoute(const QString &path);

    // The files of a route folder in memory, by name: "ost.txt", "coord.txt", "sidetab.txt",
    // "script.txt", "backtab.txt" and "rscript.txt" (of the ad folder). A missing name is a
    // missing file.
    using FileMap = QMap<QString, QByteArray>;
    // load from memory; path only places the ad folder and the stations' default sounds.
    bool loadFiles(const QString &path, const FileMap &files);
    // What save writes, all six files.
    FileMap fileBytes() const;

    // Station list; the route owns its stations.
    Station *station(int index) const;
    int stationCount() const { return m_stations.size(); }
    const QList<Station *> &stations() const { return m_stations; }
    bool hasBackDirection() const;
    // Without a station a new one is inserted, named newStationName in each language.
    void insertStation(int index, Station *station = nullptr);
    QString newStationName(int lang) const;
    void removeStation(int index);
    Station *takeStation(int index);
    void clear();

    // Text helpers.
    QString sideNameFromText(int lang, const QString &text) const;
    QString nextTextFromStationText(int lang, const QString &text) const;
    QString stationTextFromNextText(int lang, const QString &text) const;
    // Drops `prefix` from the front of `text` and puts `replacement` in its place.
    static QString replaceLeadingWord(const QString &text, const QString &prefix,
                                      const QString &replacement);
    QString adFolderRelative() const;
    void fillSideNames();
    // 2 when any second-language text is in use (a route text, a board text or a station's),
    // else 1.
    int languageCount() const;

    // Board mode suffixes of the header lines.
    static int modeFromSuffix(QByteArray &text);
    static QByteArray suffixFromMode(int mode);

    // Words of the announcements are always kept trimmed.
    QString stationWord(int lang) const { return m_stationWord[slot(lang)]; }
    void setStationWord(int lang, const QString &v) { m_stationWord[slot(lang)] = v.trimmed(); }
    QString nextWord(int lang) const { return m_nextWord[slot(lang)]; }
    void setNextWord(int lang, const QString &v) { m_nextWord[slot(lang)] = v.trimmed(); }

    const QStringList &adTextFiles() const { return m_adTextFiles; }
    QStringList &adTextFiles() { return m_adTextFiles; }
    void setAdTextFiles(const QStringList &v) { m_adTextFiles = v; }

    int brCode(int i) const { return m_brCodes[slot(i)]; }
    void setBrCode(int i, int v) { m_brCodes[slot(i)] = v; }

    ROUTE_FIELD(int, backStationIndex, setBackStationIndex) = 0;
    ROUTE_FIELD(QString, path, setPath);
    ROUTE_FIELD(QString, frontNumber, setFrontNumber);
    ROUTE_LANG_FIELD(frontStartingPoint, setFrontStartingPoint);
    ROUTE_LANG_FIELD(frontDestination, setFrontDestination);
    ROUTE_FIELD(QString, sideNumber, setSideNumber);
    ROUTE_LANG_FIELD(sideStartingPoint, setSideStartingPoint);
    ROUTE_LANG_FIELD(sideDestination, setSideDestination);
    ROUTE_FIELD(QString, sideSeparator, setSideSeparator);
    ROUTE_FIELD(QString, backNumber, setBackNumber);
    ROUTE_LANG_FIELD(backStartingPoint, setBackStartingPoint);
    ROUTE_LANG_FIELD(backDestination, setBackDestination);
    ROUTE_FIELD(QByteArray, salonTabloOrder, setSalonTabloOrder);
    ROUTE_FIELD(QString, adPath, setAdPath);
    ROUTE_LANG_FIELD(salonTempText, setSalonTempText);
    ROUTE_LANG_FIELD(outsideTempText, setOutsideTempText);
    ROUTE_LANG_FIELD(routeText, setRouteText);
    ROUTE_FIELD(int, leftSofitColor, setLeftSofitColor) = 0;
    ROUTE_FIELD(int, rightSofitColor, setRightSofitColor) = 0;
    ROUTE_FIELD(QColor, frontNumberColor, setFrontNumberColor);
    ROUTE_FIELD(QColor, frontStartColor, setFrontStartColor);
    ROUTE_FIELD(QColor, frontDestColor, setFrontDestColor);
    ROUTE_FIELD(int, frontFont, setFrontFont) = 0;
    ROUTE_FIELD(int, sideFont, setSideFont) = 0;
    ROUTE_FIELD(int, backFont, setBackFont) = 0;
    ROUTE_FIELD(int, frontMode, setFrontMode) = 0;
    ROUTE_FIELD(int, sideMode, setSideMode) = 0;
    ROUTE_FIELD(int, backMode, setBackMode) = 0;
    ROUTE_FIELD(int, frontInterval, setFrontInterval) = 4;
    ROUTE_FIELD(int, backInterval, setBackInterval) = 4;
    ROUTE_FIELD(int, nextDelay, setNextDelay) = 5;
    ROUTE_FIELD(int, sideStationInterval, setSideStationInterval) = 4;
    ROUTE_FIELD(int, sideInterval, setSideInterval) = 4;
    ROUTE_FIELD(int, sideStationCount, setSideStationCount) = 0;
    ROUTE_FIELD(bool, cyclePlay, setCyclePlay) = false;
    ROUTE_FIELD(bool, frontFontFromStationFile, setFrontFontFromStationFile) = false;

private:
    static int slot(int lang) { return lang > 0 ? 1 : 0; }

    QList<Station *> m_stations;
    QString m_stationWord[2];
    QString m_nextWord[2];
    QStringList m_adTextFiles;
    int m_brCodes[2] = {1, 1};
};

#undef ROUTE_FIELD
#undef ROUTE_LANG_FIELD
