#pragma once

#include "files/imagefile.h"
#include "files/settingsfile.h"
#include "link/outcome.h"
#include "link/portresolver.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/serialradioport.h"
#include "model/cloneimage.h"
#include "model/history.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QTimer;

namespace n35
{

// What a user does with one clone image and one radio, without a window: the clone image, the line to the
// radio, the undo history, the busy state, the program's settings, and every workflow the window and the
// command line both offer (read all, backed-up write, restore, verify, open and save). The window and
// hvn35 each hold one; pages and windows take it, never the main window.
class Session : public QObject
{
    Q_OBJECT
public:
    // port: the line to the radio; nullptr for the serial port the COM number names (portResolver()).
    // settingsPath: the settings file, read now and written whenever a setting changes; empty for none.
    explicit Session(RadioPort *port = nullptr, const QString &settingsPath = {}, QObject *parent = nullptr);
    ~Session() override;

    CloneImage &image() { return cloneImage; }
    const CloneImage &image() const { return cloneImage; }
    RadioLink &link() { return radioLink; }
    PortResolver &portResolver() { return resolver; }
    ImageHistory &history() { return imageHistory; }

    // Where transfers and long file work report progress: the window's bar, a command-line bar; nothing
    // until one is set.
    Progress &progress() { return *progressSink; }
    void setProgress(Progress *progress);

    // --- settings ---------------------------------------------------------------------------------------
    const ProgramSettings &settings() const { return programSettings; }
    // The COM number the link opens (1..16), kept in the settings file.
    void setPortNumber(int number);
    // "COM3 (/dev/ttyUSB0)": the line as the COMPort menu and a backup's header name it.
    QString portName();
    void setBackupBeforeWriting(bool on);
    void setAutomaticShift(bool on);
    // Where backups go and the restore looks first: the user's data folder unless set.
    QString backupFolder() const { return backups; }
    void setBackupFolder(const QString &folder) { backups = folder; }
    // Where a file dialog for a kind of file ("N35", "CSV", "PDF") starts: the folder last used for it,
    // else the user's documents; rememberFolder keeps the folder of a file just chosen.
    QString startFolder(const QString &kind) const;
    void rememberFolder(const QString &kind, const QString &filePath);
    void clearRecentFiles();
    // Writes the settings file (with the image, as the settings file always holds one). A failure is also
    // announced by settingsNotSaved, so that whoever shows messages tells the user once.
    Status saveSettings();

    // --- the busy state and the history -----------------------------------------------------------------
    bool isBusy() const { return busy; }
    // Runs one radio command: busy while it runs, the port closed after, whatever it changes in the image
    // one undo step under `stepName`. A port failure (or any other exception) ends it as "Port Error" with
    // the reason as detail; a command started while another runs (from a window of its own, through a
    // nested event loop) is refused the same way, before anything is sent.
    TransferOutcome runRadioCommand(const std::function<TransferOutcome()> &command,
                                    const QString &stepName = {});
    // Runs work that may change the image; whatever it changes is one undo step, which the Edit menu
    // names "Undo <name>". Changes made outside (a list chosen on a page, a count typed) are steps of
    // their own, named by the region they touched, recorded once the event that made them is done.
    void runStep(const QString &name, const std::function<void()> &body);
    // The image as it is now is the start: no step, and clean.
    void startHistory();
    // Whether the image is the one last loaded, saved, read from or written to a radio (an edit still
    // waiting to be recorded counts).
    bool isClean();
    void markClean();
    bool undo();
    bool redo();

    // --- the workflows ----------------------------------------------------------------------------------
    // "Read All Data": the whole radio into the image; clean after it.
    TransferOutcome readAll();
    // "Write All Data" with its backup (WriteImage); clean once the radio holds the image. An empty port
    // in the request is portName().
    WriteReport writeAll(WriteRequest request);
    struct Verification {
        TransferOutcome read;
        std::vector<ImageDifference> differences; // where the radio differs from the image
    };
    // Reads the whole radio into a copy and compares it with the image.
    Verification verify();
    // Writes a backup back to the radio and reads it again.
    RestoreReport restore(const RadioBackup &backup);
    // A clone image file into the image (one undo step "Open"); clean and named after it.
    Result<LoadNotices> open(const QString &path);
    // A backup of the radio, decoded, into the image (one undo step "Open"). Not named as the image's
    // file: a save must ask for a clone image file's name.
    Result<LoadNotices> openBackup(const QString &path);
    // The image into a clone image file; clean and named after it.
    Status save(const QString &path);
    // The clone image file the image was last opened from or saved to; empty for none.
    QString filePath() const { return currentFile; }

signals:
    void busyChanged(bool busy);
    // A step was recorded, undone or redone, or the clean mark moved.
    void historyChanged();
    // The image was opened from or saved to `path`, which now heads the recent files.
    void fileNamed(const QString &path);
    void recentFilesChanged();
    void settingsNotSaved(const Problem &problem);

private:
    void noteEdit(const QString &region);
    void recordPendingEdit();
    void noteFile(const QString &path);
    // Undo or redo: the image put back by `move`, unless a command runs.
    bool travel(bool (ImageHistory::*move)());

    QString settingsPath;
    ProgramSettings programSettings;
    QString backups;
    QString currentFile;
    CloneImage cloneImage;
    PortResolver resolver;
    SerialRadioPort serialPort{resolver};
    RadioLink radioLink;
    ImageHistory imageHistory{cloneImage};
    NoProgress noProgress;
    Progress *progressSink = &noProgress;
    bool busy = false;
    int stepDepth = 0;      // runStep calls under way
    bool restoring = false; // an undo or redo is putting an image back
    QString pendingEdit;    // the region an edit outside a step touched, recorded when idle
    QTimer *editTimer = nullptr;
};

} // namespace n35
