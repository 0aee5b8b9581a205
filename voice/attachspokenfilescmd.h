// One undo step for a voicing batch: the existing file-list commands, gathered under one
// parent. Undo detaches the files; they stay in the folder, as files made from the lists do.
#pragma once

#include "voiceplan.h"

#include <QUndoCommand>

class RouteForm;

class AttachSpokenFilesCmd : public QUndoCommand
{
public:
    // `replace`: the stops' current sound files are detached first.
    AttachSpokenFilesCmd(RouteForm *form, const QVector<VoiceJob> &written, bool replace);
};
