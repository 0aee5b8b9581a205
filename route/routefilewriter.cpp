#include "routefilewriter.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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
    return saveAll({{QFileInfo(path).absolutePath(), path, content}});
}

bool RouteFileWriter::staysInside(const QString &folder, const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return true;
    // A dangling link has no canonical path: it is refused too.
    const QString target = info.canonicalFilePath();
    const QString base = QFileInfo(folder).canonicalFilePath();
    return !target.isEmpty() && !base.isEmpty() && target.startsWith(base + QLatin1Char('/'));
}

bool RouteFileWriter::saveAll(const QVector<Target> &targets)
{
    for (const Target &t : targets) {
        if (!staysInside(t.folder, t.path))
            return false;
    }
    // Files not committed are discarded with their temporary files when this goes.
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const Target &t : targets) {
        files.push_back(std::make_unique<QSaveFile>(t.path));
        QSaveFile &file = *files.back();
        if (!file.open(QIODevice::WriteOnly))
            return false;
        // Flushed here because QSaveFile::commit() misses a failure of its own final flush (a
        // full disk) and would replace the old file with a truncated one.
        if (file.write(t.content) != t.content.size() || !file.flush())
            return false;
#ifdef Q_OS_UNIX
        // On disk before any rename, so that a full disk shows here and not half-way through.
        if (::fsync(file.handle()) != 0)
            return false;
#endif
    }
    for (auto &file : files) {
        if (!file->commit())
            return false;
    }
    return true;
}
