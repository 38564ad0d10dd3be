#pragma once

#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

namespace n35
{

class MemoryPage;
class Session;

// The File menu's commands. The menu asks for the path with a file dialog; these take the chosen path,
// so tests and other front ends can run them directly. Each tells the user how it ended.
void SaveImageCommand(Session &session, QWidget *parent, const QString &path);
void OpenImageCommand(Session &session, QWidget *parent, const QString &path);
void ExportCsvCommand(Session &session, QWidget *parent, const QString &path);
void ImportCsvCommand(Session &session, QWidget *parent, const QString &path);
// The channel list other radio programmers exchange: the used rows out, or the list's channels into
// consecutive rows from firstRow on (the CALL channels passed over).
void ExportChannelListCommand(Session &session, QWidget *parent, const QString &path);
void ImportChannelListCommand(Session &session, QWidget *parent, const QString &path, int firstRow);

// A name typed without the extension gets it, so that a saved file is one "Open" or "Import" takes.
QString WithExtension(const QString &path, const QString &extension);

// The name a save dialog's choice is saved under: with the extension added where it was left off. When
// that is another file than the dialog asked about and it exists, the user is asked whether to replace
// it; empty when the answer is no.
QString ConfirmedSavePath(QWidget *parent, const QString &chosen, const QString &extension);
// The save dialog of one kind of file ("N35", "CSV", "PDF" for its folder), asked again after a "No";
// the final name, or empty when the user cancelled. The folder is remembered for the next dialog.
QString AskSavePath(Session &session, QWidget *parent, const QString &title, const char *folderKey,
                    const QString &filter, const QString &extension);

// The menu items: a dialog, then the command.
void FileSave_Click(Session &session, QWidget *parent);
void FileOpen_Click(Session &session, QWidget *parent);
void FILE_EXPORT_Click(Session &session, QWidget *parent);
void FILE_INPORT_Click(Session &session, QWidget *parent);
void ExportChannelList_Click(Session &session, QWidget *parent);
void ImportChannelList_Click(Session &session, QWidget *parent, int firstRow);

// The File menu with every item wired to its command, added to `bar`. Import channel list fills rows from
// the memory grid's current row on.
QMenu *AddFileMenu(QMenuBar *bar, Session &session, QWidget *parent, MemoryPage &memory);

} // namespace n35
