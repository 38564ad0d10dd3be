#pragma once

#include <QList>
#include <QMenu>

namespace n35
{

class Session;

// File > "Open Recent": the clone images opened or saved last, a file that is no longer there greyed out,
// and "Clear". A view of the session's list, which the settings file keeps.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    explicit RecentFilesMenu(Session &session, QWidget *parent = nullptr);

signals:
    void openRequested(const QString &path);

private:
    void refresh();

    Session &session;
    QList<QAction *> items; // one per place in the list, hidden while unused
    QAction *none = nullptr;
    QAction *clearItem = nullptr;
};

// The main window's title for the open clone image: its file name first, then the program; "[*]" stands
// where the unsaved-changes mark goes.
QString WindowTitleFor(const QString &filePath);

} // namespace n35
