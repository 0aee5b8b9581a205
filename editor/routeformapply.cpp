// The form's apply operations: the undo commands change the route only through these. Each
// one hands the change to the page that shows it, which sets the field, shows it in its control
// and preview, and records the place of the change.
#include "routeform.h"

#include "boardpage.h"
#include "filelists.h"
#include "routefilewatch.h"
#include "routemodel.h"
#include "salonpage.h"
#include "stationpage.h"
#include "ui_routeform.h"

// --- Apply operations of the boards and the running line ----------------------------

void RouteForm::setFrontNumber(const QString &text)
{
    m_ctx->boards[FrontBoard]->setText(BoardPage::NumberField, 0, text);
}

void RouteForm::setFrontStartingPoint(int lang, const QString &text)
{
    m_ctx->boards[FrontBoard]->setText(BoardPage::StartingPointField, lang, text);
}

void RouteForm::setFrontDestination(int lang, const QString &text)
{
    m_ctx->boards[FrontBoard]->setText(BoardPage::DestinationField, lang, text);
}

void RouteForm::setFrontTabloMode(int flags)
{
    m_ctx->boards[FrontBoard]->setMode(flags);
}

void RouteForm::setFrontTabloFont(int bits)
{
    m_ctx->boards[FrontBoard]->setFont(bits);
}

void RouteForm::setSideNumber(const QString &text)
{
    m_ctx->boards[SideBoard]->setText(BoardPage::NumberField, 0, text);
}

void RouteForm::setSideStartingPoint(int lang, const QString &text)
{
    m_ctx->boards[SideBoard]->setText(BoardPage::StartingPointField, lang, text);
}

void RouteForm::setSideDestination(int lang, const QString &text)
{
    m_ctx->boards[SideBoard]->setText(BoardPage::DestinationField, lang, text);
}

void RouteForm::setSideTabloMode(int flags)
{
    m_ctx->boards[SideBoard]->setMode(flags);
}

void RouteForm::setSideTabloFont(int bits)
{
    m_ctx->boards[SideBoard]->setFont(bits);
}

void RouteForm::setBackNumber(const QString &text)
{
    m_ctx->boards[BackBoard]->setText(BoardPage::NumberField, 0, text);
}

void RouteForm::setBackStartingPoint(int lang, const QString &text)
{
    m_ctx->boards[BackBoard]->setText(BoardPage::StartingPointField, lang, text);
}

void RouteForm::setBackDestination(int lang, const QString &text)
{
    m_ctx->boards[BackBoard]->setText(BoardPage::DestinationField, lang, text);
}

void RouteForm::setBackTabloMode(int flags)
{
    m_ctx->boards[BackBoard]->setMode(flags);
}

void RouteForm::setBackTabloFont(int bits)
{
    m_ctx->boards[BackBoard]->setFont(bits);
}

void RouteForm::setFrontNumberColor(const QColor &color)
{
    m_ctx->boards[FrontBoard]->setNumberColor(color);
}

void RouteForm::setFrontStartColor(const QColor &color)
{
    m_ctx->boards[FrontBoard]->setStartColor(color);
}

void RouteForm::setFrontDestColor(const QColor &color)
{
    m_ctx->boards[FrontBoard]->setDestColor(color);
}

void RouteForm::setLeftSofitColor(int code)
{
    m_ctx->boards[FrontBoard]->setSofitColor(true, code);
}

void RouteForm::setRightSofitColor(int code)
{
    m_ctx->boards[FrontBoard]->setSofitColor(false, code);
}

void RouteForm::setSideStationCount(int count)
{
    m_ctx->boards[SideBoard]->setStationCount(count);
}

void RouteForm::setSideSeparator(const QString &text)
{
    m_ctx->boards[SideBoard]->setText(BoardPage::SeparatorField, 0, text);
}

void RouteForm::setSalonTabloOrder(const QByteArray &order)
{
    m_salon->setOrder(order);
}

void RouteForm::setRouteText(int lang, const QString &text)
{
    m_salon->setText(SalonPage::RouteLine, lang, text);
}

void RouteForm::setSalonTempText(int lang, const QString &text)
{
    m_salon->setText(SalonPage::SalonTempLine, lang, text);
}

void RouteForm::setOutsideTempText(int lang, const QString &text)
{
    m_salon->setText(SalonPage::OutsideTempLine, lang, text);
}

