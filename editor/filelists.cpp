#include "filelists.h"

#include "adscript.h"
#include "filelistcommands.h"
#include "filelistpair.h"
#include "filelistrules.h"
#include "formcontext.h"
#include "routecommands.h"
#include "soundpreview.h"
#include "texteditordlg.h"
#include "textencoding.h"
#include "ui_routeform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimerEvent>
#include <QUndoStack>

namespace {

const int rescanDelay = 250;

QString filePath(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

// The first kilobyte of a text file, as the lists preview it; nothing without a file.
void preview(QLabel *label, const QString &folder, const QString &name)
{
    label->setText(name.isEmpty() ? QString() : decodeBytes(readFileHead(filePath(folder, name))));
}

// The commands of a list of the current station.
template <class Add, class Move, class Remove>
FileListPair::Hooks stationCommands(const FormContext &context)
{
    FileListPair::Hooks hooks;
    RouteForm *form = context.form;
    const int &station = context.currentStation;
    hooks.add = [form, &station](int row, const QString &name) {
        return new Add(form, station, row, name);
    };
    hooks.move = [form, &station](int from, int to) { return new Move(form, station, from, to); };
    hooks.remove = [form, &station](int row) { return new Remove(form, station, row); };
    return hooks;
}

} // namespace

FileLists::FileLists(FormContext &context, SoundPreview *sound)
    : QObject(context.widget()), m_ctx(context), ui(&context.ui)
{
    QUndoStack *stack = &context.undoStack;
    RouteForm *form = context.form;

    FileListPair::Hooks sounds =
        stationCommands<AddStationSoundFileCmd, MoveStationSoundFileCmd, RemoveStationSoundFileCmd>(
            context);
    sounds.selectionChanging = [sound] { sound->stop(); };
    sounds.selected = [this, sound](const QString &name) {
        if (!name.isEmpty())
            sound->load(filePath(routeFolder(), name));
    };
    m_sounds = new FileListPair({ui->soundFileList, ui->allSoundFileList, ui->addSoundFileBtn,
                                 ui->upSoundFileBtn, ui->downSoundFileBtn, ui->removeSoundFileBtn},
                                sounds, stack, this);

    FileListPair::Hooks texts =
        stationCommands<AddStationTextFileCmd, MoveStationTextFileCmd, RemoveStationTextFileCmd>(
            context);
    texts.selected = [this](const QString &name) {
        preview(ui->textPreviewLabel, routeFolder(), name);
    };
    m_texts = new FileListPair({ui->textFileList, ui->allTextFileList, ui->addTextFileBtn,
                                ui->upTextFileBtn, ui->downTextFileBtn, ui->removeTextFileBtn},
                               texts, stack, this);

    FileListPair::Hooks ads;
    ads.add = [form](int row, const QString &name) {
        return new AddAdwareTextFileCmd(form, row, name);
    };
    ads.move = [form](int from, int to) { return new MoveAdwareTextFileCmd(form, from, to); };
    ads.remove = [form](int row) { return new RemoveAdTextFileCmd(form, row); };
    ads.selected = [this](const QString &name) {
        preview(ui->adTextPreviewLabel, adFolder(), name);
    };
    m_ads = new FileListPair({ui->adTextFileList, ui->allAdTextFileList, ui->addAdTextFileBtn,
                              ui->upAdTextFileBtn, ui->downAdTextFileBtn, ui->removeAdTextFileBtn},
                             ads, stack, this);

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileLists::onDirectoryChange);

    const std::pair<QAbstractButton *, void (FileLists::*)()> buttons[] = {
        {ui->newTextFileBtn, &FileLists::newTextFile},
        {ui->newAdTextFileBtn, &FileLists::newAdTextFile},
        {ui->openTextFileBtn, &FileLists::openTextFile},
        {ui->openAdTextFileBtn, &FileLists::openAdTextFile},
        {ui->openSoundFolderBtn, &FileLists::openSoundFolder},
        {ui->openTextFolderBtn, &FileLists::openTextFolder},
        {ui->openAdFolderBtn, &FileLists::openAdFolder},
        {ui->moveAdFolderBtn, &FileLists::moveAdFolder},
    };
    for (const auto &b : buttons)
        connect(b.first, &QAbstractButton::clicked, this, b.second);

