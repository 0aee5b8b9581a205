// rscript.txt in the ad folder: the ad text files of the running line, in running order.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Route;

// Replaces the route's ad list by the one in its ad folder; false when there is none.
bool readAdScript(Route &route);
// The ad list of any folder, the record untouched; empty when unreadable.
QStringList readAdScriptOf(const QString &adPath);
// An ad folder that does not exist keeps no list: nothing is written, and that is success.
bool writeAdScript(const Route &route);
// The same on content in memory; null stands for a missing file.
bool parseAdScript(QStringList &names, const QByteArray *bytes);
QByteArray adScriptBytes(const Route &route);
