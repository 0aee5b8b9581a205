#include "csvreader.h"

#include <QIODevice>

#include <cstring>

namespace {

const int BlockSize = 1 << 18;

} // namespace

CsvReader::CsvReader(QIODevice *device) : m_device(device)
{
    m_fields.reserve(16);
}

QString CsvReader::text(int i) const
{
    const std::string_view f = field(i);
    return QString::fromUtf8(f.data(), int(f.size()));
}

bool CsvReader::fill()
{
    if (m_eof || !m_device)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_consumed += m_pos;
        m_pos = 0;
    }
    const int old = m_buffer.size();
    m_buffer.resize(old + BlockSize);
    const qint64 got = m_device->read(m_buffer.data() + old, BlockSize);
    m_buffer.resize(old + int(qMax<qint64>(got, 0)));
    if (got <= 0)
        m_eof = true;
    if (!m_started && m_buffer.size() >= 3) {
        m_started = true;
        if (m_buffer.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }
    return got > 0;
}

int CsvReader::recordEnd(int &lines) const
{
    const char *data = m_buffer.constData();
    const int size = m_buffer.size();
    lines = 1;
    // Most records hold no quote: the next line break ends them.
    const void *nl = std::memchr(data + m_pos, '\n', size_t(size - m_pos));
    const int end = nl ? int(static_cast<const char *>(nl) - data) : size;
    if (!std::memchr(data + m_pos, '"', size_t(end - m_pos)))
        return nl || m_eof ? end : -1;
    bool quoted = false;
    lines = 1;
    for (int i = m_pos; i < size; ++i) {
        const char c = data[i];
        if (c == '"')
            quoted = !quoted;
        else if (c == '\n') {
            if (!quoted)
                return i;
            ++lines;
        }
    }
    return m_eof ? size : -1;
}

void CsvReader::split(int end)
{
    m_fields.clear();
    char *data = m_buffer.data();
    int stop = end;
    if (stop > m_pos && data[stop - 1] == '\r')
        --stop;
    int i = m_pos;
    for (;;) {
        if (i < stop && data[i] == '"') {
            // Quoted: unescaped in place, the text never grows.
            int w = i;
            const int start = w;
            ++i;
            while (i < stop) {
                if (data[i] == '"') {
                    if (i + 1 < stop && data[i + 1] == '"') {
                        data[w++] = '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                data[w++] = data[i++];
            }
            // Anything between the closing quote and the comma belongs to the field.
            while (i < stop && data[i] != ',')
                data[w++] = data[i++];
            m_fields.push_back({start, w - start});
        } else {
            const void *comma = std::memchr(data + i, ',', size_t(stop - i));
            const int e = comma ? int(static_cast<const char *>(comma) - data) : stop;
            m_fields.push_back({i, e - i});
            i = e;
        }
        if (i >= stop || size() >= m_limit)
            break;
        ++i; // the comma
        if (i == stop) {
            m_fields.push_back({i, 0});
            break;
        }
    }
}

bool CsvReader::next()
{
    for (;;) {
        int lines = 1;
        int end = recordEnd(lines);
        while (end < 0) {
            fill();
            end = recordEnd(lines);
        }
        if (m_pos >= m_buffer.size() && !fill()) {
            if (m_pos >= m_buffer.size())
                return false;
            continue;
        }
        m_line = m_nextLine;
        m_nextLine += lines;
        split(end);
        m_pos = qMin(end + 1, m_buffer.size());
        const int first = m_fields[0].start;
        if (size() == 1 && m_fields[0].size == 0 &&
            (first >= m_buffer.size() || m_buffer.at(first) != '"'))
            continue; // a blank line
        return true;
    }
}
