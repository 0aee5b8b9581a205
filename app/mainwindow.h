// The single top-level window: one tab per open route folder, the toolbar that
// forwards commands to the current tab, the recent folders and the per-user
// default board models.
#pragma once

#include "fronttablotype.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

class GtfsActions;
class QAction;
class QDockWidget;
class QLineEdit;
class QMenu;
class QToolButton;
class MapPanel;
class RouteCheckPanel;
class RouteForm;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens every argument that names an existing folder, in order, as if it had
    // been picked in the folder chooser; anything else is skipped.
    void openFolders(const QStringList &arguments);

    // Offers back the recovery copies left by processes that are no longer running.
    void offerRecovery();

    // A question with buttons: returns the index of the button clicked, -1 for none.
    using Asker = std::function<int(const QString &text, const QStringList &buttons)>;
    // Replaces the question boxes of recovery and of folders open elsewhere (tests).
    void setAsker(Asker asker) { asker_ = std::move(asker); }

    // The dock with the findings of the route check, hidden until asked for.
    QDockWidget *routeCheckDock() const { return checkDock; }
    RouteCheckPanel *routeCheckPanel() const { return checkPanel; }
    // The dock with the map of the current route.
    QDockWidget *mapDockWidget() const { return mapDock; }
    MapPanel *routeMapPanel() const { return mapPanel; }
    GtfsActions *gtfsActions() const { return gtfs; }

    // At most this many folders are remembered.
    static constexpr int maxRecentFolders = 10;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void on_saveAction_triggered();
    void on_undoAction_triggered();
    void on_redoAction_triggered();
    void on_tabWidget_tabCloseRequested(int index);
    void on_tabWidget_currentChanged(int index);
    void onRecentMenuClicked(QAction *action);
    void onRecentMenuAboutToShow();
    void onOpenBtnClicked();
    void on_checkAction_triggered();
    void on_aboutAction_triggered();
    void onFrontTabloTypeChanged(FrontTabloType tabloType);
    void onSideTabloTypeChanged(FrontTabloType tabloType);
    void onBackTabloTypeChanged(FrontTabloType tabloType);

private:
    void createWindowActions();
    void switchTab(int step);
    void updateTabTitles();
    // The route as prompts name it: the tab's title and the folder's full path.
    QString routeName(int index) const;
    void openRecentFolder(const QString &path);
    void runOnForm(void (RouteForm::*step)());
    void openRouteFolder(const QString &path);
    void addRecentFolder(const QString &path);
    bool maybeSaveTab(int index);
    void closeTab(int index);
    int ask(const QString &text, const QStringList &buttons);
    RouteForm *formOf(const QString &path) const;

    Ui::MainWindow *ui;
    QPointer<RouteForm> currentForm;
    QMenu *recentMenu = nullptr;
    QToolButton *openButton = nullptr;
    QLineEdit *stationFilter = nullptr;
    QString lastPath;
    QDockWidget *checkDock = nullptr;
    RouteCheckPanel *checkPanel = nullptr;
    QDockWidget *mapDock = nullptr;
    MapPanel *mapPanel = nullptr;
    // Where the station list ends, shared by the tabs and kept with the window's geometry.
    int listWidth = 0;
    Asker asker_;
    GtfsActions *gtfs = nullptr;
};
