#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "folderlock.h"
#include "recoverystore.h"
#include "gtfsactions.h"
#include "mappanel.h"
#include "resources.h"
#include "routecheckpanel.h"
#include "routeform.h"
#include "savechangesprompt.h"
#include "voicebuttons.h"
#include "shortcutpassthrough.h"
#include "tabtitles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

const char recentArray[] = "recentOpen";
const char recentPathKey[] = "path";
const char geometryKey[] = "window/geometry";
const char listWidthKey[] = "window/stationListWidth";

// The three boards differ only in the form members that carry the model.
struct BoardDefault
{
    BoardId board;
    void (RouteForm::*set)(int);
    void (RouteForm::*changed)(FrontTabloType);
    void (MainWindow::*store)(FrontTabloType);
};

// Looks at no more entries than the list may ever hold, so a junk array size
// cannot keep us reading for ages; empty or non-text entries are dropped.
QStringList readRecentFolders()
{
    QSettings settings;
    QStringList folders;
    const int size =
        qMin(settings.beginReadArray(QLatin1String(recentArray)), MainWindow::maxRecentFolders);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        const QVariant value = settings.value(QLatin1String(recentPathKey));
        if (value.type() != QVariant::String && value.type() != QVariant::ByteArray)
            continue;
        const QString path = value.toString();
        if (!path.isEmpty())
            folders.append(path);
    }
    settings.endArray();
    return folders;
}

void writeRecentFolders(const QStringList &folders)
{
    QSettings settings;
    // Old entries beyond the new size would otherwise linger in the store.
    settings.remove(QLatin1String(recentArray));
    settings.beginWriteArray(QLatin1String(recentArray), folders.size());
    for (int i = 0; i < folders.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QLatin1String(recentPathKey), folders.at(i));
    }
    settings.endArray();
}

// The folder that holds the last opened one, where the chooser starts.
QString parentFolder(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return path;
    QString parent = path.left(slash);
    // Keep a root ("/" or "C:/") a root instead of turning it into nothing.
    if (parent.isEmpty() || parent.endsWith(QLatin1Char(':')))
        parent += QLatin1Char('/');
    return parent;
}

