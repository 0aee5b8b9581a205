// Recovery copies of unsaved routes in the per-user data folder: one file per route folder
// holding the folder's path and the bytes of its six files, replaced atomically.
#pragma once

#include "route.h"

#include <QString>
#include <QStringList>

class RecoveryStore
{
public:
    struct Copy
    {
        QString routePath;
        Route::FileMap files;
    };

    static QString folder();
    // Where the copy of a route folder lives.
    static QString copyPath(const QString &routePath);
    // Every copy file there is, whoever left it.
    static QStringList copies();

    static bool write(const QString &routePath, const Route::FileMap &files);
    // False for a file that is not a whole copy.
    static bool read(const QString &copyPath, Copy &copy);
    static void remove(const QString &routePath);
};
