// hvn35: the radio's memory from the command line, over the same core as the window.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"

#include <QCoreApplication>
#include <exception>

int main(int argc, char *argv[])
{
    using namespace n35::cli;
    InstallQuietMessageHandler();
    QCoreApplication app(argc, argv);
    // The window's name, so both find the same settings file, backup folder and port links.
    QCoreApplication::setApplicationName(QStringLiteral("HVN35Writer"));

    const ParsedCommandLine parsed = ParseCommandLine(QCoreApplication::arguments().mid(1));
    switch (parsed.kind) {
    case ParsedCommandLine::Kind::Help:
        PrintOut(parsed.text);
        return ExitDone;
    case ParsedCommandLine::Kind::Version:
        PrintOut(parsed.text);
        return ExitDone;
    case ParsedCommandLine::Kind::UsageError:
        PrintError(UsageErrorText(parsed));
        return ExitUsage;
    case ParsedCommandLine::Kind::Run:
        break;
    }
    try {
        return RunInvocation(parsed.invocation);
    } catch (const std::exception &error) {
        PrintError(OneLine(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        PrintError(QStringLiteral("an unexpected failure"));
    }
    return ExitFailed;
}