// --- Apply operations of the stations -------------------------------------------------

void RouteForm::insertStationAt(int index, Station *station)
{
    m_stationPage->insertStationAt(index, station);
}

void RouteForm::deleteStationAt(int index)
{
    m_stationPage->deleteStationAt(index);
}

Station *RouteForm::takeStationAt(int index)
{
    return m_stationPage->takeStationAt(index);
}

void RouteForm::setBackStationIndex(int index)
{
    m_stationPage->setBackStationIndex(index);
}

void RouteForm::setStationName(int index, int lang, const QString &text)
{
    m_stationPage->setStationName(index, lang, text);
}

void RouteForm::setStationNextName(int index, int lang, const QString &text)
{
    m_stationPage->setStationNextName(index, lang, text);
}

void RouteForm::setStationSideName(int index, int lang, const QString &text)
{
    m_stationPage->setStationSideName(index, lang, text);
}

void RouteForm::setStationRadius(int index, quint8 radius)
{
    m_stationPage->setStationRadius(index, radius);
}

void RouteForm::setStationCoordinate(int index, const QGeoCoordinate &coordinate)
{
    m_stationPage->setStationCoordinate(index, coordinate);
}

void RouteForm::setNextSeparate(bool on)
{
    m_stationPage->setNextSeparate(on);
}

void RouteForm::setNextStationDelay(int value)
{
    m_stationPage->setNextStationDelay(value);
}

void RouteForm::setStationWord(int lang, const QString &text)
{
    m_stationPage->setStationWord(lang, text);
}

void RouteForm::setNextWord(int lang, const QString &text)
{
    m_stationPage->setNextWord(lang, text);
}

// --- Apply operations of the file lists ------------------------------------------------

void RouteForm::insertStationSoundFile(int station, int row, const QString &name)
{
    m_fileLists->insertFile(FileLists::SoundFiles, station, row, name);
}

void RouteForm::removeStationSoundFile(int station, int row)
{
    m_fileLists->removeFile(FileLists::SoundFiles, station, row);
}

void RouteForm::moveStationSoundFile(int station, int from, int to)
{
    m_fileLists->moveFile(FileLists::SoundFiles, station, from, to);
}

void RouteForm::insertStationTextFile(int station, int row, const QString &name)
{
    m_fileLists->insertFile(FileLists::TextFiles, station, row, name);
}

void RouteForm::removeStationTextFile(int station, int row)
{
    m_fileLists->removeFile(FileLists::TextFiles, station, row);
}

void RouteForm::moveStationTextFile(int station, int from, int to)
{
    m_fileLists->moveFile(FileLists::TextFiles, station, from, to);
}

void RouteForm::insertAdTextFile(int row, const QString &name)
{
    m_fileLists->insertFile(FileLists::AdFiles, -1, row, name);
}

void RouteForm::removeAdTextFile(int row)
{
    m_fileLists->removeFile(FileLists::AdFiles, -1, row);
}

void RouteForm::moveAdTextFile(int from, int to)
{
    m_fileLists->moveFile(FileLists::AdFiles, -1, from, to);
}

void RouteForm::setAdFolder(const QString &path)
{
    const QString old = m_route.adPath();
    m_route.setAdPath(path);
    m_fileLists->adFolderChanged(old);
    m_diskWatch->watch(m_route.path(), m_route.adPath());
}

// --- The whole route -----------------------------------------------------------------

void RouteForm::setRouteFiles(const Route::FileMap &files)
{
    const QString path = m_route.path();
    const QString oldAdPath = m_route.adPath();
    m_model->setRoute(nullptr);
    m_route.clear();
    m_route.loadFiles(path, files);
    m_model->setRoute(&m_route);
    m_ctx->currentStation = -1;
    ui->stationList->setCurrentIndex(m_model->routeIndex());
    setLangCount(computeLangCount());
    const QList<Station *> &stations = m_route.stations();
    ui->nextSeparateCheck->setChecked(stations.size() >= 2 &&
                                      stations.at(0)->nextName(0).isEmpty());
    fillControls();
    if (m_route.adPath() != oldAdPath)
        m_fileLists->adFolderChanged(oldAdPath);
    updatePreviews();
    m_ctx->lastChange = LastChange();
}
