// Whole folder trees for the route folder tests: copied, read back and compared.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

namespace foldertree {

// Relative path -> bytes of every file below dir; directories end in "/" with no bytes.
inline QMap<QString, QByteArray> read(const QString &dir)
{
    QMap<QString, QByteArray> tree;
    const QDir root(dir);
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            tree.insert(relative + QLatin1Char('/'), QByteArray());
        } else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            tree.insert(relative, f.readAll());
        }
    }
    return tree;
}

inline bool copy(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir root(from);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + root.relativeFilePath(path);
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target))
            return false;
    }
    return true;
}

// The paths whose bytes differ, or that exist on one side only; empty when equal.
inline QStringList differences(const QMap<QString, QByteArray> &expected,
                               const QMap<QString, QByteArray> &actual)
{
    QStringList diffs;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key()))
            diffs << QStringLiteral("missing ") + it.key();
        else if (actual.value(it.key()) != it.value())
            diffs << QStringLiteral("differs ") + it.key() + QStringLiteral(": ") +
                         QString::fromUtf8(actual.value(it.key()).toPercentEncoding(" \\\"")) +
                         QStringLiteral(" instead of ") +
                         QString::fromUtf8(it.value().toPercentEncoding(" \\\""));
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key()))
            diffs << QStringLiteral("unexpected ") + it.key();
    }
    return diffs;
}

} // namespace foldertree
