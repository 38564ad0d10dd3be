#pragma once

#include "emulator/radiocore.h"
#include "support/channelfixtures.h"
#include "support/fakeradioport.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QAnyStringView>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace n35::testing
{

// A main window on a fake line to an in-process radio, its settings file in a private folder, no real
// serial devices, and every message captured instead of shown.
struct WindowRig {
    // settings: the settings file's content; a null array leaves the file missing.
    explicit WindowRig(const QByteArray &settings = {})
    {
        path = dir.filePath(QStringLiteral("HVN35Writer.INI"));
        if (QFile file(path); !settings.isNull() && file.open(QIODevice::WriteOnly))
            file.write(settings);
        port.setResponder([this](const QByteArray &written) {
            unlockedWrites += !window->session().isBusy();
            return Answer(radio, written);
        });
        window = std::make_unique<MainWindow>(&port, path);
        window->session().portResolver().setLinkDirectory(dir.path());
        window->session().portResolver().setSystemDevices({});
        window->session().link().setTimeoutMs(100);
        window->session().setBackupFolder(dir.filePath(QStringLiteral("backups")));
    }

    template <typename T = QObject> T *find(QAnyStringView name) const
    {
        return window->findChild<T *>(name.toString());
    }
    void click(QAnyStringView button) const { find<QAbstractButton>(button)->click(); }
    MemoryPage *page() const { return window->memoryPage(); }
    ChannelTable &table() const { return window->session().image().channels; }
    // What the user was told so far, one "text|title" a message.
    QStringList told() const
    {
        QStringList lines;
        for (const CapturedMessage &message : capture.messages)
            lines << message.text + QLatin1Char('|') + message.title;
        return lines;
    }

    QTemporaryDir dir;
    QString path;
    n35emu::RadioCore radio;
    FakeRadioPort port;
    MessageCapture capture;
    std::unique_ptr<MainWindow> window;
    int unlockedWrites = 0; // writes to the radio made while the controls were not locked
};

} // namespace n35::testing