// Tab and menu texts take "&" as a shortcut marker; a folder name shows it.
QString literal(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The folders dropped on the window, in the order they came.
QStringList droppedFolders(const QMimeData *data)
{
    QStringList folders;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir())
            folders.append(url.toLocalFile());
    }
    return folders;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    initResources();
    ui->setupUi(this);
    resize(800, 600);

    ui->saveAction->setEnabled(false);
    ui->undoAction->setEnabled(false);
    ui->redoAction->setEnabled(false);
    ui->checkAction->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(true);
    createWindowActions();

    // The stop finder of the current tab, in a toolbar of its own; Ctrl+F goes there.
    stationFilter = new QLineEdit(this);
    stationFilter->setObjectName(QStringLiteral("stationFilterEdit"));
    stationFilter->setPlaceholderText(QStringLiteral("Найти остановку (Ctrl+F)"));
    stationFilter->setClearButtonEnabled(true);
    stationFilter->setMaximumWidth(240);
    QToolBar *findBar = addToolBar(QStringLiteral("Поиск"));
    findBar->setObjectName(QStringLiteral("findToolBar"));
    findBar->setMovable(false);
    findBar->setFloatable(false);
    findBar->addWidget(stationFilter);
    connect(stationFilter, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (currentForm)
            currentForm->filterStations(text);
    });

    // The panels of the docks follow the current route; the docks start hidden.
    auto addDock = [this](const QString &title, const char *name, QWidget *panel,
                          Qt::DockWidgetArea area) {
        auto *dock = new QDockWidget(title, this);
        dock->setObjectName(QLatin1String(name));
        dock->setWidget(panel);
        addDockWidget(area, dock);
        dock->hide();
        return dock;
    };
    checkPanel = new RouteCheckPanel;
    checkDock = addDock(QStringLiteral("Проверка маршрута"), "checkDock", checkPanel,
                        Qt::BottomDockWidgetArea);
    // A button beside the tabs shows the map.
    mapPanel = new MapPanel;
    mapDock = addDock(QStringLiteral("Карта"), "mapDock", mapPanel, Qt::RightDockWidgetArea);
    QAction *mapAction = mapDock->toggleViewAction();
    mapAction->setObjectName(QStringLiteral("mapAction"));
    mapAction->setIcon(QIcon(QStringLiteral(":/icons/map.png")));
    mapAction->setToolTip(QStringLiteral("Остановки маршрута на карте"));
    mapAction->setShortcut(QKeySequence(Qt::Key_F8));
    auto *mapButton = new QToolButton(this);
    mapButton->setObjectName(QStringLiteral("mapButton"));
    mapButton->setDefaultAction(mapAction);
    mapButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    mapButton->setAutoRaise(true);
    ui->tabWidget->setCornerWidget(mapButton, Qt::TopRightCorner);

    recentMenu = new QMenu(this);
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    connect(recentMenu, &QMenu::aboutToShow, this, &MainWindow::onRecentMenuAboutToShow);
    connect(recentMenu, &QMenu::triggered, this, &MainWindow::onRecentMenuClicked);

    openButton = new QToolButton(this);
    openButton->setObjectName(QStringLiteral("openButton"));
    openButton->setIcon(QIcon(QStringLiteral(":/icons/open.png")));
    openButton->setShortcut(QKeySequence::Open);
    openButton->setMenu(recentMenu);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(openButton, &QToolButton::clicked, this, &MainWindow::onOpenBtnClicked);
    ui->toolBar->insertWidget(ui->saveAction, openButton);
    ui->toolBar->insertSeparator(ui->saveAction);

    gtfs = new GtfsActions(this, [this](const QString &path) {
        openRouteFolder(path);
        return currentForm.data();
    });
    // A toolbar of their own: the main one keeps its fixed set.
    QToolBar *gtfsBar = addToolBar(QStringLiteral("Расписание GTFS"));
    gtfsBar->setObjectName(QStringLiteral("gtfsToolBar"));
    gtfsBar->addActions({gtfs->importAction(), gtfs->coordinatesAction()});

    const QStringList recent = readRecentFolders();
    if (!recent.isEmpty())
        lastPath = recent.first();

    const QSettings settings;
    restoreGeometry(settings.value(QLatin1String(geometryKey)).toByteArray());
    listWidth = settings.value(QLatin1String(listWidthKey)).toInt();
}

void MainWindow::createWindowActions()
{
    // Ctrl+Y is redo on Windows, Ctrl+Shift+Z elsewhere: both work everywhere.
    ui->redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    struct KeyAction
    {
        const char *name;
        const char *text;
        QList<QKeySequence> keys;
        std::function<void()> run;
    };
    const KeyAction actions[] = {
        {"closeTabAction",
         "Закрыть маршрут",
         {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)},
         [this] { on_tabWidget_tabCloseRequested(ui->tabWidget->currentIndex()); }},
        {"nextTabAction",
         "Следующий маршрут",
         {QKeySequence(Qt::CTRL | Qt::Key_Tab)},
         [this] { switchTab(1); }},
        {"previousTabAction",
         "Предыдущий маршрут",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
         [this] { switchTab(-1); }},
        {"quitAction", "Выход", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); }},
        {"findStationAction",
         "Найти остановку",
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         [this] {
             stationFilter->setFocus(Qt::ShortcutFocusReason);
             stationFilter->selectAll();
         }},
    };
    for (const KeyAction &a : actions) {
        auto *action = new QAction(QString::fromUtf8(a.text), this);
        action->setObjectName(QLatin1String(a.name));
        action->setShortcuts(a.keys);
        connect(action, &QAction::triggered, this, a.run);
        addAction(action);
    }
}

void MainWindow::switchTab(int step)
{
    const int count = ui->tabWidget->count();
    if (count > 1)
        ui->tabWidget->setCurrentIndex((ui->tabWidget->currentIndex() + step + count) % count);
}

