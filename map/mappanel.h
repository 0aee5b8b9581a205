// The map of the current route with what goes beside it: the stops without a coordinate,
// the spacing findings, the whole-route button, the tile folder and the export. Picks stops
// through the form's station list and moves them with one undo command per drag.
#pragma once

#include <QGeoCoordinate>
#include <QPointer>
#include <QWidget>

class MapView;
class QListWidget;
class QListWidgetItem;
class RouteForm;

class MapPanel : public QWidget
{
    Q_OBJECT

public:
    // The settings key of the tile folder.
    static constexpr char tileFolderKey[] = "map/tileFolder";

    explicit MapPanel(QWidget *parent = nullptr);

    // The form whose route is shown; the map follows its edits and its current station.
    void setForm(RouteForm *form);
    RouteForm *form() const;
    MapView *view() const { return m_view; }
    QListWidget *unplacedList() const { return m_unplaced; }
    QListWidget *findingList() const { return m_findingList; }

    // As the coordinate field keeps it.
    static QGeoCoordinate rounded(const QGeoCoordinate &c);
    void setTileFolder(const QString &folder);
    QSize sizeHint() const override { return QSize(560, 480); }

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showCurrent(int station);
    void selectStation(int station);
    void moveStation(int station, const QGeoCoordinate &coordinate);
    void pickItem(QListWidgetItem *item);
    void chooseTileFolder();
    void exportMap();

    QPointer<RouteForm> m_form;
    MapView *m_view = nullptr;
    QListWidget *m_unplaced = nullptr;
    QListWidget *m_findingList = nullptr;
    bool m_stale = true;
    bool m_fromMap = false; // a stop picked on the map is not centred on
};
