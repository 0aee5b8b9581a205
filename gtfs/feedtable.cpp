#include "feedtable.h"

#include "feedsource.h"

bool FeedTable::open(const FeedSource &source, const QString &name,
                     std::initializer_list<const char *> required, QString *error, bool optional)
{
    m_name = name;
    m_columns.clear();
    m_header.clear();
    m_reader.reset();
    m_device = source.file(name);
    if (!m_device) {
        if (!optional && error)
            *error = QStringLiteral("%1: в наборе нет этого файла").arg(name);
        return optional;
    }
    m_size = source.size(name);
    m_reader = std::make_unique<CsvReader>(m_device.get());
    if (m_reader->next()) {
        for (int i = 0; i < m_reader->size(); ++i) {
            const std::string_view f = m_reader->field(i);
            const QByteArray key = QByteArray(f.data(), int(f.size())).trimmed();
            m_header.append(key);
            if (!m_columns.contains(key))
                m_columns.insert(key, i);
        }
    }
    for (const char *column : required) {
        if (!m_columns.contains(QByteArray(column))) {
            if (error)
                *error =
                    QStringLiteral("%1, строка 1: нет столбца %2").arg(name, QLatin1String(column));
            m_reader.reset();
            return false;
        }
    }
    return true;
}

QString FeedTable::where(int column) const
{
    const QString line = QStringLiteral("%1, строка %2").arg(m_name).arg(m_reader->line());
    if (column < 0 || column >= m_header.size())
        return line;
    return line + QStringLiteral(", столбец ") + QString::fromUtf8(m_header.at(column));
}
