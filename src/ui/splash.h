#pragma once

#include <QWidget>

class QTimer;

namespace n35
{

// The start-up picture: stays for a second, or until a key is pressed, then hands over to the main window.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DisplayMs = 1000;

    explicit SplashWindow(QWidget *parent = nullptr);

    QTimer *timer() const { return displayTimer; }

signals:
    // The splash has closed; the main window is to be shown.
    void finished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void finish();

    QTimer *displayTimer;
    bool done = false;
};

} // namespace n35
