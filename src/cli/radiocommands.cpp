// The commands that talk to the radio: ports, read, write and verify.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/progressbar.h"
#include "cli/radioconnection.h"
#include "files/backup.h"
#include "link/wholeradio.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"
#include "model/imagediff.h"
#include "session/radiobackups.h"

#include <QDir>
#include <functional>
#include <memory>

namespace n35::cli
{

namespace
{

using Work = std::function<TransferOutcome(RadioLink &, Progress &)>;

QStringList Phases(const QString &verb)
{
    return {verb + QStringLiteral(" banks and settings"), verb + QStringLiteral(" channels")};
}

// Notices first, as the window shows them; then the failure, if any, as the one error line.
bool Report(const TransferOutcome &outcome, const QString &context = {})
{
    for (const Notice &notice : outcome.notices)
        PrintNote(OneLine(notice.text, notice.detail));
    if (outcome.ok)
        return true;
    const QString text = outcome.message.text.isEmpty() ? FixedText::TransferFailed() : outcome.message.text;
    PrintError(context + OneLine(text, outcome.message.detail));
    return false;
}

// One whole-radio transfer with its progress bar; false once the user has been told why it failed.
bool Transfer(RadioConnection &connection, const QString &verb, const Work &work, const QString &context = {})
{
    TransferOutcome outcome;
    {
        // The bar's line is wiped when it goes, before anything else is printed.
        const std::unique_ptr<Progress> progress = ProgressOnStandardError(Phases(verb));
        outcome = connection.run([&](RadioLink &link) { return work(link, *progress); });
    }
    return Report(outcome, context);
}

// The target of --port, or the window's port without one; a Problem is a usage error.
Result<PortTarget> TargetOf(const Invocation &invocation)
{
    if (!invocation.has(QStringLiteral("port")))
        return PortTarget{DefaultPortNumber(), {}};
    return ParsePortArgument(invocation.value(QStringLiteral("port")));
}

int UsageProblem(const Problem &problem)
{
    PrintError(QStringLiteral("%1: %2").arg(problem.what, problem.why));
    return ExitUsage;
}

int ReportDifferences(const CloneImage &expected, const CloneImage &radio, const QString &file)
{
    const std::vector<ImageDifference> found = CompareImages(expected, radio);
    if (found.empty()) {
        PrintOut(QStringLiteral("no differences"));
        return ExitDone;
    }
    for (const ImageDifference &difference : found)
        PrintOut(difference.describe());
    PrintError(QStringLiteral("the radio differs from %1 in %2 %3")
                   .arg(file)
                   .arg(found.size())
                   .arg(found.size() == 1 ? QStringLiteral("place") : QStringLiteral("places")));
    return ExitFailed;
}

// The line as a backup's header names it.
QString PortText(const PortTarget &target)
{
    return target.isPath() ? target.device : QStringLiteral("COM%1").arg(target.number);
}

Work ReadInto(CloneImage &image)
{
    return [&image](RadioLink &link, Progress &progress) { return ReadAllData(link, image, progress); };
}

} // namespace

int RunPorts(const Invocation &)
{
    const PortResolver resolver;
    const QStringList devices = resolver.describeAll();
    const int chosen = DefaultPortNumber();
    for (int number = 1; number <= PortResolver::PortCount; ++number) {
        PrintOut(
            QStringLiteral("COM%1 %2%3")
                .arg(number, -2)
                .arg(devices.value(number - 1),
                     number == chosen ? QStringLiteral("  (the window's port, the default)") : QString()));
    }
    return ExitDone;
}

int RunRead(const Invocation &invocation)
{
    const QString output = invocation.value(QStringLiteral("output"));
    if (!HasImageExtension(output)) {
        PrintError(QStringLiteral("%1: the clone image file's name must end in .N35").arg(output));
        return ExitUsage;
    }
    const Result<PortTarget> target = TargetOf(invocation);
    if (!target)
        return UsageProblem(target.problem());
    CloneImage image;
    RadioConnection connection(*target);
    if (!Transfer(connection, QStringLiteral("reading"), ReadInto(image)))
        return ExitFailed;
    if (!SaveImage(output, image, connection.fileNumber()))
        return ExitFailed;
    PrintOut(QStringLiteral("read the radio into %1").arg(output));
    return ExitDone;
}

int RunWrite(const Invocation &invocation)
{
    const QString file = invocation.arguments.at(0);
    const Result<PortTarget> target = TargetOf(invocation);
    if (!target)
        return UsageProblem(target.problem());
    CloneImage image;
    if (!LoadImage(file, image))
        return ExitFailed;
    // An image the radio cannot take fails here, before the port is opened.
    if (!Report(CheckImageWritable(image), file + QStringLiteral(": ")))
        return ExitFailed;

    const WriteRequest request{!invocation.has(QStringLiteral("no-backup")),
                               invocation.has(QStringLiteral("full")),
                               invocation.value(QStringLiteral("backup-dir")), PortText(*target)};
    RadioConnection connection(*target);
    WriteReport report;
    const QStringList phases = request.backUp ? QStringList{QStringLiteral("backing up"),
                                                            QStringLiteral("writing banks and settings"),
                                                            QStringLiteral("writing channels")}
                                              : Phases(QStringLiteral("writing"));
    TransferOutcome outcome;
    {
        const std::unique_ptr<Progress> progress = ProgressOnStandardError(phases);
        outcome = connection.run([&](RadioLink &link) {
            report = WriteImage(link, image, *progress, request);
            return report.outcome;
        });
    }
    if (!report.backupPath.isEmpty())
        PrintOut(QStringLiteral("backup: %1").arg(QDir::toNativeSeparators(report.backupPath)));
    if (!Report(outcome))
        return ExitFailed;
    PrintOut(QStringLiteral("wrote %1 to the radio (%2 %3 sent, %4 the radio already held)")
                 .arg(file)
                 .arg(report.blocksWritten)
                 .arg(report.blocksWritten == 1 ? QStringLiteral("block") : QStringLiteral("blocks"))
                 .arg(report.blocksSkipped));
    if (!invocation.has(QStringLiteral("verify")))
        return ExitDone;

    CloneImage radio;
    if (!Transfer(connection, QStringLiteral("reading back"), ReadInto(radio),
                  QStringLiteral("the write is done, but reading it back failed: ")))
        return ExitFailed;
    return ReportDifferences(image, radio, file);
}

int RunRestore(const Invocation &invocation)
{
    const QString file = invocation.arguments.at(0);
    const Result<PortTarget> target = TargetOf(invocation);
    if (!target)
        return UsageProblem(target.problem());
    const Result<RadioBackup> backup = LoadBackupFile(file);
    if (!backup) {
        PrintError(OneLine(QStringLiteral("%1 cannot be restored").arg(file), backup.problem().why));
        return ExitFailed;
    }
    RadioConnection connection(*target);
    RestoreReport report;
    TransferOutcome outcome;
    {
        const std::unique_ptr<Progress> progress =
            ProgressOnStandardError({QStringLiteral("restoring"), QStringLiteral("reading back")});
        outcome = connection.run([&](RadioLink &link) {
            report = RestoreBackup(link, *backup, *progress);
            return report.outcome;
        });
    }
    if (!Report(outcome))
        return ExitFailed;
    if (!report.differences.isEmpty()) {
        for (const QString &line : report.differences)
            PrintOut(line);
        PrintError(
            QStringLiteral("the radio differs from %1 in %2 %3 after the restore")
                .arg(file)
                .arg(report.differences.size())
                .arg(report.differences.size() == 1 ? QStringLiteral("place") : QStringLiteral("places")));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("restored %1").arg(file));
    return ExitDone;
}

int RunBackups(const Invocation &invocation)
{
    const QString folder = BackupFolder(invocation.value(QStringLiteral("backup-dir")));
    const QList<BackupEntry> entries = ListBackups(folder);
    if (entries.isEmpty()) {
        PrintNote(QStringLiteral("no backups in %1").arg(QDir::toNativeSeparators(folder)));
        return ExitDone;
    }
    for (const BackupEntry &entry : entries)
        PrintOut(QStringLiteral("%1  %2  %3 KiB  %4")
                     .arg(entry.taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          entry.port.isEmpty() ? QStringLiteral("?") : entry.port)
                     .arg((entry.size + 1023) / 1024)
                     .arg(QDir::toNativeSeparators(entry.path)));
    return ExitDone;
}

int RunVerify(const Invocation &invocation)
{
    const QString file = invocation.arguments.at(0);
    const Result<PortTarget> target = TargetOf(invocation);
    if (!target)
        return UsageProblem(target.problem());
    CloneImage image;
    if (!LoadImage(file, image))
        return ExitFailed;
    CloneImage radio;
    RadioConnection connection(*target);
    if (!Transfer(connection, QStringLiteral("reading"), ReadInto(radio)))
        return ExitFailed;
    return ReportDifferences(image, radio, file);
}

int RunInvocation(const Invocation &invocation)
{
    static const std::pair<const char *, int (*)(const Invocation &)> runners[] = {
        {"ports", RunPorts},   {"read", RunRead},       {"write", RunWrite},
        {"verify", RunVerify}, {"export", RunExport},   {"import", RunImport},
        {"show", RunShow},     {"restore", RunRestore}, {"backups", RunBackups},
    };
    for (const auto &[name, run] : runners) {
        if (invocation.command && invocation.command->name == QLatin1String(name))
            return run(invocation);
    }
    PrintError(QStringLiteral("no such command"));
    return ExitUsage;
}

} // namespace n35::cli
