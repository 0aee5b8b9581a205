// The rules of station editing, without widgets: where stops go, what goes with them and
// which automatic announcement texts follow a change. Each rule returns the list of changes
// that the station page turns into one undo step.
#pragma once

#include <QGeoCoordinate>
#include <QString>
#include <QVector>

class Route;

class StationRules
{
public:
    // One change of a plan; `station` is the new back index for BackIndex and unused for
    // NextWord.
    struct Edit
    {
        enum Kind
        {
            Insert,
            Remove,
            Name,
            NextName,
            SideName,
            NextWord,
            BackIndex
        };
        Edit(Kind k, int s, int l = 0, const QString &t = QString())
            : kind(k), station(s), lang(l), text(t)
        {
        }
        Kind kind;
        int station;
        int lang;
        QString text;

        bool operator==(const Edit &o) const
        {
            return kind == o.kind && station == o.station && lang == o.lang && text == o.text;
        }
    };
    using Plan = QVector<Edit>;

    // Which controls of the station page apply to station i.
    struct Controls
    {
        bool stationName = false;
        bool nextName = false;
        bool addStation = false;
        bool addNextStation = false;
        bool removeStation = false;
    };

    // `separate`: next-stop announcements are entries of their own.
    StationRules(const Route &route, bool separate, int langCount);

    int directionEnd(int i) const;
    bool isNextEntry(int i) const;
    Controls controls(int i) const;

    // Where "Новая остановка" inserts for the current station (-1 the route row);
    // -1 when a stop cannot go there.
    int insertPosition(int current) const;
    Plan addStop(int current) const;
    Plan addNextEntry(int current) const;
    Plan remove(int current) const;
    Plan rename(int station, int lang, const QString &text) const;
    Plan changeNextWord(int lang, const QString &word) const;

    // Texts of the three auto buttons.
    QString autoStationName(int station, int lang) const;
    QString autoNextName(int station, int lang) const;
    QString autoSideName(int station, int lang) const;

    static QString formatCoordinate(const QGeoCoordinate &c);
    static QGeoCoordinate parseCoordinate(const QString &text);

private:
    QString autoNext(int station, int lang) const;
    // The new back index after inserting (count > 0) or removing entries at `at`.
    void moveBack(int &back, int at, int count) const;
    void appendBack(Plan &plan, int back) const;

    const Route &m_route;
    bool m_separate;
    int m_langCount;
};
