#include "routefilereader.h"

#include <QFile>

#include <cstring>

namespace {
const char utf8Bom[] = "\xEF\xBB\xBF";
}

RouteFileReader::RouteFileReader(const QString &path)
{
    // Route files are small: one read, then the lines are cut out of memory.
    QFile file(path);
    m_open = file.open(QIODevice::ReadOnly);
    if (m_open)
        m_data = file.readAll();
}

QByteArray RouteFileReader::readLine()
{
    if (atEnd())
        return QByteArray();
    int start = m_pos;
    if (start == 0 && m_data.startsWith(utf8Bom))
        start = 3;
    const char *const data = m_data.constData();
    const void *lf = std::memchr(data + start, '\n', size_t(m_data.size() - start));
    int end = lf ? int(static_cast<const char *>(lf) - data) : m_data.size();
    m_pos = lf ? end + 1 : end;
    if (end > start && m_data.at(end - 1) == '\r')
        --end;
    return m_data.mid(start, end - start);
}
