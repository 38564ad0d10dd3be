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

using Workflow = std::function<TransferOutcome(Session &)>;

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

// One of the session's radio workflows with a progress bar of `phases`.
TransferOutcome RunWithProgress(RadioConnection &connection, const QStringList &phases,
                                const Workflow &workflow)
{
    // The bar's line is wiped when it goes, before anything else is printed.
    const std::unique_ptr<Progress> progress = ProgressOnStandardError(phases);
    connection.session().setProgress(progress.get());
    TransferOutcome outcome = connection.run(workflow);
    connection.session().setProgress(nullptr);
    return outcome;
}

// A whole-radio workflow with its progress bar; false once the user has been told why it failed.
bool Transfer(RadioConnection &connection, const QString &verb, const Workflow &workflow,
              const QString &context = {})
{
    return Report(RunWithProgress(connection, Phases(verb), workflow), context);
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

// Reads the radio and lists where it differs from the session's image, which came from `file`.
int VerifyAgainst(RadioConnection &connection, const QString &file, const QString &verb,
                  const QString &context = {})
{
    std::vector<ImageDifference> found;
    if (!Transfer(
            connection, verb,
            [&found](Session &session) {
                Session::Verification verification = session.verify();
                found = std::move(verification.differences);
                return verification.read;
            },
            context))
        return ExitFailed;
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
    RadioConnection connection(*target);
    if (!Transfer(connection, QStringLiteral("reading"), [](Session &session) { return session.readAll(); }))
        return ExitFailed;
    if (!SaveImage(output, connection.session()))
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
    RadioConnection connection(*target);
    if (!LoadImage(file, connection.session()))
        return ExitFailed;
    // An image the radio cannot take fails here, before the port is opened.
    if (!Report(CheckImageWritable(connection.session().image()), file + QStringLiteral(": ")))
        return ExitFailed;

    const WriteRequest request{!invocation.has(QStringLiteral("no-backup")),
                               invocation.has(QStringLiteral("full")),
                               invocation.value(QStringLiteral("backup-dir")), PortText(*target)};
    WriteReport report;
    const QStringList phases = request.backUp ? QStringList{QStringLiteral("backing up"),
                                                            QStringLiteral("writing banks and settings"),
                                                            QStringLiteral("writing channels")}
                                              : Phases(QStringLiteral("writing"));
    const TransferOutcome outcome = RunWithProgress(connection, phases, [&](Session &session) {
        report = session.writeAll(request);
        return report.outcome;
    });
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

    return VerifyAgainst(connection, file, QStringLiteral("reading back"),
                         QStringLiteral("the write is done, but reading it back failed: "));
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
    const TransferOutcome outcome = RunWithProgress(
        connection, {QStringLiteral("restoring"), QStringLiteral("reading back")}, [&](Session &session) {
            report = session.restore(*backup);
            return report.outcome;
        });
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
    RadioConnection connection(*target);
    if (!LoadImage(file, connection.session()))
        return ExitFailed;
    return VerifyAgainst(connection, file, QStringLiteral("reading"));
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
