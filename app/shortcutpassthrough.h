// Text fields take the undo keys for their own small undo; in the route form those keys
// belong to the route. This filter hands them to the window's actions instead.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

class ShortcutPassThrough : public QObject
{
    Q_OBJECT

public:
    // Watches every line edit and spin box inside `root`; lives as long as `root`.
    static void install(QWidget *root, const QList<QKeySequence> &keys);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ShortcutPassThrough(const QList<QKeySequence> &keys, QObject *parent);

    QList<QKeySequence> m_keys;
};
