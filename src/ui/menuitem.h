#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>

namespace n35
{

// A menu item with the object name tests and screen readers find it by, and its shortcuts.
inline QAction *AddMenuItem(QMenu *menu, const QString &text, const char *name,
                            const QList<QKeySequence> &keys = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    return action;
}

} // namespace n35
