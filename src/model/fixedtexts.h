#pragma once

#include <QString>

// The program's fixed texts: what every message box says and the title it carries, and the captions of
// the menus, pages and windows. Each stands here once, spelled exactly as the user has always seen it
// ("successed", "Inport", "Read font dataError." included), and everything that shows one takes it from
// here. What helps beyond a fixed text (why a port failed, which row was bad) goes into the box's detail,
// never into the text. The names say what a text means; the spelling is the text's own.
namespace n35
{

struct FixedText {
    // Titles. The main transfers fail with " NG" on protocol faults and " Error" otherwise and end with
    // " Finish"; the file commands use "Finish" and "Error" without the space.
    static QString ErrorTitle() { return QStringLiteral(" Error"); }
    static QString FinishTitle() { return QStringLiteral(" Finish"); }
    static QString NgTitle() { return QStringLiteral(" NG"); }
    static QString CautionTitle() { return QStringLiteral("Caution"); }
    static QString FileFinishTitle() { return QStringLiteral("Finish"); }

    // Texts every transfer shares. "Error" is also the title of the file commands' failures.
    static QString Error() { return QStringLiteral("Error"); }
    static QString FileErrorTitle() { return Error(); }
    static QString NegotiationError() { return QStringLiteral("Negotiation Error."); }
    static QString PortError() { return QStringLiteral("Port Error"); }

    // "Read All Data" and "Write All Data": the text of the region that failed (title " NG"), and success.
    static QString ReadError() { return QStringLiteral("Read Error."); }
    static QString ReadOneTouchError() { return QStringLiteral("Read OTM Error."); }
    static QString ReadTitleError() { return QStringLiteral("Read title Error."); }
    static QString ReadSettingError() { return QStringLiteral("Read setting Error."); }
    static QString ReadFontError() { return QStringLiteral("Read font dataError."); }
    static QString ReadBankLinkError() { return QStringLiteral("Read bank link Error."); }
    static QString WriteBankError() { return QStringLiteral("Write bank Error."); }
    static QString WriteOneTouchError() { return QStringLiteral("Write OTM Error."); }
    static QString WriteTitleError() { return QStringLiteral("Write title Error."); }
    static QString WriteSettingError() { return QStringLiteral("Write setting Error."); }
    static QString WriteFontError() { return QStringLiteral("Write font data Error."); }
    static QString WriteBankLinkError() { return QStringLiteral("Write bank link Error."); }
    static QString AllReadSucceeded() { return QStringLiteral("ALL read successed."); }
    static QString AllWriteSucceeded() { return QStringLiteral("ALL write successed."); }

    // The memory channels.
    static QString MemoryWriteError() { return QStringLiteral("Memory write Error."); }
    // The pass-channel index block (0 to 12) the radio did not take.
    static QString NodeDataWriteFailed(int block)
    {
        return QStringLiteral("Node data write failed.(%1)").arg(block);
    }
    static QString MemoryReadSucceeded() { return QStringLiteral("Memory data read successed."); }
    static QString MemoryWriteSucceeded() { return QStringLiteral("Memory data write successed."); }
    static QString AllMemoryReadSucceeded() { return QStringLiteral("ALL memory data read successed."); }
    static QString AllMemoryWriteSucceeded() { return QStringLiteral("All memory data write successed."); }
    // A record that cannot be encoded; the cell it names follows on the next line.
    static QString ChannelDataError() { return QStringLiteral("Channel data error."); }

    // The bank partition.
    static QString BankReadSucceeded() { return QStringLiteral("Bank partition data read successed."); }
    static QString BankWriteSucceeded() { return QStringLiteral("Bank partition data write successed."); }
    static QString BankWriteFailed() { return QStringLiteral("Bank partition data write failed."); }
    // A partition read from the radio or a file that does not add up to 500 (title "Caution").
    static QString BankTotalInitialize() { return QStringLiteral("Bank Total Error. Initialize."); }
    // The Yes/No question on leaving the bank page with a total other than 500 (title "Caution").
    static QString BankTotalInitQuestion() { return QStringLiteral("Bank Total Error. Init Data?"); }

