// Speaks the jobs of a plan and writes their files, on whatever thread runs it. A batch that
// is cancelled or fails takes back the files it created, so it leaves the folder as it was
// (files it overwrote under "replace" stay overwritten).
#pragma once

#include "voiceplan.h"
#include "voicesettings.h"

#include <QStringList>
#include <QVector>

#include <functional>

struct VoiceOutcome
{
    QVector<VoiceJob> written; // in plan order
    QVector<VoiceJob> silent;  // texts that gave no sound: no file
    QStringList created;       // paths of files that did not exist before
    QString error;             // why the batch stopped; empty when it did not
    bool cancelled = false;
    double seconds = 0; // of speech written

    bool ok() const { return error.isEmpty() && !cancelled; }
};

class VoiceBatch
{
public:
    // Told how many jobs are done after each one; returns false to cancel.
    using Progress = std::function<bool(int done)>;

    static VoiceOutcome run(const QString &folder, const QVector<VoiceJob> &jobs,
                            const VoiceSettings &settings, const Progress &progress = {});
    // Removes the files the batch created (after a later step failed).
    static void discard(VoiceOutcome &outcome);
};
