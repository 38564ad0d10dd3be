#include "session/session.h"

#include "link/porterror.h"
#include "link/wholeradio.h"
#include "model/fixedtexts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <exception>
#include <utility>

namespace n35
{

Session::Session(RadioPort *port, const QString &settingsFile, QObject *parent)
    : QObject(parent), settingsPath(settingsFile),
      programSettings(settingsFile.isEmpty() ? ProgramSettings{} : ProgramSettings::read(settingsFile)),
      backups(BackupFolder()), radioLink(port ? *port : serialPort)
{
    radioLink.setPortNumber(programSettings.port);

    editTimer = new QTimer(this);
    editTimer->setSingleShot(true);
    editTimer->setInterval(0);
    connect(editTimer, &QTimer::timeout, this, &Session::recordPendingEdit);
    // Every region's changes, wherever they come from, reach the history.
    auto watch = [this](auto *region, auto signal, const char *name) {
        connect(region, signal, this, [this, name] { noteEdit(QString::fromLatin1(name)); });
    };
    watch(&cloneImage.channels, &ChannelTable::changed, "channel edit");
    watch(&cloneImage.banks, &BankPartition::changed, "bank edit");
    watch(&cloneImage.settings, &SetModeSettings::changed, "Set Mode edit");
    watch(&cloneImage.dtmf, &DtmfMemories::changed, "DTMF edit");
    watch(&cloneImage.oneTouch, &OneTouchKeys::changed, "one-touch edit");
    watch(&cloneImage.title, &OpeningTitle::changed, "title edit");
    watch(&cloneImage.bankLinks, &BankLinks::changed, "bank link edit");
    watch(&cloneImage.glyphs, &FontGlyphs::changed, "glyph edit");
}

Session::~Session()
{
    radioLink.close();
}

void Session::setProgress(Progress *progress)
{
    progressSink = progress ? progress : &noProgress;
}

void Session::setPortNumber(int number)
{
    if (number < 1 || number > PortResolver::PortCount)
        return;
    radioLink.setPortNumber(number);
    programSettings.port = number;
    saveSettings();
}

QString Session::portName()
{
    const int number = radioLink.portNumber();
    const QString device = resolver.deviceFor(number);
    return QStringLiteral("COM%1").arg(number) +
           (device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device));
}

void Session::setBackupBeforeWriting(bool on)
{
    if (std::exchange(programSettings.backupBeforeWriting, on) != on)
        saveSettings();
}

void Session::setAutomaticShift(bool on)
{
    if (std::exchange(programSettings.automaticShift, on) != on)
        saveSettings();
}

