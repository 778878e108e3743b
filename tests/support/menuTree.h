// A menu bar written out as lines, for comparing menu trees in tests.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// "Menu/Entry [Key]" per entry, "Menu/" per menu and "Menu/---" per rule, in menu order.
inline void appendMenuTree(const QString& path, const QList<QAction*>& actions, QStringList& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            out << path + "---";
        } else if (a->menu()) {
            out << path + a->text() + "/";
            appendMenuTree(path + a->text() + "/", a->menu()->actions(), out);
        } else {
            QString line = path + a->text();
            if (!a->shortcut().isEmpty())
                line += " [" + a->shortcut().toString() + "]";
            out << line;
        }
    }
}
