// Writing conventions of route folder files: UTF-8 bytes, CR LF line ends, atomic replacement.
#pragma once

#include <QByteArray>
#include <QString>

class RouteFileWriter
{
public:
    // withBom starts the content with the UTF-8 byte order mark.
    explicit RouteFileWriter(bool withBom);

    // Appends the bytes of one line and CR LF.
    void addLine(const QByteArray &bytes);
    const QByteArray &data() const { return m_data; }
    // Replaces the file at path; on failure the old file stays as it was and false is returned.
    bool commit(const QString &path);

private:
    QByteArray m_data;
};
