// Helpers of the file format tests.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

// A folder template in memory where there is one: rewriting a file thousands of times is slow
// on a disk that discards freed blocks. For QTemporaryDir.
inline QString fastTempTemplate()
{
    const QString tmpfs = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(tmpfs).isWritable() ? tmpfs : QDir::tempPath();
    return base + QStringLiteral("/tessaly-test-XXXXXX");
}

// Makes writes fail for a while: root may write anywhere, but not beyond RLIMIT_FSIZE.
// Files may not grow beyond `bytes` while this lives; SIGXFSZ is ignored meanwhile, so the
// write itself reports the failure.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old;
    void (*m_oldHandler)(int);
};

} // namespace testsupport
