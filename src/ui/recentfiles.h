#pragma once

#include "files/recentfiles.h"

#include <QList>
#include <QMenu>

namespace n35
{

// File > "Open Recent": the clone images opened or saved last, a file that is no longer there greyed out,
// and "Clear". The list itself is widget-free (files/recentfiles.h); the window keeps it in the settings
// file whenever it changes.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    explicit RecentFilesMenu(const RecentFiles &files, QWidget *parent = nullptr);

    const RecentFiles &files() const { return recent; }
    // A clone image was opened or saved.
    void add(const QString &path);

signals:
    void openRequested(const QString &path);
    // The list changed: time to keep it.
    void changed();

private:
    void refresh();

    RecentFiles recent;
    QList<QAction *> items; // one per place in the list, hidden while unused
    QAction *none = nullptr;
    QAction *clearItem = nullptr;
};

// The main window's title for the open clone image: its file name first, then the program; "[*]" stands
// where the unsaved-changes mark goes.
QString WindowTitleFor(const QString &filePath);

} // namespace n35
