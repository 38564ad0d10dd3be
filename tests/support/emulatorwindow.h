#pragma once

#include "emulator/emulatorsession.h"
#include "files/imagefile.h"
#include "model/cloneimage.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QAnyStringView>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace n35::testing
{

// The whole image as a file written at a fixed time, so two images can be compared byte for byte.
inline QByteArray ImageSnapshot(const CloneImage &image, const QString &path)
{
    if (const Status saved = SaveImageFile(path, image, 1, QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
        !saved)
        return saved.problem().describe().toUtf8();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A main window whose COM port is bound to a running emulator: what a user with a cable has. Messages
// are captured; the settings file lives in a private folder.
struct EmulatorWindow {
    explicit EmulatorWindow(const QStringList &emulatorArguments = {}, int port = 1)
        : radio(emulatorArguments, port)
    {
        started = radio.start(&error);
        window = std::make_unique<MainWindow>(nullptr, dir.filePath(QStringLiteral("HVN35Writer.INI")));
        window->session().portResolver().setLinkDirectory(radio.linkDirectory());
        window->session().portResolver().setSystemDevices({});
        window->MenuSetCom_Click(port);
        window->session().setBackupFolder(dir.filePath(QStringLiteral("backups")));
    }
    void click(QAnyStringView button) const
    {
        window->findChild<QAbstractButton *>(button.toString())->click();
    }
    CloneImage &image() const { return window->session().image(); }

    n35emu::EmulatorSession radio;
    QTemporaryDir dir;
    MessageCapture capture;
    std::unique_ptr<MainWindow> window;
    bool started = false;
    QString error;
};

} // namespace n35::testing
