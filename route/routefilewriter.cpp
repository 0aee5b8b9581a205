#include "routefilewriter.h"

#include "platformfiles.h"
#include "savejournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>
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

RouteFileWriter &RouteFileWriter::number(int value)
{
    char digits[16];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    m_data.append(digits, int(r.ptr - digits));
    return *this;
}

QByteArray RouteFileWriter::lineText(const QString &text)
{
    QByteArray bytes;
    appendLineText(bytes, text);
    return bytes;
}

void RouteFileWriter::appendLineText(QByteArray &out, const QString &text)
{
    const int size = text.size();
    const int start = out.size();
    // Room for the longest encoding; resize grows geometrically and shrinking keeps the room.
    out.resize(start + 3 * size);
    char *const begin = out.data();
    char *p = begin + start;
    const ushort *const u = reinterpret_cast<const ushort *>(text.constData());
    for (int i = 0; i < size; ++i) {
        const uint c = u[i];
        if (c < 0x80) {
            *p++ = c == '\r' || c == '\n' ? ' ' : char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(u[i + 1])) {
            const uint code = QChar::surrogateToUcs4(ushort(c), u[++i]);
            *p++ = char(0xF0 | (code >> 18));
            *p++ = char(0x80 | ((code >> 12) & 0x3F));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate gets whatever Qt's encoder puts for it, as it always did.
            const QByteArray lone = QString(QChar(ushort(c))).toUtf8();
            for (const char b : lone)
                *p++ = b;
        }
    }
    out.resize(int(p - begin));
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

QByteArray RouteFileWriter::degreesText(double degrees)
{
    QByteArray text;
    appendDegrees(text, degrees);
    return text;
}

void RouteFileWriter::appendDegrees(QByteArray &out, double degrees)
{
    const int decimals = 5;
    const int start = out.size();
    // to_chars rounds an exact tie to even where Qt rounds it away from zero; ties need a
    // multiple of 1/64 here. Qt also keeps the odd cases: signed zero, huge and non-finite.
    const double sixtyFourths = degrees * 64;
    const bool forQt =
        !(std::fabs(degrees) < 1e9) || degrees == 0 || sixtyFourths == std::floor(sixtyFourths);
    if (forQt) {
        out += QByteArray::number(degrees, 'f', decimals);
    } else {
        char buffer[32];
        const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, degrees,
                                                     std::chars_format::fixed, decimals);
        out.append(buffer, int(r.ptr - buffer));
    }
    const char *const text = out.constData() + start;
    const int length = out.size() - start;
    if (length > 0 && text[0] == '-' && std::strspn(text + 1, "0.") == size_t(length - 1))
        out.remove(start, 1);
}

bool RouteFileWriter::save(const QString &path, const QByteArray &content, QString *why)
{
    return saveAll({{QFileInfo(path).absolutePath(), path, content}}, why);
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

void (*RouteFileWriter::stepHook)(const char *step) = nullptr;

namespace {

void step(const char *name)
{
    if (RouteFileWriter::stepHook)
        RouteFileWriter::stepHook(name);
}

QString failure(const QString &path, const QString &why)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
}

// The file that writing through `path` replaces: a link inside the folder is written through.
QString writtenPath(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.canonicalFilePath() : path;
}

// What stands in the way of replacing `path`; empty when nothing does.
QString obstacle(const RouteFileWriter::Target &t)
{
    if (!RouteFileWriter::staysInside(t.folder, t.path))
        return QCoreApplication::translate("RouteFiles", "ссылка ведёт за пределы папки");
    const QFileInfo info(writtenPath(t.path));
    if (info.exists() && !info.isFile())
        return platformfiles::notPlainReason();
    if (info.exists() && !info.isWritable())
        return QCoreApplication::translate("RouteFiles", "файл только для чтения");
    return QString();
}

bool writeTemp(const QString &temp, const QString &path, const QByteArray &content, QString *why)
{
    QFile file(temp);
    // Flushed and synced: a full disk shows here, before any rename, and not as a cut file.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   file.write(content) == content.size();
    step("write");
    written = written && platformfiles::syncFile(file);
    if (written && QFileInfo::exists(path))
        file.setPermissions(QFile::permissions(path));
    if (!written && why)
        *why = failure(temp, file.errorString());
    step("sync");
    return written;
}

} // namespace

bool RouteFileWriter::saveAll(const QVector<Target> &targets, QString *why)
{
    for (const Target &t : targets) {
        const QString reason = obstacle(t);
        if (!reason.isEmpty()) {
            if (why)
                *why = failure(t.path, reason);
            return false;
        }
    }
    if (targets.isEmpty())
        return true;
    if (targets.size() == 1)
        return saveOne(targets.first(), why);

    QVector<SaveJournal::Entry> entries;
    for (const Target &t : targets) {
        const QString path = writtenPath(t.path);
        entries.append({SaveJournal::tempPathOf(path), path});
    }
    SaveJournal journal(targets.first().folder);
    if (!journal.begin(entries, why)) {
        journal.rollBack();
        return false;
    }
    step("journal");
    for (int i = 0; i < targets.size(); ++i) {
        if (!writeTemp(entries.at(i).temp, entries.at(i).path, targets.at(i).content, why)) {
            journal.rollBack();
            return false;
        }
    }
    QStringList folders;
    for (const SaveJournal::Entry &e : qAsConst(entries)) {
        const QString folder = QFileInfo(e.path).absolutePath();
        if (!folders.contains(folder))
            folders << folder;
    }
    // The temporary files' names on the disk too, before the list says they are all there.
    for (const QString &folder : qAsConst(folders))
        platformfiles::syncFolder(folder);
    if (!journal.markComplete(why)) {
        journal.rollBack();
        return false;
    }
    step("complete");
    // Back to back; from here a failure is finished when the folder is next opened.
    for (const SaveJournal::Entry &e : qAsConst(entries)) {
        if (!platformfiles::replaceFile(e.temp, e.path, why)) {
            if (why)
                *why = failure(e.path, *why);
            return false;
        }
        step("rename");
    }
    for (const QString &folder : qAsConst(folders)) {
        platformfiles::syncFolder(folder);
        step("sync folder");
    }
    journal.end();
    step("end");
    return true;
}

bool RouteFileWriter::saveOne(const Target &t, QString *why)
{
    QSaveFile file(t.path);
    // Synced here because QSaveFile::commit() misses a failure of its own final flush (a full
    // disk) and would replace the old file with a truncated one.
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(t.content) == t.content.size() && platformfiles::syncFile(file) &&
                       file.commit();
    if (!saved) {
        if (why)
            *why = failure(t.path, file.errorString());
        return false;
    }
    platformfiles::syncFolder(QFileInfo(writtenPath(t.path)).absolutePath());
    return true;
}
