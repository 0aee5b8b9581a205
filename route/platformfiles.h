// The few file calls that differ between Windows and the systems we build on.
#pragma once

#include <QString>

class QFile;
class QFileDevice;

namespace platformfiles {

// Opens a plain file read-only without waiting: a pipe put in its place neither blocks the
// open nor is read. False (with `why`, the system's reason or "not a plain file") otherwise.
bool openPlainFile(QFile &file, const QString &path, QString *why);
// Puts `from` in the place of `to` in one step, replacing what was there.
bool replaceFile(const QString &from, const QString &to, QString *why);
// Writes what the system holds of an open file to the disk.
bool syncFile(QFileDevice &file);
// Makes the renames and removals in a folder survive a power cut.
bool syncFolder(const QString &folder);

// Why a file that exists was not taken: not a plain file.
QString notPlainReason();

} // namespace platformfiles
