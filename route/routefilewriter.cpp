#include "routefilewriter.h"

#include <QSaveFile>

#include <cstring>

RouteFileWriter::RouteFileWriter(bool withBom)
{
    if (withBom)
        m_data = QByteArrayLiteral("\xEF\xBB\xBF");
}

void RouteFileWriter::addLine(const QByteArray &bytes)
{
    m_data += bytes;
    m_data += "\r\n";
}

QByteArray RouteFileWriter::lineText(const QString &text)
{
    return lineBytes(text.toUtf8());
}

QByteArray RouteFileWriter::lineBytes(QByteArray bytes)
{
    const size_t size = size_t(bytes.size());
    if (!std::memchr(bytes.constData(), '\r', size) && !std::memchr(bytes.constData(), '\n', size))
        return bytes;
    for (char &c : bytes) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return bytes;
}

bool RouteFileWriter::save(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Flushed here because QSaveFile::commit() misses a failure of its own final flush (a
    // full disk) and would replace the old file with a truncated one.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
