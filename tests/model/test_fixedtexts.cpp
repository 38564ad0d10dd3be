#include "model/fixedtexts.h"

#include <QTest>
#include <tuple>

using namespace n35;
using namespace Qt::Literals::StringLiterals;

// The catalogue of fixed texts: each name gives the text users have always seen, character for character
// ("successed", "Inport", "dataError" and the leading space of " Error" included). Where a text is shown
// is pinned by the suites of the windows, the command line and the transfers.
class TestFixedTexts : public QObject
{
    Q_OBJECT

private slots:
    void catalogue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char *, QString, const char *> rows[] = {
            {"ErrorTitle", FixedText::ErrorTitle(), " Error"},
            {"FinishTitle", FixedText::FinishTitle(), " Finish"},
            {"NgTitle", FixedText::NgTitle(), " NG"},
            {"CautionTitle", FixedText::CautionTitle(), "Caution"},
            {"FileFinishTitle", FixedText::FileFinishTitle(), "Finish"},
            {"Error", FixedText::Error(), "Error"},
            {"FileErrorTitle", FixedText::FileErrorTitle(), "Error"},
            {"NegotiationError", FixedText::NegotiationError(), "Negotiation Error."},
            {"PortError", FixedText::PortError(), "Port Error"},
            {"ReadError", FixedText::ReadError(), "Read Error."},
            {"ReadOneTouchError", FixedText::ReadOneTouchError(), "Read OTM Error."},
            {"ReadTitleError", FixedText::ReadTitleError(), "Read title Error."},
            {"ReadSettingError", FixedText::ReadSettingError(), "Read setting Error."},
            {"ReadFontError", FixedText::ReadFontError(), "Read font dataError."},
            {"ReadBankLinkError", FixedText::ReadBankLinkError(), "Read bank link Error."},
            {"WriteBankError", FixedText::WriteBankError(), "Write bank Error."},
            {"WriteOneTouchError", FixedText::WriteOneTouchError(), "Write OTM Error."},
            {"WriteTitleError", FixedText::WriteTitleError(), "Write title Error."},
            {"WriteSettingError", FixedText::WriteSettingError(), "Write setting Error."},
            {"WriteFontError", FixedText::WriteFontError(), "Write font data Error."},
            {"WriteBankLinkError", FixedText::WriteBankLinkError(), "Write bank link Error."},
            {"AllReadSucceeded", FixedText::AllReadSucceeded(), "ALL read successed."},
            {"AllWriteSucceeded", FixedText::AllWriteSucceeded(), "ALL write successed."},
            {"MemoryWriteError", FixedText::MemoryWriteError(), "Memory write Error."},
            {"NodeDataWriteFailed", FixedText::NodeDataWriteFailed(12), "Node data write failed.(12)"},
            {"MemoryReadSucceeded", FixedText::MemoryReadSucceeded(), "Memory data read successed."},
            {"MemoryWriteSucceeded", FixedText::MemoryWriteSucceeded(), "Memory data write successed."},
            {"AllMemoryReadSucceeded", FixedText::AllMemoryReadSucceeded(),
             "ALL memory data read successed."},
            {"AllMemoryWriteSucceeded", FixedText::AllMemoryWriteSucceeded(),
             "All memory data write successed."},
            {"ChannelDataError", FixedText::ChannelDataError(), "Channel data error."},
            {"BankReadSucceeded", FixedText::BankReadSucceeded(), "Bank partition data read successed."},
            {"BankWriteSucceeded", FixedText::BankWriteSucceeded(), "Bank partition data write successed."},
            {"BankWriteFailed", FixedText::BankWriteFailed(), "Bank partition data write failed."},
            {"BankTotalInitialize", FixedText::BankTotalInitialize(), "Bank Total Error. Initialize."},
            {"BankTotalInitQuestion", FixedText::BankTotalInitQuestion(), "Bank Total Error. Init Data?"},
            {"OneTouchReadSucceeded", FixedText::OneTouchReadSucceeded(),
             "One touch memory data read successed."},
            {"OneTouchWriteSucceeded", FixedText::OneTouchWriteSucceeded(),
             "One touch memory data write successed."},
            {"TitleReadSucceeded", FixedText::TitleReadSucceeded(), "Title string read successed."},
            {"TitleWriteSucceeded", FixedText::TitleWriteSucceeded(), "Title string write successed."},
            {"TitleReadFailed", FixedText::TitleReadFailed(), "Title string read failed."},
            {"SettingReadSucceeded", FixedText::SettingReadSucceeded(), "Setting data read successed."},
            {"SettingWriteSucceeded", FixedText::SettingWriteSucceeded(), "Setting data write successed."},
            {"SettingWriteError", FixedText::SettingWriteError(), "Error(sys1r)"},
            {"GroupReadSucceeded", FixedText::GroupReadSucceeded(), "Group data read successed."},
            {"GroupWriteSucceeded", FixedText::GroupWriteSucceeded(), "Group data write successed."},
            {"Ok", FixedText::Ok(), "OK"},
            {"OverlapsInFrequency", FixedText::OverlapsInFrequency(), "Overlaps in Frequency"},
            {"NameNotStored", FixedText::NameNotStored(), "The name cannot be stored."},
            {"SaveFile", FixedText::SaveFile(), "Save File"},
            {"ReadFile", FixedText::ReadFile(), "Read File"},
            {"FileNotOpened", FixedText::FileNotOpened(), "This File couldn't be opened."},
            {"CsvFileError", FixedText::CsvFileError(), "CSV File Error"},
            {"CsvImported", FixedText::CsvImported(), "Inport CSV File"},
            {"FileNotSaved", FixedText::FileNotSaved(), "The file could not be saved."},
            {"FileNotLoaded", FixedText::FileNotLoaded(),
             "The file could not be loaded. Nothing was changed."},
            {"SettingsFileNotSaved", FixedText::SettingsFileNotSaved(), "Settings file could not be saved."},
            {"NotChannelList", FixedText::NotChannelList(),
             "This file is not a channel list. Nothing was changed."},
            {"ChannelListImported", FixedText::ChannelListImported(), "Import Channel List"},
            {"ChannelListNotPrinted", FixedText::ChannelListNotPrinted(),
             "The channel list could not be printed."},
            {"UnsavedChangesQuestion", FixedText::UnsavedChangesQuestion(u"closing"_s),
             "The data has changes that were not saved. Save them before closing?"},
            {"ReplaceFileQuestion", FixedText::ReplaceFileQuestion(u"radio.N35"_s),
             "radio.N35 already exists.\nDo you want to replace it?"},
            {"ConfirmSaveAsTitle", FixedText::ConfirmSaveAsTitle(), "Confirm Save As"},
            {"ImportTitle", FixedText::ImportTitle(), "Import"},
            {"NotBackedUp", FixedText::NotBackedUp(),
             "The radio could not be backed up. Nothing was written."},
            {"BackupNotRestorable", FixedText::BackupNotRestorable(),
             "The backup cannot be restored. Nothing was written."},
            {"BackupFileNotRestorable", FixedText::BackupFileNotRestorable(),
             "This backup cannot be restored. Nothing was written."},
            {"BackupNotRestored", FixedText::BackupNotRestored(), "The backup was not restored."},
            {"BackupReadBackFailed", FixedText::BackupReadBackFailed(),
             "The backup was written, but reading the radio back failed."},
            {"BackupNotShown", FixedText::BackupNotShown(),
             "This backup cannot be shown: part of it does not decode. It can still be restored."},
            {"BackupRestored", FixedText::BackupRestored(), "The backup was restored."},
            {"RestoreDiffers", FixedText::RestoreDiffers(2),
             "The radio differs from the backup in 2 place(s) after the restore."},
            {"BackupFolderNotShown", FixedText::BackupFolderNotShown(),
             "The backup folder could not be shown."},
            {"RestoreQuestion", FixedText::RestoreQuestion(u"2026-12-07 07:30:00"_s),
             "Write the backup of 2026-12-07 07:30:00 back to the radio? Everything the radio holds now is "
             "replaced."},
            {"RestoreTitle", FixedText::RestoreTitle(), "Restore Backup"},
            {"RadioMatches", FixedText::RadioMatches(), "Radio matches."},
            {"RadioDiffers", FixedText::RadioDiffers(1), "The radio differs from the window in 1 place(s)."},
            {"TransferFailed", FixedText::TransferFailed(), "The transfer failed."},
            {"CallChannelsStay", FixedText::CallChannelsStay(), "The CALL channels stay where they are."},
            {"NoRoomForEmptyRow", FixedText::NoRoomForEmptyRow(u"Bank 2 - 10"_s, u"bank"_s),
             "No room for an empty row: Bank 2 - 10, the last row of its bank, holds a channel. Nothing was "
             "moved."},
            {"NothingChanged", FixedText::NothingChanged(), "Nothing was changed."},
            {"CopiedFormulas", FixedText::CopiedFormulas(),
             "Copied. Some cells look like spreadsheet formulas."},
            {"CopyTitle", FixedText::CopyTitle(), "Copy"},
            {"RowsNotPasted", FixedText::RowsNotPasted(), "Some rows were not pasted."},
            {"PasteTitle", FixedText::PasteTitle(), "Paste"},
            {"NoDuplicates", FixedText::NoDuplicates(), "No channel is programmed twice."},
            {"FindDuplicatesTitle", FixedText::FindDuplicatesTitle(), "Find Duplicates"},
            {"WindowCaption", FixedText::WindowCaption(), "HV-N35 Clone Utility Ver."},
            {"FileMenu", FixedText::FileMenu(), "File(&F)"},
            {"OpenItem", FixedText::OpenItem(), "Open(&O)"},
            {"SaveItem", FixedText::SaveItem(), "Save(&S)"},
            {"ImportItem", FixedText::ImportItem(), "Import(&I)"},
            {"ExportItem", FixedText::ExportItem(), "Export(&E)"},
            {"ComPortMenu", FixedText::ComPortMenu(), "COMPort(&C)"},
            {"CommunicationMenu", FixedText::CommunicationMenu(), "Communication(&T)"},
            {"WriteAllItem", FixedText::WriteAllItem(), "Write All Data(&A)"},
            {"ReadAllItem", FixedText::ReadAllItem(), "Read All Data(&B)"},
            {"HelpMenu", FixedText::HelpMenu(), "Help(&H)"},
            {"VersionItem", FixedText::VersionItem(), "Version Infomation(&A)"},
            {"MemoryTab", FixedText::MemoryTab(), "Memory"},
            {"BankTab", FixedText::BankTab(), "Bank"},
            {"CommonTab", FixedText::CommonTab(), "Common Set"},
            {"SetModeTab", FixedText::SetModeTab(), "Set Mode"},
            {"MemoryFrame", FixedText::MemoryFrame(), "Memory"},
            {"BankFrame", FixedText::BankFrame(), "Bank Setting"},
            {"CommonFrame", FixedText::CommonFrame(), "Common Setting"},
            {"SetModeFrame", FixedText::SetModeFrame(), "Set Mode"},
            {"FontWindowCaption", FixedText::FontWindowCaption(), "Font"},
            {"BankLinkWindowCaption", FixedText::BankLinkWindowCaption(), "BANK-LINK Setting"},
            {"VersionWindowCaption", FixedText::VersionWindowCaption(), "Version Infomation"},
            {"VersionLabel", FixedText::VersionLabel(), "Version "},
        };
        for (const auto &[name, text, expected] : rows)
            QTest::newRow(name) << text << QString::fromUtf8(expected);
    }

    void catalogue()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(TestFixedTexts)
#include "test_fixedtexts.moc"
