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

// The menu items: a dialog, then the command.
void FileSave_Click(MainWindow &window);
void FileOpen_Click(MainWindow &window);
void FILE_EXPORT_Click(MainWindow &window);
void FILE_INPORT_Click(MainWindow &window);

} // namespace n35
