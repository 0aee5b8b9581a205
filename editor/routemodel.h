// The station list: row 0 stands for the route itself, row r for station r - 1.
#pragma once

#include <QAbstractListModel>

class Route;
class Station;

class RouteModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit RouteModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void setRoute(Route *route);
    Route *route() const { return m_route; }

    QModelIndex stationIndex(int station) const;
    QModelIndex routeIndex() const;
    int stationOf(const QModelIndex &index) const;

    // The only ways stations come and go while the form is open, so the view
    // always hears about them before the route changes.
    void insertStationRow(int station, Station *s = nullptr);
    void removeStationRow(int station);
    Station *takeStationRow(int station);
    void updateBackStationIndex(int backIndex);
    void renameStation(int station, int lang, const QString &text);

    // All texts of a station, one per line, as its row's tool tip shows them.
    static QString toolTip(const Station &station);

private:
    void emitRowChanged(int row);

    Route *m_route = nullptr;
};
