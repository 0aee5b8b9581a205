// Which announcements of which stops a voicing batch speaks, in playing order, and the files
// they go to. Without widgets: the dialog and the command line share it.
#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class Route;

struct VoiceJob
{
    int station = 0;
    int lang = 0;
    bool next = false; // the next-stop text rather than the stop's own
    QString text;      // as spoken: markup dropped
    QString fileName;  // in the route folder
};

class VoicePlan
{
public:
    enum Stops
    {
        AllStops,
        SilentStops, // those without sound files
        OneStop
    };
    struct Request
    {
        Stops stops = SilentStops;
        int station = -1; // for OneStop
        int langCount = 1;
        // The new files take the place of the stops' sound files, and names may be reused;
        // otherwise they follow them and no file is overwritten.
        bool replace = false;
    };

    // Per stop and language, the announcement and then the next-stop text, as the station
    // page shows them; empty texts are left out.
    static QVector<VoiceJob> jobs(const Route &route, const Request &request);
    // The files to attach per stop, in order, from the jobs whose files were written.
    static QVector<QPair<int, QStringList>> attachments(const QVector<VoiceJob> &written);
};
