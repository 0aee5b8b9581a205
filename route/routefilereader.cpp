#include "routefilereader.h"

#include "platformfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {
const char utf8Bom[] = "\xEF\xBB\xBF";

const qint64 mebibyte = 1024 * 1024;
// Real files are far smaller (a route of a thousand stations has an ost.txt of about 200 KB);
// the limits only keep a file put there by mistake from taking the memory or the time.
struct SizeLimit
{
    const char *name;
    qint64 limit;
};
const SizeLimit sizeLimits[] = {
    {"ost.txt", 32 * mebibyte},     // stations with texts in two languages and their files
    {"coord.txt", 16 * mebibyte},   // one short line per station
    {"sidetab.txt", 16 * mebibyte}, // one line or two per station
    {"backtab.txt", 10 * mebibyte}, // a header line or two
    {"script.txt", 10 * mebibyte},  // a few settings lines
    {"rscript.txt", 10 * mebibyte}, // one ad file name a line
    {"editor.ini", 10 * mebibyte},  // three lines
};
// Announcement and ad texts, and any other file read whole.
const qint64 otherLimit = 16 * mebibyte;
} // namespace

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
    return read(path, sizeLimit(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)), bytes) == Read;
}

qint64 RouteFileReader::sizeLimit(const QString &fileName)
{
    for (const SizeLimit &l : sizeLimits) {
        if (fileName == QLatin1String(l.name))
            return l.limit;
    }
    return otherLimit;
}

RouteFileReader::ReadStatus RouteFileReader::read(const QString &path, qint64 limit,
                                                  QByteArray &bytes, QString *why)
{
    bytes.clear();
    const QFileInfo info(path);
    // A dangling link is no file either.
    if (!info.exists() && !info.isSymLink())
        return Missing;
    QFile file;
    if (!platformfiles::openPlainFile(file, path, why))
        return Refused;
    const qint64 size = file.size();
    if (size > limit) {
        if (why)
            *why = QCoreApplication::translate("RouteFiles", "файл больше %1 МБ")
                       .arg(limit / mebibyte);
        return Refused;
    }
    // The size known, one allocation; a file that grows meanwhile is read up to that size.
    bytes.resize(int(size));
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.read(bytes.data() + done, size - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (file.error() != QFileDevice::NoError) {
        if (why)
            *why = file.errorString();
        bytes.clear();
        return Refused;
    }
    bytes.resize(int(done));
    return Read;
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