MainWindow::~MainWindow()
{
    // Tearing down the tabs must not call back into a window that is going away.
    disconnect(ui->tabWidget, nullptr, this, nullptr);
    delete ui;
}

void MainWindow::openFolders(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        const QFileInfo info(QDir::fromNativeSeparators(argument));
        if (!info.isDir())
            continue;
        // The chooser hands out absolute paths with "/" and no trailing slash.
        openRouteFolder(QDir::cleanPath(info.absoluteFilePath()));
    }
}

void MainWindow::on_saveAction_triggered()
{
    if (currentForm)
        currentForm->saveRoute();
}

void MainWindow::runOnForm(void (RouteForm::*step)())
{
    if (!currentForm)
        return;
    // The form pushes a pending edit by taking the focus from its field; the cursor goes back
    // there when the field is still on show, so typing goes on where it was.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    (currentForm->*step)();
    if (focused && focused->isVisible() && focused->isEnabled() &&
        currentForm->isAncestorOf(focused))
        focused->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::on_undoAction_triggered()
{
    runOnForm(&RouteForm::undo);
}

void MainWindow::on_redoAction_triggered()
{
    runOnForm(&RouteForm::redo);
}

void MainWindow::on_tabWidget_tabCloseRequested(int index)
{
    if (maybeSaveTab(index))
        closeTab(index);
}

void MainWindow::on_tabWidget_currentChanged(int index)
{
    auto *form = qobject_cast<RouteForm *>(ui->tabWidget->widget(index));
    // Closing a tab in front of the current one only shifts its index.
    if (currentForm && currentForm != form) {
        disconnect(currentForm, nullptr, ui->saveAction, nullptr);
        disconnect(currentForm, nullptr, ui->undoAction, nullptr);
        disconnect(currentForm, nullptr, ui->redoAction, nullptr);
        disconnect(currentForm, &RouteForm::canSaveChanged, this, &QWidget::setWindowModified);
        listWidth = currentForm->stationListWidth();
        // A sound must not go on playing in a tab nobody sees.
        currentForm->stopPlaying();
    }
    const bool rewire = form != currentForm;
    currentForm = form;
    checkPanel->setForm(form);
    mapPanel->setForm(form);
    if (gtfs)
        gtfs->setForm(form);
    ui->checkAction->setEnabled(form != nullptr);
    if (!form) {
        ui->saveAction->setEnabled(false);
        ui->undoAction->setEnabled(false);
        ui->redoAction->setEnabled(false);
        setWindowFilePath(QString());
        setWindowModified(false);
        setWindowTitle(QStringLiteral("Tessaly"));
        return;
    }
    if (rewire) {
        connect(form, &RouteForm::canSaveChanged, ui->saveAction, &QAction::setEnabled);
        connect(form, &RouteForm::canUndoChanged, ui->undoAction, &QAction::setEnabled);
        connect(form, &RouteForm::canRedoChanged, ui->redoAction, &QAction::setEnabled);
        connect(form, &RouteForm::canSaveChanged, this, &QWidget::setWindowModified);
        form->setStationListWidth(listWidth);
        form->filterStations(stationFilter->text());
    }
    // The title is made from the path: "route12[*] — Tessaly".
    setWindowTitle(QString());
    setWindowFilePath(form->route().path());
    setWindowModified(form->canSave());
    ui->saveAction->setEnabled(form->canSave());
    ui->undoAction->setEnabled(form->canUndo());
    ui->redoAction->setEnabled(form->canRedo());
}

void MainWindow::onRecentMenuClicked(QAction *action)
{
    const QString path = action ? action->data().toString() : QString();
    if (!path.isEmpty())
        openRecentFolder(path);
}

void MainWindow::openRecentFolder(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        openRouteFolder(path);
        return;
    }
    // A folder moved or deleted since is not made into a new route in its place.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Недавние папки"),
                    QStringLiteral("Папка %1 не найдена").arg(QDir::toNativeSeparators(path)),
                    QMessageBox::NoButton, this);
    QPushButton *remove =
        box.addButton(QStringLiteral("Убрать из списка"), QMessageBox::DestructiveRole);
    box.setEscapeButton(box.addButton(QStringLiteral("Оставить"), QMessageBox::RejectRole));
    box.setDefaultButton(remove);
    box.exec();
    if (box.clickedButton() == remove) {
        QStringList folders = readRecentFolders();
        folders.removeAll(path);
        writeRecentFolders(folders);
    }
}

