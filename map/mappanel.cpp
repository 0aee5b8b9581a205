#include "mappanel.h"

#include "followform.h"
#include "mapexport.h"
#include "mapview.h"
#include "routecheck.h"
#include "routeform.h"
#include "stationrules.h"
#include "undocommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int StationRole = Qt::UserRole + 1;

QToolButton *toolButton(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QListWidget *sideList(QWidget *parent, const char *name, const QString &title, QLayout *layout)
{
    layout->addWidget(new QLabel(title, parent));
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    layout->addWidget(list);
    return list;
}

} // namespace

MapPanel::MapPanel(QWidget *parent) : QWidget(parent)
{
    auto *wholeBtn = toolButton(this, "wholeRouteBtn", QStringLiteral("Весь маршрут"),
                                QStringLiteral("Показать все остановки"));
    auto *tilesBtn = toolButton(this, "mapTilesBtn", QStringLiteral("Подложка"),
                                QStringLiteral("Папка тайлов z/x/y.png под картой"));
    auto *tileMenu = new QMenu(tilesBtn);
    tileMenu->addAction(QStringLiteral("Папка тайлов…"), this, &MapPanel::chooseTileFolder);
    tileMenu->addAction(QStringLiteral("Без тайлов"), this, [this] { setTileFolder(QString()); });
    tilesBtn->setMenu(tileMenu);
    tilesBtn->setPopupMode(QToolButton::InstantPopup);
    auto *exportBtn = toolButton(this, "mapExportBtn", QStringLiteral("Экспорт…"),
                                 QStringLiteral("Сохранить карту маршрута в PNG или SVG"));

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(wholeBtn);
    buttons->addWidget(tilesBtn);
    buttons->addWidget(exportBtn);
    buttons->addStretch();

    auto *splitter = new QSplitter(this);
    m_view = new MapView(splitter);
    m_view->setObjectName(QStringLiteral("mapView"));
    auto *side = new QWidget(splitter);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    m_unplaced = sideList(side, "unplacedList", QStringLiteral("Без координат"), sideLayout);
    m_findingList = sideList(side, "mapFindingList", QStringLiteral("Замечания"), sideLayout);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    connect(wholeBtn, &QToolButton::clicked, m_view, &MapView::showWholeRoute);
    connect(exportBtn, &QToolButton::clicked, this, &MapPanel::exportMap);
    connect(m_view, &MapView::stationClicked, this, &MapPanel::selectStation);
    connect(m_view, &MapView::stationDragged, this, &MapPanel::moveStation);
    connect(m_unplaced, &QListWidget::itemClicked, this, &MapPanel::pickItem);
    connect(m_findingList, &QListWidget::itemClicked, this, &MapPanel::pickItem);

    m_view->setTileFolder(QSettings().value(QLatin1String(tileFolderKey)).toString());
}

void MapPanel::setForm(RouteForm *form)
{
    if (!followForm(this, m_form, form, &MapPanel::refresh))
        return;
    m_view->setRoute(form ? &form->route() : nullptr);
    if (form) {
        connect(form, &RouteForm::currentStationShown, this, &MapPanel::showCurrent);
        // A form dying with its window takes its stack and route along: let go of both.
        connect(form, &QObject::destroyed, this, [this] {
            m_view->setRoute(nullptr);
            m_unplaced->clear();
            m_findingList->clear();
        });
        m_view->setCurrentStation(form->currentStation());
    }
    m_stale = true;
    refresh();
}

RouteForm *MapPanel::form() const
{
    return m_form;
}

void MapPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void MapPanel::refresh()
{
    // A hidden map is brought up to date when it is shown.
    m_stale = true;
    if (!isVisible())
        return;
    m_stale = false;
    m_view->routeChanged();
    m_unplaced->clear();
    m_findingList->clear();
    if (!m_form)
        return;
    const Route &route = m_form->route();
    auto add = [](QListWidget *list, const QString &text, int station) {
        auto *item = new QListWidgetItem(text, list);
        item->setData(StationRole, station);
        item->setToolTip(text);
    };
    for (int i = 0; i < route.stationCount(); ++i) {
        if (!route.station(i)->coordinate().isValid())
            add(m_unplaced, RouteCheck::stationLabel(route, i), i);
    }
    for (const StopSpacing::Finding &f : m_view->findings())
        add(m_findingList,
            RouteCheck::stationLabel(route, f.station) + QStringLiteral(": ") + f.message,
            f.station);
}

void MapPanel::showCurrent(int station)
{
    m_view->setCurrentStation(station);
    if (!m_fromMap)
        m_view->centerOnStation(station);
}

void MapPanel::selectStation(int station)
{
    if (!m_form)
        return;
    m_fromMap = true;
    m_form->selectStation(station);
    m_fromMap = false;
}

void MapPanel::pickItem(QListWidgetItem *item)
{
    if (item && m_form)
        m_form->selectStation(item->data(StationRole).toInt());
}

QGeoCoordinate MapPanel::rounded(const QGeoCoordinate &c)
{
    return StationRules::parseCoordinate(StationRules::formatCoordinate(c));
}

void MapPanel::moveStation(int station, const QGeoCoordinate &coordinate)
{
    const Station *s = m_form ? m_form->route().station(station) : nullptr;
    const QGeoCoordinate c = rounded(coordinate);
    if (!s || !c.isValid() ||
        StationRules::formatCoordinate(c) == StationRules::formatCoordinate(s->coordinate()))
        return;
    m_form->undoStack()->push(new SetStationCoordinate(m_form, station, c));
}

void MapPanel::setTileFolder(const QString &folder)
{
    QSettings().setValue(QLatin1String(tileFolderKey), folder);
    m_view->setTileFolder(folder);
}

void MapPanel::chooseTileFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Папка тайлов карты (z/x/y.png)"), m_view->tileFolder());
    if (!folder.isEmpty())
        setTileFolder(folder);
}

void MapPanel::exportMap()
{
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Экспорт карты маршрута"), QString(),
        QStringLiteral("Изображение PNG (*.png);;Рисунок SVG (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path +=
            filter.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!MapExport::write(*m_view, path))
        QMessageBox::critical(this, QStringLiteral("Приложение"),
                              QStringLiteral("Не удалось сохранить карту!"));
}
