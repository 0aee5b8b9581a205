#include "attachspokenfilescmd.h"

#include "filelistcommands.h"
#include "routeform.h"

AttachSpokenFilesCmd::AttachSpokenFilesCmd(RouteForm *form, const QVector<VoiceJob> &written,
                                           bool replace)
{
    setText(QObject::tr("Озвучить остановки"));
    for (const auto &stop : VoicePlan::attachments(written)) {
        const int station = stop.first;
        int row = form->route().station(station)->soundFiles().size();
        // From the last row up: each removal reads its name from the route as it is now.
        while (replace && row > 0)
            new RemoveStationSoundFileCmd(form, station, --row, this);
        for (const QString &name : stop.second)
            new AddStationSoundFileCmd(form, station, row++, name, this);
    }
}
