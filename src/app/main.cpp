#include "ui/mainwindow.h"
#include "ui/splash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HVN35Writer"));

    n35::MainWindow window;
    n35::SplashWindow splash;
    QObject::connect(&splash, &n35::SplashWindow::finished, &window, &QWidget::show);
    splash.show();

    return QApplication::exec();
}
