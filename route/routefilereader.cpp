#include "routefilereader.h"

#include <QFile>

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
    int end = m_data.indexOf('\n', start);
    m_pos = end < 0 ? m_data.size() : end + 1;
    if (end < 0)
        end = m_data.size();
    if (end > start && m_data.at(end - 1) == '\r')
        --end;
    return m_data.mid(start, end - start);
}
