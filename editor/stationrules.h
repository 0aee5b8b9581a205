// The rules of station editing, without widgets: where stops go, what goes with them and
// which automatic announcement texts follow a change. Each rule returns the list of changes
// that the station page turns into one undo step.
#pragma once

#include "stationedit.h"

#include <QCoreApplication>
#include <QGeoCoordinate>
#include <QString>

class Route;

class StationRules
{
    Q_DECLARE_TR_FUNCTIONS(StationRules)

public:
    using Edit = StationEdit;
    using Plan = StationPlan;

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

    // How an opened route lays out its next-stop announcements. When its texts leave it open
    // the user is asked, `defaultYes` preselected, and the plan of the answer clears or fills
    // in the next-stop texts; otherwise the layout is `separate` and nothing changes.
    struct NextStopLayout
    {
        bool ask = false;
        bool defaultYes = false;
        bool separate = false;
        Plan separatePlan;
        Plan joinedPlan;

        const Plan &plan(bool separateAnswer) const
        {
            return separateAnswer ? separatePlan : joinedPlan;
        }
    };
    static NextStopLayout nextStopLayout(const Route &route, int langCount);
    // Carries out a plan's text changes on the route itself, outside the undo history.
    static void applyTexts(Route &route, const Plan &plan);

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

// The layout switch. Split (separate true): every stop's next-stop text becomes an entry after
// the stop, except for the last stop of each direction. Join: every next-stop entry folds back
// into the stop before it, its files appended to the stop's; an entry that begins its
// direction stays as a new stop of its own carrying its text as next-stop text. The plan ends
// with the new back index.
StationPlan stationSequencePlan(const Route &route, int langCount, bool separate);
