#include "ui/splash.h"

#include "model/fixedtexts.h"
#include "ui/twips.h"
#include "ui/version.h"

#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace n35
{

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      displayTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    // Closing the splash must not end the program before the main window is up.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(twips(6000), twips(3000));

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(0, 0, width(), height());

    auto *title = new QLabel(QStringLiteral("HV-N35 Clone Utility"), frame);
    title->setObjectName(QStringLiteral("lblProductName"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(FixedText::VersionLabel() + QLatin1String(ProgramVersion), frame);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(frame);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch();

    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());

    displayTimer->setSingleShot(true);
    displayTimer->setInterval(DisplayMs);
    connect(displayTimer, &QTimer::timeout, this, &SplashWindow::finish);
    displayTimer->start();
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without focus the key that skips the wait would go nowhere.
    activateWindow();
    setFocus();
}

void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    finish();
}

void SplashWindow::finish()
{
    if (done)
        return;
    done = true;
    displayTimer->stop();
    close();
    emit finished();
}

} // namespace n35