QString Session::startFolder(const QString &kind) const
{
    if (QString folder = programSettings.folders.value(kind); !folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void Session::rememberFolder(const QString &kind, const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (folder.isEmpty() || programSettings.folders.value(kind) == folder)
        return;
    programSettings.folders.insert(kind, folder);
    saveSettings();
}

void Session::clearRecentFiles()
{
    programSettings.recent.clear();
    saveSettings();
    emit recentFilesChanged();
}

Status Session::saveSettings()
{
    if (settingsPath.isEmpty())
        return {};
    programSettings.port = radioLink.portNumber();
    Status saved = SaveProgramSettings(settingsPath, cloneImage, programSettings);
    if (!saved)
        emit settingsNotSaved(saved.problem());
    return saved;
}

TransferOutcome Session::runRadioCommand(const std::function<TransferOutcome()> &command,
                                         const QString &stepName)
{
    if (busy)
        return TransferOutcome::failure(
            FixedText::PortError(), FixedText::ErrorTitle(),
            QStringLiteral("Another transfer is still running. Wait until it has finished."));
    TransferOutcome outcome;
    runStep(stepName.isEmpty() ? QStringLiteral("Read from the radio") : stepName, [&] {
        busy = true;
        emit busyChanged(true);
        try {
            outcome = command();
        } catch (const PortError &e) {
            outcome = TransferOutcome::failure(FixedText::PortError(), FixedText::ErrorTitle(), e.detail());
        } catch (const std::exception &e) {
            outcome = TransferOutcome::failure(FixedText::PortError(), FixedText::ErrorTitle(),
                                               QString::fromLocal8Bit(e.what()));
        }
        radioLink.close();
        busy = false;
        emit busyChanged(false);
    });
    return outcome;
}

void Session::runStep(const QString &name, const std::function<void()> &body)
{
    recordPendingEdit();
    ++stepDepth;
    // However the work ends, what it changed is recorded.
    struct Leave {
        Session &session;
        const QString &name;
        ~Leave()
        {
            if (--session.stepDepth > 0)
                return;
            session.pendingEdit.clear();
            session.imageHistory.record(name);
            emit session.historyChanged();
        }
    } leave{*this, name};
    body();
}

void Session::noteEdit(const QString &region)
{
    if (stepDepth > 0 || restoring)
        return;
    // Recorded once the event that made it is done, so one click that changes several cells is one step.
    pendingEdit = region;
    editTimer->start();
}

void Session::recordPendingEdit()
{
    editTimer->stop();
    if (pendingEdit.isEmpty())
        return;
    const QString region = std::exchange(pendingEdit, QString());
    imageHistory.record(region, region);
    emit historyChanged();
}

void Session::startHistory()
{
    pendingEdit.clear();
    editTimer->stop();
    imageHistory.rebase();
    emit historyChanged();
}

bool Session::isClean()
{
    recordPendingEdit();
    return imageHistory.isClean();
}

void Session::markClean()
{
    imageHistory.markClean();
    emit historyChanged();
}

bool Session::undo()
{
    return travel(&ImageHistory::undo);
}

bool Session::redo()
{
    return travel(&ImageHistory::redo);
}

bool Session::travel(bool (ImageHistory::*move)())
{
    recordPendingEdit();
    if (busy)
        return false;
    // What the views do while the image is put back is part of the undo, not a new edit.
    restoring = true;
    const bool moved = (imageHistory.*move)();
    restoring = false;
    emit historyChanged();
    return moved;
}

TransferOutcome Session::readAll()
{
    return runRadioCommand(
        [this] {
            TransferOutcome read = ReadAllData(radioLink, cloneImage, progress());
            if (read.ok)
                markClean();
            return read;
        },
        QStringLiteral("Read All Data"));
}

WriteReport Session::writeAll(WriteRequest request)
{
    WriteReport report;
    if (request.port.isEmpty())
        request.port = portName();
    report.outcome = runRadioCommand(
        [&] {
            report = WriteImage(radioLink, cloneImage, progress(), request);
            if (report.outcome.ok) // the radio now holds the image
                markClean();
            return report.outcome;
        },
        QStringLiteral("Write All Data"));
    return report;
}

Session::Verification Session::verify()
{
    Verification verification;
    CloneImage radio;
    verification.read = runRadioCommand([&] { return ReadAllData(radioLink, radio, progress()); });
    if (verification.read.ok)
        verification.differences = CompareImages(cloneImage, radio);
    return verification;
}

RestoreReport Session::restore(const RadioBackup &backup)
{
    RestoreReport report;
    report.outcome = runRadioCommand([&] {
        report = RestoreBackup(radioLink, backup, progress());
        return report.outcome;
    });
    return report;
}

Result<LoadNotices> Session::open(const QString &path)
{
    Result<LoadNotices> loaded = LoadNotices{};
    runStep(QStringLiteral("Open"), [&] { loaded = LoadImageFile(path, cloneImage); });
    if (loaded) {
        markClean();
        noteFile(path);
    }
    return loaded;
}

Result<LoadNotices> Session::openBackup(const QString &path)
{
    Result<LoadNotices> opened = LoadNotices{};
    runStep(QStringLiteral("Open"), [&] { opened = OpenBackupFile(path, cloneImage); });
    return opened;
}

Status Session::save(const QString &path)
{
    if (Status saved = SaveImageFile(path, cloneImage, radioLink.portNumber()); !saved)
        return saved;
    markClean();
    noteFile(path);
    return {};
}

void Session::noteFile(const QString &path)
{
    currentFile = path;
    programSettings.recent.add(path);
    saveSettings();
    emit fileNamed(path);
    emit recentFilesChanged();
}

} // namespace n35
