// The main window's two GTFS actions: "Импорт из GTFS…" makes a new route tab from a feed,
// "Координаты из GTFS…" fills in the current route's coordinates. Each change is one undo step.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class GtfsFeed;
class QAction;
class QWidget;
class RouteForm;

class GtfsActions : public QObject
{
    Q_OBJECT

public:
    // `openFolder` opens a folder as a new tab and returns its form.
    using FolderOpener = std::function<RouteForm *(const QString &path)>;
    GtfsActions(QWidget *window, FolderOpener openFolder);

    QAction *importAction() const { return m_import; }
    QAction *coordinatesAction() const { return m_coordinates; }
    void setForm(RouteForm *form);

    // Stand-ins for the choosers and the summary box, for tests.
    using FeedChooser = std::function<QString()>;
    using RouteChooser = std::function<int(const GtfsFeed &feed, int suggested)>; // -2 cancels
    using Reporter = std::function<void(const QString &text)>;
    void setFeedChooser(FeedChooser f) { m_chooseFeed = std::move(f); }
    void setRouteChooser(RouteChooser f) { m_chooseRoute = std::move(f); }
    void setReporter(Reporter f) { m_report = std::move(f); }

public slots:
    void importFromGtfs();
    void coordinatesFromGtfs();

private:
    QString chooseFeed() const;
    int chooseRoute(const GtfsFeed &feed, int suggested) const;
    void report(const QString &text) const;

    QWidget *m_window;
    FolderOpener m_openFolder;
    QPointer<RouteForm> m_form;
    QAction *m_import;
    QAction *m_coordinates;
    FeedChooser m_chooseFeed;
    RouteChooser m_chooseRoute;
    Reporter m_report;
};
