// Tab texts for route folders: the folder's name, and where several open folders share a
// name, as much of their parent paths as tells them apart ("depo1/route12").
#pragma once

#include <QStringList>

QStringList distinctTabTitles(const QStringList &paths);