    QWidget *parent = context.widget();
    m_askName = [parent](const QString &proposed) {
        QInputDialog dialog(parent);
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setWindowTitle(tr("Имя файла"));
        dialog.setLabelText(tr("Введите имя для нового файла."));
        dialog.setOkButtonText(tr("OK"));
        dialog.setCancelButtonText(tr("Отмена"));
        dialog.setTextValue(proposed);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    };
    m_askFolder = [parent](const QString &start) {
        return QFileDialog::getExistingDirectory(parent, tr("Выберите папку с рекламой"), start);
    };
}

QString FileLists::routeFolder() const
{
    return m_ctx.route.path();
}

QString FileLists::adFolder() const
{
    return m_ctx.route.adPath();
}

// --- Folders -------------------------------------------------------------------------------

void FileLists::watch()
{
    for (const QString &folder : {routeFolder(), adFolder()}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    }
    refreshRouteFolderFiles();
    refreshAdFolderFiles();
}

void FileLists::unwatch()
{
    m_routeFolderTimer.stop();
    m_adFolderTimer.stop();
    const QStringList watched = m_watcher->directories();
    if (!watched.isEmpty())
        m_watcher->removePaths(watched);
}

void FileLists::adFolderChanged(const QString &oldPath)
{
    // The route folder stays watched when it was the ad folder too.
    if (!oldPath.isEmpty() && oldPath.compare(routeFolder(), Qt::CaseInsensitive) != 0)
        m_watcher->removePath(oldPath);
    if (QFileInfo(adFolder()).isDir())
        m_watcher->addPath(adFolder());
    ui->allAdTextFileLabel->setText(m_ctx.route.adFolderRelative());
    refreshAdFolderFiles();
}

void FileLists::refreshRouteFolderFiles()
{
    const RouteFolderFiles files = scanRouteFolder(routeFolder());
    m_texts->setFolderFiles(files.texts);
    m_sounds->setFolderFiles(files.sounds);
}

void FileLists::refreshAdFolderFiles()
{
    m_ads->setFolderFiles(scanAdFolder(adFolder()));
}

void FileLists::onDirectoryChange(const QString &path)
{
    if (path.compare(routeFolder(), Qt::CaseInsensitive) == 0 && !m_routeFolderTimer.isActive())
        m_routeFolderTimer.start(rescanDelay, Qt::CoarseTimer, this);
    if (path.compare(adFolder(), Qt::CaseInsensitive) == 0 && !m_adFolderTimer.isActive())
        m_adFolderTimer.start(rescanDelay, Qt::CoarseTimer, this);
}

void FileLists::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_routeFolderTimer.timerId()) {
        m_routeFolderTimer.stop();
        refreshRouteFolderFiles();
    } else if (event->timerId() == m_adFolderTimer.timerId()) {
        m_adFolderTimer.stop();
        refreshAdFolderFiles();
    } else {
        QObject::timerEvent(event);
    }
}

// --- New files, the editor and the file manager ---------------------------------------------

void FileLists::newTextFile()
{
    newFile(m_texts, routeFolder(), QStringLiteral("s%1.txt"));
}

void FileLists::newAdTextFile()
{
    // The ad list is saved into the ad folder only when that folder exists.
    makeAdFolder();
    newFile(m_ads, adFolder(), QStringLiteral("r%1.txt"));
}

void FileLists::newFile(FileListPair *pair, const QString &folder, const QString &pattern)
{
    const QString name = normalizedTextFileName(m_askName(proposedFileName(folder, pattern)));
    if (name.isEmpty())
        return;
    // A name whose file cannot be made would be saved into the route all the same.
    if (!ensureFileExists(filePath(folder, name))) {
        QMessageBox::critical(m_ctx.widget(), QString(),
                              tr("Не удалось создать файл %1!").arg(name));
        return;
    }
    pair->append(name);
}

void FileLists::openTextFile()
{
    openTextEditor(m_texts, routeFolder());
}

void FileLists::openAdTextFile()
{
    openTextEditor(m_ads, adFolder());
}

void FileLists::openTextEditor(FileListPair *pair, const QString &folder)
{
    const QString name = pair->currentName();
    // A saved text shows in the preview at once.
    if (!name.isEmpty() && TextEditorDlg::openFile(filePath(folder, name), m_ctx.widget()))
        pair->showCurrent();
}

void FileLists::openSoundFolder()
{
    showFolder(m_sounds, routeFolder());
}

void FileLists::openTextFolder()
{
    showFolder(m_texts, routeFolder());
}

void FileLists::openAdFolder()
{
    makeAdFolder();
    showFolder(m_ads, adFolder());
}

