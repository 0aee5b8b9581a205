#include "voiceplan.h"

#include "filelistrules.h"
#include "route.h"
#include "spokentext.h"

#include <QFileInfo>
#include <QSet>

namespace {

bool chosen(const Route &route, const VoicePlan::Request &request, int index)
{
    switch (request.stops) {
    case VoicePlan::AllStops:
        return true;
    case VoicePlan::SilentStops:
        return route.station(index)->soundFiles().isEmpty();
    case VoicePlan::OneStop:
        return index == request.station;
    }
    return false;
}

} // namespace

QVector<VoiceJob> VoicePlan::jobs(const Route &route, const Request &request)
{
    const int count = route.stationCount();
    QVector<bool> voiced(count);
    for (int i = 0; i < count; ++i)
        voiced[i] = chosen(route, request, i);

    // Names other stops keep (and, without replace, any in the folder) are never written.
    QSet<QString> taken;
    for (int i = 0; i < count; ++i) {
        if (voiced[i] && request.replace)
            continue;
        const Station *s = route.station(i);
        for (const QStringList *list : {&s->soundFiles(), &s->textFiles()}) {
            for (const QString &name : *list)
                taken.insert(name.toLower());
        }
    }
    const QString folder = route.path();
    auto isFree = [&](const QString &name) {
        if (taken.contains(name.toLower()))
            return false;
        return request.replace || !QFileInfo::exists(folder + QLatin1Char('/') + name);
    };

    QVector<VoiceJob> jobs;
    for (int i = 0; i < count; ++i) {
        if (!voiced[i])
            continue;
        const Station *s = route.station(i);
        for (int lang = 0; lang < request.langCount; ++lang) {
            for (bool next : {false, true}) {
                const QString text = spokenText(next ? s->nextName(lang) : s->name(lang));
                if (text.isEmpty())
                    continue;
                VoiceJob job{i, lang, next, text, spokenFileName(i, lang, next, isFree)};
                taken.insert(job.fileName.toLower());
                jobs << job;
            }
        }
    }
    return jobs;
}

QVector<QPair<int, QStringList>> VoicePlan::attachments(const QVector<VoiceJob> &written)
{
    QVector<QPair<int, QStringList>> out;
    for (const VoiceJob &job : written) {
        if (out.isEmpty() || out.last().first != job.station)
            out.append({job.station, QStringList()});
        out.last().second << job.fileName;
    }
    return out;
}
