#include "routefilereader.h"

#include <QFile>

#include <cstring>

namespace {
const char utf8Bom[] = "\xEF\xBB\xBF";
}

RouteFileReader::RouteFileReader(const QString &path)
{
    // Route files are small: one read, then the lines are cut out of memory.
    m_open = readAll(path, m_data);
}

RouteFileReader RouteFileReader::fromBytes(const QByteArray &bytes)
{
    RouteFileReader reader;
    reader.m_data = bytes;
    reader.m_open = true;
    return reader;
}

bool RouteFileReader::readAll(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        bytes.clear();
        return false;
    }
    bytes = file.readAll();
    return true;
}

QByteArray RouteFileReader::readLine()
{
    if (atEnd())
        return QByteArray();
    int start;
    const int length = nextLine(start);
    return QByteArray(m_data.constData() + start, length);
}

bool RouteFileReader::readLine(QByteArray &line)
{
    if (atEnd()) {
        line.resize(0);
        return false;
    }
    int start;
    const int length = nextLine(start);
    line.resize(length);
    std::memcpy(line.data(), m_data.constData() + start, size_t(length));
    return true;
}

std::string_view RouteFileReader::readLineView()
{
    if (atEnd())
        return {};
    int start;
    const int length = nextLine(start);
    return {m_data.constData() + start, size_t(length)};
}

int RouteFileReader::nextLine(int &start)
{
    start = m_pos;
    if (start == 0 && m_data.startsWith(utf8Bom))
        start = 3;
    const char *const data = m_data.constData();
    const void *lf = std::memchr(data + start, '\n', size_t(m_data.size() - start));
    int end = lf ? int(static_cast<const char *>(lf) - data) : m_data.size();
    m_pos = lf ? end + 1 : end;
    if (end > start && data[end - 1] == '\r')
        --end;
    return end - start;
}