void FileLists::makeAdFolder()
{
    if (!QFileInfo::exists(adFolder()) && QDir().mkdir(adFolder()))
        m_watcher->addPath(adFolder());
}

void FileLists::showFolder(FileListPair *pair, const QString &folder)
{
    const QString name = pair->currentName();
    const QString shown = name.isEmpty() ? folder : filePath(folder, name);
    const QPointer<QWidget> form = m_ctx.widget();
    showInFileManager(shown, m_launch, [form, shown] {
        if (form)
            QMessageBox::warning(form, tr("Файловый менеджер"),
                                 tr("Не удалось показать %1: не запустился ни один файловый "
                                    "менеджер.")
                                     .arg(QDir::toNativeSeparators(shown)));
    });
}

// --- The ad folder -------------------------------------------------------------------------

void FileLists::moveAdFolder()
{
    const QString chosen = m_askFolder(adFolder());
    switch (checkAdFolder(routeFolder(), adFolder(), chosen)) {
    case AdFolderChoice::Unchanged:
        break;
    case AdFolderChoice::Accepted:
        changeAdFolder(QDir::cleanPath(chosen));
        break;
    case AdFolderChoice::Refused:
        QMessageBox::critical(
            m_ctx.widget(), QString(),
            tr("Папка с рекламой должна быть в папке с маршрутом или рядом с ней!"));
        break;
    }
}

void FileLists::changeAdFolder(const QString &newPath)
{
    auto *change = new QUndoCommand;
    // From the last row up: each removal keeps the name of its own row for the undo.
    for (int row = m_ctx.route.adTextFiles().size() - 1; row >= 0; --row)
        new RemoveAdTextFileCmd(m_ctx.form, row, change);
    new SetAdPathCommand(m_ctx.form, newPath, change);
    const QStringList names = readAdScriptOf(newPath);
    for (int i = 0; i < names.size(); ++i)
        new AddAdwareTextFileCmd(m_ctx.form, i, names.at(i), change);
    m_ctx.undoStack.push(change);
}

// --- Apply operations ---------------------------------------------------------------

QStringList *FileLists::fileNames(FileList list, int station)
{
    if (list == AdFiles)
        return &m_ctx.route.adTextFiles();
    Station *s = m_ctx.route.station(station);
    if (!s)
        return nullptr;
    return list == SoundFiles ? &s->soundFiles() : &s->textFiles();
}

QListWidget *FileLists::shownFileList(FileList list, int station) const
{
    switch (list) {
    case SoundFiles:
        return station == m_ctx.currentStation ? ui->soundFileList : nullptr;
    case TextFiles:
        return station == m_ctx.currentStation ? ui->textFileList : nullptr;
    case AdFiles:
        break;
    }
    return ui->adTextFileList;
}

void FileLists::noteFileChange(FileList list, int station, int row)
{
    FormPlace::LastChange &change = m_ctx.lastChange;
    if (list == AdFiles) {
        change.station = -1;
        change.adRow = row;
        change.routeTab = FormPlace::SalonTab;
        change.salonTab = FormPlace::AdTab;
        return;
    }
    (list == SoundFiles ? change.soundRow : change.textRow) = row;
    change.station = station;
    change.stationTab = list == SoundFiles ? FormPlace::SoundTab : FormPlace::TextTab;
}

void FileLists::insertFile(FileList list, int station, int row, const QString &name)
{
    QStringList *names = fileNames(list, station);
    if (!names)
        return;
    row = qBound(0, row, names->size());
    names->insert(row, name);
    if (QListWidget *widget = shownFileList(list, station))
        widget->insertItem(row, FileListPair::item(name));
    noteFileChange(list, station, row);
}

void FileLists::removeFile(FileList list, int station, int row)
{
    QStringList *names = fileNames(list, station);
    if (!names || row < 0 || row >= names->size())
        return;
    names->removeAt(row);
    if (QListWidget *widget = shownFileList(list, station))
        delete widget->takeItem(row);
    noteFileChange(list, station, row);
}

void FileLists::moveFile(FileList list, int station, int from, int to)
{
    QStringList *names = fileNames(list, station);
    if (!names || from < 0 || from >= names->size() || to < 0 || to >= names->size())
        return;
    names->move(from, to);
    if (QListWidget *widget = shownFileList(list, station)) {
        if (QListWidgetItem *item = widget->takeItem(from))
            widget->insertItem(to, item);
    }
    noteFileChange(list, station, to);
}
