#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "folderlock.h"
#include "recoverystore.h"
#include "gtfsactions.h"
#include "resources.h"
#include "routecheckpanel.h"
#include "routeform.h"
#include "savechangesprompt.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const char recentArray[] = "recentOpen";
const char recentPathKey[] = "path";

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

QString tabTitle(const QString &path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    // A drive or file system root has no name of its own.
    return literal(name.isEmpty() ? path : name);
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

    checkDock = new QDockWidget(QStringLiteral("Проверка маршрута"), this);
    checkDock->setObjectName(QStringLiteral("checkDock"));
    checkPanel = new RouteCheckPanel(checkDock);
    checkDock->setWidget(checkPanel);
    addDockWidget(Qt::BottomDockWidgetArea, checkDock);
    checkDock->hide();

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

void MainWindow::on_undoAction_triggered()
{
    if (currentForm)
        currentForm->undo();
}

void MainWindow::on_redoAction_triggered()
{
    if (currentForm)
        currentForm->redo();
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
        // A sound must not go on playing in a tab nobody sees.
        currentForm->stopPlaying();
    }
    const bool rewire = form != currentForm;
    currentForm = form;
    checkPanel->setForm(form);
    if (gtfs)
        gtfs->setForm(form);
    ui->checkAction->setEnabled(form != nullptr);
    if (!form) {
        ui->saveAction->setEnabled(false);
        ui->undoAction->setEnabled(false);
        ui->redoAction->setEnabled(false);
        return;
    }
    if (rewire) {
        connect(form, &RouteForm::canSaveChanged, ui->saveAction, &QAction::setEnabled);
        connect(form, &RouteForm::canUndoChanged, ui->undoAction, &QAction::setEnabled);
        connect(form, &RouteForm::canRedoChanged, ui->redoAction, &QAction::setEnabled);
    }
    ui->saveAction->setEnabled(form->canSave());
    ui->undoAction->setEnabled(form->canUndo());
    ui->redoAction->setEnabled(form->canRedo());
}

void MainWindow::onRecentMenuClicked(QAction *action)
{
    const QString path = action ? action->data().toString() : QString();
    if (!path.isEmpty())
        openRouteFolder(path);
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
    lock->setParent(form);
    form->setReadOnly(readOnly);
    for (const BoardDefault &board : defaults) {
        (form->*board.set)(storedFrontTabloType(board.board));
        connect(form, board.changed, this, board.store);
    }
    form->openRoute(path);

    const int index = ui->tabWidget->addTab(form, tabTitle(path));
    ui->tabWidget->setTabToolTip(index, path);
    QTabBar *bar = ui->tabWidget->tabBar();
    QWidget *closeButton = bar->tabButton(index, QTabBar::RightSide);
    if (!closeButton)
        closeButton = bar->tabButton(index, QTabBar::LeftSide);
    if (closeButton)
        closeButton->setToolTip(QStringLiteral("Закрыть маршрут"));
    ui->tabWidget->setCurrentIndex(index);
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

    switch (askToSaveChanges(this, QStringLiteral("Маршут был изменен. Сохранить изменения?"))) {
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
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    for (int n = ui->tabWidget->count() - 1; n >= 0; --n) {
        if (!maybeSaveTab(n)) {
            event->ignore();
            return;
        }
        closeTab(n);
    }
    event->accept();
}
