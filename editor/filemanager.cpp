#include "filemanager.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef TESSALY_FILEMANAGER_DBUS
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#endif

FileManagerLaunch FileManagerLaunch::system()
{
    FileManagerLaunch launch;
#ifdef TESSALY_FILEMANAGER_DBUS
    launch.callDBus = [](const QDBusMessage &call, const std::function<void(bool)> &answered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            answered(false);
            return;
        }
        // Asynchronous: a file manager that is started for the call may take a while.
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [answered](QDBusPendingCallWatcher *w) {
                             answered(!w->isError());
                             w->deleteLater();
                         });
    };
#endif
    launch.startDetached = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.setProgram(program);
#ifdef Q_OS_WIN
        // explorer.exe takes "/select,<path>" unquoted, as one piece.
        process.setNativeArguments(arguments.join(QLatin1Char(' ')));
#else
        process.setArguments(arguments);
#endif
        return process.startDetached();
    };
    launch.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    return launch;
}

void showInFileManager(const QString &path, const FileManagerLaunch &launch,
                       const std::function<void()> &failed)
{
    const auto report = [failed](bool started) {
        if (!started && failed)
            failed();
    };
    const QFileInfo info(path);
    const bool folder = info.isDir();
    // A vanished file still shows its folder.
    const QString shown = folder || info.exists() ? path : info.path();
    const bool select = !folder && info.exists();
#if defined(Q_OS_WIN)
    const QString native = QDir::toNativeSeparators(shown);
    report(launch.startDetached(QStringLiteral("explorer.exe"),
                                {select ? QStringLiteral("/select,") + native : native}));
#elif defined(Q_OS_MACOS)
    report(launch.startDetached(QStringLiteral("open"),
                                select ? QStringList{QStringLiteral("-R"), shown}
                                       : QStringList{shown}));
#else
    // The freedesktop file manager interface, which every common Linux desktop answers.
    const QString name = QStringLiteral("org.freedesktop.FileManager1");
    QDBusMessage call = QDBusMessage::createMethodCall(
        name, QStringLiteral("/org/freedesktop/FileManager1"), name,
        select ? QStringLiteral("ShowItems") : QStringLiteral("ShowFolders"));
    call << QStringList{QString::fromUtf8(QUrl::fromLocalFile(shown).toEncoded())} << QString();
    const QUrl fallback = QUrl::fromLocalFile(select ? info.path() : shown);
    const std::function<bool(const QUrl &)> openUrl = launch.openUrl;
    launch.callDBus(call, [openUrl, fallback, report](bool answered) {
        if (!answered)
            report(openUrl(fallback));
    });
#endif
}
