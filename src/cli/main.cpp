// hvn35: the radio's memory from the command line, over the same core as the window.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "files/readfile.h"

#include <QCoreApplication>
#include <exception>

int main(int argc, char *argv[])
{
    using namespace n35::cli;
    InstallQuietMessageHandler();
    QCoreApplication app(argc, argv);
    // The window's name, so both find the same settings file, backup folder and port links.
    QCoreApplication::setApplicationName(QStringLiteral("HVN35Writer"));

    // The arguments as the system gave them: a file name that is no UTF-8 must still be found.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << n35::FileNameFromNative(QByteArray(argv[i]));
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    switch (parsed.kind) {
    case ParsedCommandLine::Kind::Help:
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
        if (const int names = CheckFileNames(parsed.invocation); names != ExitDone)
            return names;
        return RunInvocation(parsed.invocation);
    } catch (const std::exception &error) {
        PrintError(OneLine(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        PrintError(QStringLiteral("an unexpected failure"));
    }
    return ExitFailed;
}