void MainWindow::onRecentMenuAboutToShow()
{
    recentMenu->clear();
    for (const QString &path : readRecentFolders())
        recentMenu->addAction(literal(path))->setData(path);
}

void MainWindow::onOpenBtnClicked()
{
    const QString path =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Выберите папку с маршрутом"),
                                          parentFolder(lastPath), QFileDialog::ShowDirsOnly);
    if (!path.isEmpty())
        openRouteFolder(path);
}

void MainWindow::on_checkAction_triggered()
{
    checkPanel->setForm(currentForm);
    checkDock->show();
    checkPanel->refresh();
}

void MainWindow::on_aboutAction_triggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::onFrontTabloTypeChanged(FrontTabloType tabloType)
{
    storeFrontTabloType(FrontBoard, tabloType);
}

void MainWindow::onSideTabloTypeChanged(FrontTabloType tabloType)
{
    storeFrontTabloType(SideBoard, tabloType);
}

void MainWindow::onBackTabloTypeChanged(FrontTabloType tabloType)
{
    storeFrontTabloType(BackBoard, tabloType);
}

void MainWindow::openRouteFolder(const QString &path)
{
    static const BoardDefault defaults[] = {
        {FrontBoard, &RouteForm::setFrontTabloType, &RouteForm::frontTabloTypeChanged,
         &MainWindow::onFrontTabloTypeChanged},
        {SideBoard, &RouteForm::setSideTabloType, &RouteForm::sideTabloTypeChanged,
         &MainWindow::onSideTabloTypeChanged},
        {BackBoard, &RouteForm::setBackTabloType, &RouteForm::backTabloTypeChanged,
         &MainWindow::onBackTabloTypeChanged},
    };

    lastPath = path;
    addRecentFolder(path);
    // One folder, one tab: a folder open already is shown, not opened twice.
    if (RouteForm *open = formOf(path)) {
        ui->tabWidget->setCurrentWidget(open);
        return;
    }
    auto *lock = new FolderLock(path);
    bool readOnly = false;
    if (!lock->tryLock()) {
        const int answer =
            ask(QStringLiteral("Маршрут %1 уже открыт в другом окне Tessaly.")
                    .arg(QDir::toNativeSeparators(path)),
                {QStringLiteral("Открыть только для чтения"), QStringLiteral("Не открывать")});
        if (answer != 0) {
            delete lock;
            return;
        }
        readOnly = true;
    }

    auto *form = new RouteForm;
    new VoiceButtons(form);
    // The undo keys reach the route even from inside a text field.
    ShortcutPassThrough::install(form, ui->undoAction->shortcuts() + ui->redoAction->shortcuts());
    lock->setParent(form);
    form->setReadOnly(readOnly);
    for (const BoardDefault &board : defaults) {
        (form->*board.set)(storedFrontTabloType(board.board));
        connect(form, board.changed, this, board.store);
    }
    if (!form->openRoute(path)) {
        delete form;
        return;
    }

    const int index = ui->tabWidget->addTab(form, QString());
    ui->tabWidget->setTabToolTip(index, path);
    updateTabTitles();
    QTabBar *bar = ui->tabWidget->tabBar();
    QWidget *closeButton = bar->tabButton(index, QTabBar::RightSide);
    if (!closeButton)
        closeButton = bar->tabButton(index, QTabBar::LeftSide);
    if (closeButton)
        closeButton->setToolTip(QStringLiteral("Закрыть маршрут"));
    ui->tabWidget->setCurrentIndex(index);
}

void MainWindow::updateTabTitles()
{
    QStringList paths;
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        paths.append(ui->tabWidget->tabToolTip(i));
    const QStringList titles = distinctTabTitles(paths);
    for (int i = 0; i < titles.size(); ++i)
        ui->tabWidget->setTabText(i, literal(titles.at(i)));
}

