#include "shortcutpassthrough.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>

ShortcutPassThrough::ShortcutPassThrough(const QList<QKeySequence> &keys, QObject *parent)
    : QObject(parent), m_keys(keys)
{
}

void ShortcutPassThrough::install(QWidget *root, const QList<QKeySequence> &keys)
{
    auto *filter = new ShortcutPassThrough(keys, root);
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w))
            w->installEventFilter(filter);
    }
}

bool ShortcutPassThrough::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(int(key->modifiers() & ~Qt::KeypadModifier) | key->key());
    if (!m_keys.contains(pressed))
        return false;
    // An override left unaccepted lets the shortcut fire.
    event->ignore();
    return true;
}
