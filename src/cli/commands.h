#pragma once

#include <QDateTime>
#include <QString>

namespace n35
{
class Session;
}

namespace n35::cli
{

struct Invocation;

// Exit status of every command.
enum ExitStatus {
    ExitDone = 0,
    ExitFailed = 1, // the radio or a file failed, or verify found differences
    ExitUsage = 2,  // the command line is wrong
};

// Runs a parsed command; everything it has to say is printed.
int RunInvocation(const Invocation &invocation);

int RunPorts(const Invocation &invocation);
int RunRead(const Invocation &invocation);
int RunWrite(const Invocation &invocation);
int RunVerify(const Invocation &invocation);
int RunExport(const Invocation &invocation);
int RunImport(const Invocation &invocation);
int RunShow(const Invocation &invocation);
int RunRestore(const Invocation &invocation);
int RunBackups(const Invocation &invocation);

// Shared by the commands: a clone image file (or a backup, decoded) loaded into the session, or false
// after telling the user why.
bool LoadImage(const QString &path, Session &session);
// The session's image saved as a clone image file, or false after telling the user why.
bool SaveImage(const QString &path, Session &session);
// The names the file commands insist on, so that the window and hvn35 can open what hvn35 writes.
bool HasImageExtension(const QString &path);
bool HasCsvExtension(const QString &path);
// Every file the command names ends as its kind must (FILE in .N35, CSV in .csv), or ExitUsage after
// telling the user: a wrong ending is a wrong command line, before anything is read or written.
int CheckFileNames(const Invocation &invocation);

} // namespace n35::cli
