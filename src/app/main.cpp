#include "buildversion.h"
#include "ui/appicon.h"
#include "ui/mainwindow.h"
#include "ui/splash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <string_view>
#include <vector>

namespace
{

QString VersionText()
{
    return QStringLiteral("%1 (revision %2)")
        .arg(QLatin1String(n35::BuildVersion), QLatin1String(n35::BuildRevision));
}

void DescribeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "HV-N35 Writer: reads the memory of an HV-N35 handheld radio over its programming cable, shows it "
        "for editing in one window and writes it back. The serial port is chosen in the window's COMPort "
        "menu; Qt's own options (such as -platform or -style) are taken as well."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version print their text and end without a window, so they must be seen before
// QApplication is made: that needs a display.
bool OnlyPrints(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        for (std::string_view option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (argument == option)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (OnlyPrints(argc, argv)) {
        // The help's usage line names the program as typed, not by the path it was started from.
        char name[] = "hvn35writer";
        std::vector<char *> arguments(argv, argv + argc);
        arguments[0] = name;
        int count = argc;
        QCoreApplication app(count, arguments.data());
        QCoreApplication::setApplicationName(QStringLiteral("hvn35writer"));
        QCoreApplication::setApplicationVersion(VersionText());
        QCommandLineParser parser;
        DescribeOptions(parser);
        parser.process(app); // prints the help or the version and ends the program
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hvn35writer")); // the name an option error starts with
    QApplication::setApplicationVersion(VersionText());
    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(app); // an unknown option: the reason on stderr, status 1
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        std::fprintf(stderr, "hvn35writer: unexpected argument %s (the program takes no file)\n",
                     qPrintable(extra.join(QLatin1Char(' '))));
        return 1;
    }
    // The settings file and the port links are found by this name, by the window and by hvn35 alike.
    QApplication::setApplicationName(QStringLiteral("HVN35Writer"));
    // The dock groups the window under the desktop entry: on Wayland by this name, on X11 by the window
    // class, which is the application name above (the entry's StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.hvn35writer.HVN35Writer"));
    QApplication::setWindowIcon(n35::ApplicationIcon());

    n35::MainWindow window;
    n35::SplashWindow splash;
    QObject::connect(&splash, &n35::SplashWindow::finished, &window, &QWidget::show);
    splash.show();

    return QApplication::exec();
}