QString MainWindow::routeName(int index) const
{
    QString title = ui->tabWidget->tabText(index);
    return QStringLiteral("«%1» (%2)")
        .arg(title.replace(QStringLiteral("&&"), QStringLiteral("&")),
             QDir::toNativeSeparators(ui->tabWidget->tabToolTip(index)));
}

RouteForm *MainWindow::formOf(const QString &path) const
{
    const QString canonical = FolderLock::canonical(path);
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        auto *form = qobject_cast<RouteForm *>(ui->tabWidget->widget(i));
        if (form && FolderLock::canonical(form->route().path()) == canonical)
            return form;
    }
    return nullptr;
}

int MainWindow::ask(const QString &text, const QStringList &buttons)
{
    if (asker_)
        return asker_(text, buttons);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tessaly"), text, QMessageBox::NoButton,
                    this);
    QList<QPushButton *> pushed;
    for (const QString &button : buttons)
        pushed << box.addButton(button, QMessageBox::AcceptRole);
    box.setDefaultButton(pushed.value(0));
    box.exec();
    return pushed.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
}

void MainWindow::offerRecovery()
{
    for (const QString &copyPath : RecoveryStore::copies()) {
        RecoveryStore::Copy copy;
        if (!RecoveryStore::read(copyPath, copy))
            continue;
        // A live process still working on the folder keeps its copy to itself.
        FolderLock probe(copy.routePath);
        if (!probe.tryLock() || formOf(copy.routePath))
            continue;
        probe.unlock();
        const int answer = ask(
            QStringLiteral("Восстановить несохранённые изменения маршрута %1?")
                .arg(QDir::toNativeSeparators(copy.routePath)),
            {QStringLiteral("Восстановить"), QStringLiteral("Удалить"), QStringLiteral("Позже")});
        if (answer == 1) {
            QFile::remove(copyPath);
        } else if (answer == 0 && QFileInfo(copy.routePath).isDir()) {
            openRouteFolder(copy.routePath);
            RouteForm *form = formOf(copy.routePath);
            if (form && !form->isReadOnly())
                form->restoreFiles(copy.files);
        }
    }
}

void MainWindow::addRecentFolder(const QString &path)
{
    QStringList folders{path};
    for (const QString &stored : readRecentFolders()) {
        if (folders.size() >= maxRecentFolders)
            break;
        if (stored != path)
            folders.append(stored);
    }
    writeRecentFolders(folders);
}

bool MainWindow::maybeSaveTab(int index)
{
    auto *form = qobject_cast<RouteForm *>(ui->tabWidget->widget(index));
    if (!form || !form->canSave())
        return true;

    // The route asked about is the one on show.
    ui->tabWidget->setCurrentIndex(index);
    switch (askToSaveChanges(this, QStringLiteral("Маршут был изменен. Сохранить изменения?"),
                             QStringLiteral("Маршрут %1").arg(routeName(index)))) {
    case SaveChangesAnswer::Save:
        return form->saveRoute();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeTab(int index)
{
    QWidget *form = ui->tabWidget->widget(index);
    if (!form)
        return;
    ui->tabWidget->removeTab(index);
    // Should the tab widget not report the change, never keep a dangling form.
    if (form == currentForm)
        on_tabWidget_currentChanged(ui->tabWidget->currentIndex());
    delete form;
    updateTabTitles();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (isVisible()) {
        QSettings settings;
        settings.setValue(QLatin1String(geometryKey), saveGeometry());
        if (currentForm)
            listWidth = currentForm->stationListWidth();
        if (listWidth > 0)
            settings.setValue(QLatin1String(listWidthKey), listWidth);
    }
    for (int n = ui->tabWidget->count() - 1; n >= 0; --n) {
        if (!maybeSaveTab(n)) {
            event->ignore();
            return;
        }
        closeTab(n);
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFolders(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList folders = droppedFolders(event->mimeData());
    if (folders.isEmpty())
        return;
    event->acceptProposedAction();
    openFolders(folders);
}
