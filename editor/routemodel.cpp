#include "routemodel.h"

#include "route.h"

#include <QBrush>
#include <QFont>
#include <QSize>

RouteModel::RouteModel(QObject *parent) : QAbstractListModel(parent) {}

int RouteModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_route || m_route->path().isEmpty())
        return 0;
    return m_route->stationCount() + 1;
}

int RouteModel::columnCount(const QModelIndex &parent) const
{
    Q_UNUSED(parent);
    return 1;
}

QVariant RouteModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_route || index.row() >= rowCount())
        return QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        if (row == 0)
            return tr("Маршрут");
        return m_route->station(row - 1)->name(0);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (row == 0)
            return QBrush(QColor(0, 0, 255));
        // The ends of both directions.
        if (row == m_route->backStationIndex() || row == m_route->stationCount())
            return QBrush(QColor(255, 0, 0));
        return QVariant();
    case Qt::ToolTipRole:
        return row == 0 ? QVariant() : toolTip(*m_route->station(row - 1));
    case Qt::SizeHintRole:
        return QSize(0, 40);
    case Qt::FontRole:
        if (row == 0) {
            QFont font;
            font.setPointSizeF(font.pointSizeF() * 2);
            return font;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QString RouteModel::toolTip(const Station &station)
{
    // Every text of the stop, once, in the order the form edits them.
    QStringList lines;
    for (int lang = 0; lang < 2; ++lang) {
        for (const QString *text :
             {&station.name(lang), &station.nextName(lang), &station.sideName(lang)}) {
            if (!text->isEmpty() && !lines.contains(*text))
                lines.append(*text);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void RouteModel::setRoute(Route *route)
{
    beginResetModel();
    m_route = route;
    endResetModel();
}

QModelIndex RouteModel::stationIndex(int station) const
{
    return index(station + 1, 0);
}

QModelIndex RouteModel::routeIndex() const
{
    return index(0, 0);
}

int RouteModel::stationOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() == 0 || index.row() >= rowCount())
        return -1;
    return index.row() - 1;
}

void RouteModel::insertStationRow(int station, Station *s)
{
    if (!m_route)
        return;
    const int at = qBound(0, station, m_route->stationCount());
    // A route without a path shows no rows, so there is nothing to announce.
    const bool shown = !m_route->path().isEmpty();
    if (shown)
        beginInsertRows(QModelIndex(), at + 1, at + 1);
    m_route->insertStation(at, s);
    if (shown)
        endInsertRows();
}

void RouteModel::removeStationRow(int station)
{
    delete takeStationRow(station);
}

Station *RouteModel::takeStationRow(int station)
{
    if (!m_route || !m_route->station(station))
        return nullptr;
    const bool shown = !m_route->path().isEmpty();
    if (shown)
        beginRemoveRows(QModelIndex(), station + 1, station + 1);
    Station *s = m_route->takeStation(station);
    if (shown)
        endRemoveRows();
    return s;
}

void RouteModel::updateBackStationIndex(int backIndex)
{
    if (!m_route)
        return;
    const int old = m_route->backStationIndex();
    m_route->setBackStationIndex(backIndex);
    emitRowChanged(old);
    emitRowChanged(backIndex);
}

void RouteModel::renameStation(int station, int lang, const QString &text)
{
    if (!m_route)
        return;
    Station *s = m_route->station(station);
    if (!s)
        return;
    s->setName(lang, text);
    if (lang == 0)
        emitRowChanged(station + 1);
}

void RouteModel::emitRowChanged(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex i = index(row, 0);
    emit dataChanged(i, i);
}
