// Shows a folder, or a file selected in its folder, in the desktop's file manager.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#define TESSALY_FILEMANAGER_DBUS
#include <QDBusMessage>
#endif

// The ways of reaching a file manager. The defaults talk to the desktop; tests record instead.
struct FileManagerLaunch
{
#ifdef TESSALY_FILEMANAGER_DBUS
    // Sends a call on the session bus; `answered` reports later whether anyone took it.
    std::function<void(const QDBusMessage &call,
                       const std::function<void(bool answered)> &answered)>
        callDBus;
#endif
    // A detached program with its arguments; false when it could not be started.
    std::function<bool(const QString &program, const QStringList &arguments)> startDetached;
    // False when no program took the address.
    std::function<bool(const QUrl &url)> openUrl;

    static FileManagerLaunch system();
};

// A folder opens as it is; a file opens its folder with the file selected. `failed` hears, maybe
// later, when nothing could be started; a file manager that starts and fails says so itself.
void showInFileManager(const QString &path,
                       const FileManagerLaunch &launch = FileManagerLaunch::system(),
                       const std::function<void()> &failed = {});
