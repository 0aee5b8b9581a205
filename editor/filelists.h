// The announcement file lists of a route form: the three pairs of lists, the two folders
// behind them, and the actions on files and folders around them.
#pragma once

#include "filemanager.h"

#include <QBasicTimer>
#include <QObject>

#include <functional>

class FileListPair;
class FormContext;
class QFileSystemWatcher;
class QListWidget;
class SoundPreview;

namespace Ui {
class RouteForm;
}

class FileLists : public QObject
{
    Q_OBJECT

public:
    // Asks for the name of a new file, given the proposed one; empty when cancelled.
    using NameAsker = std::function<QString(const QString &proposed)>;
    // Asks for another ad folder, starting in the current one; empty when cancelled.
    using FolderAsker = std::function<QString(const QString &start)>;

    FileLists(FormContext &context, SoundPreview *sound);

    // Replace the dialogs and the file manager (tests, tools).
    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }
    void setFolderAsker(FolderAsker asker) { m_askFolder = std::move(asker); }
    void setFileManagerLaunch(const FileManagerLaunch &launch) { m_launch = launch; }

    // Starts watching the route folder and the ad folder and lists what they hold.
    void watch();
    void unwatch();
    // The route has moved to another ad folder (its adPath is the new one already).
    void adFolderChanged(const QString &oldPath);

    // Replaces the route's ad folder and its list as one undo step.
    void changeAdFolder(const QString &newPath);

    // The form's apply operations on the file lists: the route's names, the list widget
    // showing them, if shown, and the place of the change.
    enum FileList
    {
        SoundFiles,
        TextFiles,
        AdFiles
    };
    void insertFile(FileList list, int station, int row, const QString &name);
    void removeFile(FileList list, int station, int row);
    void moveFile(FileList list, int station, int from, int to);

protected:
    void timerEvent(QTimerEvent *event) override;

private slots:
    void onDirectoryChange(const QString &path);
    void newTextFile();
    void newAdTextFile();
    void openTextFile();
    void openAdTextFile();
    void openSoundFolder();
    void openTextFolder();
    void openAdFolder();
    void moveAdFolder();

private:
    QString routeFolder() const;
    QString adFolder() const;
    void refreshRouteFolderFiles();
    void refreshAdFolderFiles();
    // Creates a missing ad folder (one level) and watches it.
    void makeAdFolder();
    void newFile(FileListPair *pair, const QString &folder, const QString &pattern);
    void openTextEditor(FileListPair *pair, const QString &folder);
    void showFolder(FileListPair *pair, const QString &folder);
    QStringList *fileNames(FileList list, int station);
    QListWidget *shownFileList(FileList list, int station) const;
    void noteFileChange(FileList list, int station, int row);

    FormContext &m_ctx;
    Ui::RouteForm *ui;
    FileListPair *m_sounds;
    FileListPair *m_texts;
    FileListPair *m_ads;
    QFileSystemWatcher *m_watcher;
    QBasicTimer m_routeFolderTimer;
    QBasicTimer m_adFolderTimer;
    NameAsker m_askName;
    FolderAsker m_askFolder;
    FileManagerLaunch m_launch = FileManagerLaunch::system();
};
