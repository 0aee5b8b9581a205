// One change of the station list, as the station rules plan it and the undo commands carry it
// out, in the order it is applied.
#pragma once

#include <QString>
#include <QVector>

struct StationEdit
{
    enum Kind
    {
        Insert,       // a new entry at station
        Remove,       // the entry at station
        Name,         // name[lang] of station = text
        NextName,     // nextName[lang] of station = text
        SideName,     // sideName[lang] of station = text
        NextWord,     // the next word[lang] = text; station unused
        BackIndex,    // the back direction starts at station
        AddTextFile,  // text at row `lang` of the station's text files
        AddSoundFile, // text at row `lang` of the station's sound files

        // The layout switch's names for the same changes.
        AddStation = Insert,
        RemoveStation = Remove,
        SetName = Name,
        SetNextName = NextName,
        SetBackIndex = BackIndex,
    };
    StationEdit(Kind k, int s, int l = 0, const QString &t = QString())
        : kind(k), station(s), lang(l), text(t)
    {
    }
    Kind kind;
    int station;
    int lang; // the language, or the row of a file
    QString text;

    bool operator==(const StationEdit &o) const
    {
        return kind == o.kind && station == o.station && lang == o.lang && text == o.text;
    }
};

using StationPlan = QVector<StationEdit>;