    // The one-touch keys, the title, the set-mode settings and the bank links.
    static QString OneTouchReadSucceeded() { return QStringLiteral("One touch memory data read successed."); }
    static QString OneTouchWriteSucceeded()
    {
        return QStringLiteral("One touch memory data write successed.");
    }
    static QString TitleReadSucceeded() { return QStringLiteral("Title string read successed."); }
    static QString TitleWriteSucceeded() { return QStringLiteral("Title string write successed."); }
    static QString TitleReadFailed() { return QStringLiteral("Title string read failed."); }
    static QString SettingReadSucceeded() { return QStringLiteral("Setting data read successed."); }
    static QString SettingWriteSucceeded() { return QStringLiteral("Setting data write successed."); }
    static QString SettingWriteError() { return QStringLiteral("Error(sys1r)"); }
    static QString GroupReadSucceeded() { return QStringLiteral("Group data read successed."); }
    static QString GroupWriteSucceeded() { return QStringLiteral("Group data write successed."); }
    // The font editor's success, text and title alike.
    static QString Ok() { return QStringLiteral("OK"); }

    // The channel editor: a PASS channel whose frequency another PASS channel already holds.
    static QString OverlapsInFrequency() { return QStringLiteral("Overlaps in Frequency"); }
    static QString NameNotStored() { return QStringLiteral("The name cannot be stored."); }

    // Files.
    static QString SaveFile() { return QStringLiteral("Save File"); }
    static QString ReadFile() { return QStringLiteral("Read File"); }
    // A clone image file whose name does not end in ".N35", or a file that cannot be opened.
    static QString FileNotOpened() { return QStringLiteral("This File couldn't be opened."); }
    static QString CsvFileError() { return QStringLiteral("CSV File Error"); }
    static QString CsvImported() { return QStringLiteral("Inport CSV File"); }
    static QString FileNotSaved() { return QStringLiteral("The file could not be saved."); }
    static QString FileNotLoaded()
    {
        return QStringLiteral("The file could not be loaded. Nothing was changed.");
    }
    static QString SettingsFileNotSaved() { return QStringLiteral("Settings file could not be saved."); }
    static QString NotChannelList()
    {
        return QStringLiteral("This file is not a channel list. Nothing was changed.");
    }
    static QString ChannelListImported() { return QStringLiteral("Import Channel List"); }
    static QString ChannelListNotPrinted()
    {
        return QStringLiteral("The channel list could not be printed.");
    }
    // `before` ends the question: "closing", "opening another file" (title "Caution", Save/Discard/Cancel).
    static QString UnsavedChangesQuestion(const QString &before)
    {
        return QStringLiteral("The data has changes that were not saved. Save them before %1?").arg(before);
    }
    static QString ReplaceFileQuestion(const QString &fileName)
    {
        return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileName);
    }
    static QString ConfirmSaveAsTitle() { return QStringLiteral("Confirm Save As"); }
    // The title of the box that lists the rows an import refused.
    static QString ImportTitle() { return QStringLiteral("Import"); }

    // Backups and verifying.
    static QString NotBackedUp()
    {
        return QStringLiteral("The radio could not be backed up. Nothing was written.");
    }
    // A backup that lacks part of what a restore writes (found before anything is sent).
    static QString BackupNotRestorable()
    {
        return QStringLiteral("The backup cannot be restored. Nothing was written.");
    }
    // A backup file that cannot be read (the window's own check before it asks).
    static QString BackupFileNotRestorable()
    {
        return QStringLiteral("This backup cannot be restored. Nothing was written.");
    }
    static QString BackupNotRestored() { return QStringLiteral("The backup was not restored."); }
    static QString BackupReadBackFailed()
    {
        return QStringLiteral("The backup was written, but reading the radio back failed.");
    }
    static QString BackupNotShown()
    {
        return QStringLiteral(
            "This backup cannot be shown: part of it does not decode. It can still be restored.");
    }
    static QString BackupRestored() { return QStringLiteral("The backup was restored."); }
    static QString RestoreDiffers(qsizetype places)
    {
        return QStringLiteral("The radio differs from the backup in %1 place(s) after the restore.")
            .arg(places);
    }
    static QString BackupFolderNotShown() { return QStringLiteral("The backup folder could not be shown."); }
    // `taken` is the backup's date and time.
    static QString RestoreQuestion(const QString &taken)
    {
        return QStringLiteral(
                   "Write the backup of %1 back to the radio? Everything the radio holds now is replaced.")
            .arg(taken);
    }
    static QString RestoreTitle() { return QStringLiteral("Restore Backup"); }
    static QString RadioMatches() { return QStringLiteral("Radio matches."); }
    static QString RadioDiffers(qsizetype places)
    {
        return QStringLiteral("The radio differs from the window in %1 place(s).").arg(places);
    }
    // The command line's line for a transfer that failed without a text of its own.
    static QString TransferFailed() { return QStringLiteral("The transfer failed."); }

