#pragma once

#include <QString>

namespace n35
{

class MainWindow;

// The File menu's commands. The menu asks for the path with a file dialog; these take the chosen path,
// so tests and other front ends can run them directly. Each tells the user how it ended.
void SaveImageCommand(MainWindow &window, const QString &path);
void OpenImageCommand(MainWindow &window, const QString &path);
void ExportCsvCommand(MainWindow &window, const QString &path);
void ImportCsvCommand(MainWindow &window, const QString &path);
// The channel list other radio programmers exchange: the used rows out, or the list's channels into
// consecutive rows from firstRow on (the CALL channels passed over).
void ExportChannelListCommand(MainWindow &window, const QString &path);
void ImportChannelListCommand(MainWindow &window, const QString &path, int firstRow);

// A name typed without the extension gets it, so that a saved file is one "Open" or "Import" takes.
QString WithExtension(const QString &path, const QString &extension);

// The menu items: a dialog, then the command.
void FileSave_Click(MainWindow &window);
void FileOpen_Click(MainWindow &window);
void FILE_EXPORT_Click(MainWindow &window);
void FILE_INPORT_Click(MainWindow &window);
void ExportChannelList_Click(MainWindow &window);
void ImportChannelList_Click(MainWindow &window, int firstRow);

} // namespace n35
