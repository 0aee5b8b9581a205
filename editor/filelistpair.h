// One ordered list of files that the route uses, beside the files that its folder offers.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QListWidget;
class QListWidgetItem;
class QUndoCommand;
class QUndoStack;

// Keeps one current row per pair, shows the buttons that apply to it and turns add, up, down
// and remove into undo commands. The commands' apply operations change the assigned list.
class FileListPair : public QObject
{
    Q_OBJECT

public:
    struct Widgets
    {
        QListWidget *assigned;
        QListWidget *folder;
        QAbstractButton *add;
        QAbstractButton *up;
        QAbstractButton *down;
        QAbstractButton *remove;
    };
    struct Hooks
    {
        std::function<QUndoCommand *(int row, const QString &name)> add;
        std::function<QUndoCommand *(int from, int to)> move;
        std::function<QUndoCommand *(int row)> remove;
        // Before any change of the selection; may be empty.
        std::function<void()> selectionChanging;
        // The name that became current in either list; empty once neither list has one.
        std::function<void(const QString &name)> selected;
    };

    FileListPair(const Widgets &widgets, Hooks hooks, QUndoStack *stack, QObject *parent);

    // Rebuilds the folder list, keeping the current entry when its name is still there.
    void setFolderFiles(const QStringList &names);
    // The assigned entry that is current, else the folder entry; empty when neither is.
    QString currentName() const;
    // Shows the current entry again, as after selecting it.
    void showCurrent();
    // Appends a name to the assigned list as one undo step and makes it current.
    void append(const QString &name);

    // Items of every file list: the bare name, 40 pixels high.
    static QListWidgetItem *item(const QString &name);
    static void fill(QListWidget *list, const QStringList &names);

public slots:
    void addCurrent();
    void moveUp();
    void moveDown();
    void removeCurrent();

private slots:
    void onAssignedRowChanged(int row);
    void onFolderRowChanged(int row);

private:
    void push(QUndoCommand *command, int currentRow);
    void clearedSelection();

    Widgets m_widgets;
    Hooks m_hooks;
    QUndoStack *m_stack;
};