    // Editing the rows.
    static QString CallChannelsStay() { return QStringLiteral("The CALL channels stay where they are."); }
    // `last` labels the last row of the bank or group (`unit`) the new row would push a channel out of.
    static QString NoRoomForEmptyRow(const QString &last, const QString &unit)
    {
        return QStringLiteral("No room for an empty row: %1, the last row of its %2, holds a channel. "
                              "Nothing was moved.")
            .arg(last, unit);
    }
    static QString NothingChanged() { return QStringLiteral("Nothing was changed."); }
    static QString CopiedFormulas()
    {
        return QStringLiteral("Copied. Some cells look like spreadsheet formulas.");
    }
    static QString CopyTitle() { return QStringLiteral("Copy"); }
    static QString RowsNotPasted() { return QStringLiteral("Some rows were not pasted."); }
    static QString PasteTitle() { return QStringLiteral("Paste"); }
    static QString NoDuplicates() { return QStringLiteral("No channel is programmed twice."); }
    static QString FindDuplicatesTitle() { return QStringLiteral("Find Duplicates"); }

    // Captions of the main window: its title (the version follows), the menus with their access keys, the
    // tabs and the frames of the four pages.
    static QString WindowCaption() { return QStringLiteral("HV-N35 Clone Utility Ver."); }
    static QString FileMenu() { return QStringLiteral("File(&F)"); }
    static QString OpenItem() { return QStringLiteral("Open(&O)"); }
    static QString SaveItem() { return QStringLiteral("Save(&S)"); }
    static QString ImportItem() { return QStringLiteral("Import(&I)"); }
    static QString ExportItem() { return QStringLiteral("Export(&E)"); }
    static QString ComPortMenu() { return QStringLiteral("COMPort(&C)"); }
    static QString CommunicationMenu() { return QStringLiteral("Communication(&T)"); }
    static QString WriteAllItem() { return QStringLiteral("Write All Data(&A)"); }
    static QString ReadAllItem() { return QStringLiteral("Read All Data(&B)"); }
    static QString HelpMenu() { return QStringLiteral("Help(&H)"); }
    static QString VersionItem() { return QStringLiteral("Version Infomation(&A)"); }
    static QString MemoryTab() { return QStringLiteral("Memory"); }
    static QString BankTab() { return QStringLiteral("Bank"); }
    static QString CommonTab() { return QStringLiteral("Common Set"); }
    static QString SetModeTab() { return QStringLiteral("Set Mode"); }
    static QString MemoryFrame() { return MemoryTab(); }
    static QString BankFrame() { return QStringLiteral("Bank Setting"); }
    static QString CommonFrame() { return QStringLiteral("Common Setting"); }
    static QString SetModeFrame() { return SetModeTab(); }

    // Captions of the other windows.
    static QString FontWindowCaption() { return QStringLiteral("Font"); }
    static QString BankLinkWindowCaption() { return QStringLiteral("BANK-LINK Setting"); }
    static QString VersionWindowCaption() { return QStringLiteral("Version Infomation"); }
    // The splash and the version dialog: the version follows.
    static QString VersionLabel() { return QStringLiteral("Version "); }
};

} // namespace n35
