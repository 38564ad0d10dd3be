#pragma once

#include <QString>

namespace n35
{
struct Problem;
}

namespace n35::cli
{

// Everything hvn35 tells its user goes through here, so that each message is one line and names the
// program. Results go to standard output, diagnostics to standard error.

void PrintOut(const QString &line);
void PrintError(const QString &text);   // "hvn35: error: text"
void PrintWarning(const QString &text); // "hvn35: warning: text"
void PrintNote(const QString &text);    // "hvn35: note: text"

// A message and its detail text as one line: "text: detail", the detail's own lines joined with "; ".
QString OneLine(const QString &text, const QString &detail = {});

// A command that failed, as one error line: `headline` says what failed ("x.csv couldn't be opened"), the
// problem why. The headline names the file, so a problem that names it too gives only its reason.
void PrintProblem(const QString &headline, const Problem &problem);

// Qt's own diagnostics are for developers: dropped, except a critical or fatal one, which becomes one
// error line.
void InstallQuietMessageHandler();

} // namespace n35::cli
