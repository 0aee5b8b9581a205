#include "routefilewriter.h"

#include <QSaveFile>

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

bool RouteFileWriter::commit(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(m_data) != m_data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
