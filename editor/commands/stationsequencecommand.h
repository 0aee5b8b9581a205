// Switches the station list between next-stop texts kept on the stops and next-stop
// announcements as entries of their own between the stops.
#pragma once

#include <QList>
#include <QString>
#include <QUndoCommand>
#include <QVector>

class Route;
class RouteForm;

// One change of the conversion, in the order it is applied.
struct SequenceStep
{
    enum Kind
    {
        AddStation,    // a new entry at station
        RemoveStation, // the entry at station
        SetName,       // name[lang] of station = text
        SetNextName,   // nextName[lang] of station = text
        AddTextFile,   // text at row `lang` of the station's text files
        AddSoundFile,  // text at row `lang` of the station's sound files
        SetBackIndex,  // the back direction starts at station
    };
    Kind kind;
    int station;
    int lang; // the language, or the row of a file
    QString text;

    bool operator==(const SequenceStep &o) const
    {
        return kind == o.kind && station == o.station && lang == o.lang && text == o.text;
    }
};

// Split (separate true): every stop's next-stop text becomes an entry after the stop, except
// for the last stop of each direction. Join: every next-stop entry folds back into the stop
// before it, its files appended to the stop's; an entry that begins its direction stays as a
// new stop of its own carrying its text as next-stop text. The plan ends with the new back
// index.
QVector<SequenceStep> stationSequencePlan(const Route &route, int langCount, bool separate);

class SetStationSequencyCommand : public QUndoCommand
{
public:
    SetStationSequencyCommand(RouteForm *form, bool separate, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    RouteForm *m_form;
    bool m_separate;
};
