#include "filelistpair.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QUndoStack>

namespace {

QString currentText(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->text() : QString();
}

} // namespace

FileListPair::FileListPair(const Widgets &widgets, Hooks hooks, QUndoStack *stack, QObject *parent)
    : QObject(parent), m_widgets(widgets), m_hooks(std::move(hooks)), m_stack(stack)
{
    connect(m_widgets.assigned, &QListWidget::currentRowChanged, this,
            &FileListPair::onAssignedRowChanged);
    connect(m_widgets.folder, &QListWidget::currentRowChanged, this,
            &FileListPair::onFolderRowChanged);
    connect(m_widgets.add, &QAbstractButton::clicked, this, &FileListPair::addCurrent);
    connect(m_widgets.up, &QAbstractButton::clicked, this, &FileListPair::moveUp);
    connect(m_widgets.down, &QAbstractButton::clicked, this, &FileListPair::moveDown);
    connect(m_widgets.remove, &QAbstractButton::clicked, this, &FileListPair::removeCurrent);
}

QListWidgetItem *FileListPair::item(const QString &name)
{
    auto *item = new QListWidgetItem(name);
    item->setSizeHint(QSize(0, 40));
    return item;
}

void FileListPair::fill(QListWidget *list, const QStringList &names)
{
    list->clear();
    for (const QString &name : names)
        list->addItem(item(name));
}

void FileListPair::setFolderFiles(const QStringList &names)
{
    const QString current = currentText(m_widgets.folder);
    fill(m_widgets.folder, names);
    if (current.isEmpty())
        return;
    const QList<QListWidgetItem *> found = m_widgets.folder->findItems(current, Qt::MatchExactly);
    if (!found.isEmpty())
        m_widgets.folder->setCurrentItem(found.first());
}

QString FileListPair::currentName() const
{
    const QString assigned = currentText(m_widgets.assigned);
    return assigned.isEmpty() ? currentText(m_widgets.folder) : assigned;
}

void FileListPair::showCurrent()
{
    const QString name = currentName();
    if (!name.isEmpty())
        m_hooks.selected(name);
}

void FileListPair::append(const QString &name)
{
    const int row = m_widgets.assigned->count();
    push(m_hooks.add(row, name), row);
}

void FileListPair::addCurrent()
{
    if (const QListWidgetItem *item = m_widgets.folder->currentItem())
        append(item->text());
}

void FileListPair::moveUp()
{
    const int row = m_widgets.assigned->currentRow();
    if (row > 0)
        push(m_hooks.move(row, row - 1), row - 1);
}

void FileListPair::moveDown()
{
    const int row = m_widgets.assigned->currentRow();
    if (row >= 0 && row + 1 < m_widgets.assigned->count())
        push(m_hooks.move(row, row + 1), row + 1);
}

void FileListPair::removeCurrent()
{
    const int row = m_widgets.assigned->currentRow();
    if (row >= 0 && row < m_widgets.assigned->count())
        push(m_hooks.remove(row), row);
}

void FileListPair::push(QUndoCommand *command, int currentRow)
{
    m_stack->push(command);
    // The row may be current already, holding another entry: the buttons follow all the same.
    if (m_widgets.assigned->currentRow() == currentRow)
        onAssignedRowChanged(currentRow);
    else
        m_widgets.assigned->setCurrentRow(currentRow);
}

void FileListPair::onAssignedRowChanged(int row)
{
    if (m_hooks.selectionChanging)
        m_hooks.selectionChanging();
    for (QAbstractButton *b : {m_widgets.up, m_widgets.down, m_widgets.remove})
        b->setVisible(row >= 0);
    if (row < 0) {
        clearedSelection();
        return;
    }
    m_widgets.folder->setCurrentRow(-1);
    m_widgets.up->setEnabled(row > 0);
    m_widgets.down->setEnabled(row + 1 < m_widgets.assigned->count());
    m_hooks.selected(m_widgets.assigned->item(row)->text());
}

void FileListPair::clearedSelection()
{
    // A preview of what is no longer selected would pass for the current station's file.
    if (currentName().isEmpty())
        m_hooks.selected(QString());
}

void FileListPair::onFolderRowChanged(int row)
{
    if (m_hooks.selectionChanging)
        m_hooks.selectionChanging();
    m_widgets.add->setVisible(row >= 0);
    if (row < 0) {
        clearedSelection();
        return;
    }
    m_widgets.assigned->setCurrentRow(-1);
    m_hooks.selected(m_widgets.folder->item(row)->text());
}
