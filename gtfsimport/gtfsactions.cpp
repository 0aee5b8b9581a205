#include "gtfsactions.h"

#include "coordinatematcher.h"
#include "feedloader.h"
#include "gtfsimportdialog.h"
#include "importcommands.h"
#include "routeform.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUndoStack>

GtfsActions::GtfsActions(QWidget *window, FolderOpener openFolder)
    : QObject(window), m_window(window), m_openFolder(std::move(openFolder)),
      m_import(new QAction(QStringLiteral("Импорт из GTFS…"), this)),
      m_coordinates(new QAction(QStringLiteral("Координаты из GTFS…"), this))
{
    m_import->setObjectName(QStringLiteral("gtfsImportAction"));
    m_coordinates->setObjectName(QStringLiteral("gtfsCoordinatesAction"));
    m_import->setToolTip(QStringLiteral("Новый маршрут из расписания GTFS"));
    m_coordinates->setToolTip(QStringLiteral("Координаты остановок из расписания GTFS"));
    m_coordinates->setEnabled(false);
    connect(m_import, &QAction::triggered, this, &GtfsActions::importFromGtfs);
    connect(m_coordinates, &QAction::triggered, this, &GtfsActions::coordinatesFromGtfs);
}

void GtfsActions::setForm(RouteForm *form)
{
    m_form = form;
    m_coordinates->setEnabled(form != nullptr);
}

void GtfsActions::importFromGtfs()
{
    GtfsImportDialog dialog(m_window);
    if (dialog.exec() != QDialog::Accepted || !dialog.feed())
        return;
    RouteForm *form = m_openFolder(dialog.targetFolder());
    if (!form)
        return;
    Route built;
    if (!GtfsRouteBuilder::build(*dialog.feed(), dialog.choice(), form->route().path(), built))
        return;
    form->undoStack()->push(routeImportCommand(form, built));
}

QString GtfsActions::chooseFeed() const
{
    if (m_chooseFeed)
        return m_chooseFeed();
    return FeedLoader::feedPath(QFileDialog::getOpenFileName(
        m_window, QStringLiteral("Набор GTFS"), QString(),
        QStringLiteral("Набор GTFS (*.zip);;Файл из папки набора (*.txt)")));
}

int GtfsActions::chooseRoute(const GtfsFeed &feed, int suggested) const
{
    if (m_chooseRoute)
        return m_chooseRoute(feed, suggested);
    QStringList items{QStringLiteral("(любой маршрут)")};
    for (const GtfsRoute &r : feed.routes())
        items << QStringLiteral("%1 %2").arg(r.number(), r.longName).trimmed();
    bool ok = false;
    const QString item = QInputDialog::getItem(
        m_window, QStringLiteral("Координаты из GTFS"),
        QStringLiteral("Остановки какого маршрута предпочесть?"), items, suggested + 1, false, &ok);
    return ok ? items.indexOf(item) - 1 : -2;
}

void GtfsActions::report(const QString &text) const
{
    if (m_report)
        m_report(text);
    else
        QMessageBox::information(m_window, QStringLiteral("Координаты из GTFS"), text);
}

void GtfsActions::coordinatesFromGtfs()
{
    if (!m_form)
        return;
    const QString path = chooseFeed();
    if (path.isEmpty())
        return;
    QString error;
    const std::shared_ptr<GtfsFeed> feed = FeedLoader::load(m_window, path, {}, &error);
    if (!feed) {
        if (!error.isEmpty())
            report(error);
        return;
    }
    const int route = chooseRoute(*feed, feed->findRoute(m_form->route().frontNumber()));
    if (route < -1 || !m_form)
        return;
    const auto *separate = m_form->findChild<QCheckBox *>(QStringLiteral("nextSeparateCheck"));
    const CoordinateMatch match = CoordinateMatcher::match(
        m_form->route(), separate && separate->isChecked(), m_form->langCount(), *feed, route);
    if (QUndoCommand *command = coordinatesCommand(m_form, match.coordinates))
        m_form->undoStack()->push(command);
    QString text = QStringLiteral("Найдено: %1, неоднозначно: %2, не найдено: %3.")
                       .arg(match.matched)
                       .arg(match.ambiguous.size())
                       .arg(match.unmatched.size());
    if (!match.ambiguous.isEmpty())
        text += QStringLiteral("\nНеоднозначно: ") + match.ambiguous.join(QStringLiteral(", "));
    if (!match.unmatched.isEmpty())
        text += QStringLiteral("\nНе найдено: ") + match.unmatched.join(QStringLiteral(", "));
    report(text);
}
