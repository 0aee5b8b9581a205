// Makes writes fail for a while: root may write anywhere, but not beyond RLIMIT_FSIZE.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

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
