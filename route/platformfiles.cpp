#include "platformfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platformfiles {

QString notPlainReason()
{
    return QCoreApplication::translate("RouteFiles",
                                       "это не обычный файл (канал, устройство, сокет или папка)");
}

bool openPlainFile(QFile &file, const QString &path, QString *why)
{
    // Checked before opening, and once more on what was opened: the name may change between.
    if (!QFileInfo(path).isFile()) {
        if (why)
            *why = notPlainReason();
        return false;
    }
#ifdef Q_OS_WIN
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = qt_error_string(errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (why)
            *why = notPlainReason();
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
#endif
}

bool replaceFile(const QString &from, const QString &to, QString *why)
{
#ifdef Q_OS_WIN
    const bool done = MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
                                  reinterpret_cast<const wchar_t *>(to.utf16()),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done && why)
        *why = qt_error_string(int(GetLastError()));
    return done;
#else
    const bool done =
        ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    if (!done && why)
        *why = qt_error_string(errno);
    return done;
#endif
}

bool syncFile(QFileDevice &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

bool syncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    // MoveFileEx with MOVEFILE_WRITE_THROUGH has already put the rename on the disk.
    Q_UNUSED(folder);
    return true;
#else
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#endif
}

} // namespace platformfiles
