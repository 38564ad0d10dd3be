// The commands that talk to the radio: ports, read, write and verify.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/progressbar.h"
#include "cli/radioconnection.h"
#include "files/backup.h"
#include "link/wholeradio.h"
#include "model/cloneimage.h"
#include "model/imagediff.h"

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
    const QString text =
        outcome.message.text.isEmpty() ? QStringLiteral("The transfer failed.") : outcome.message.text;
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
    // An image the radio cannot take fails here, before a backup is read for nothing.
    if (!Report(CheckImageWritable(image), file + QStringLiteral(": ")))
        return ExitFailed;

    RadioConnection connection(*target);
    if (!invocation.has(QStringLiteral("no-backup"))) {
        CloneImage before;
        const QString nothing = QStringLiteral("nothing was written, the backup failed: ");
        if (!Transfer(connection, QStringLiteral("backing up"), ReadInto(before), nothing))
            return ExitFailed;
        const QString folder = invocation.has(QStringLiteral("backup-dir"))
                                   ? invocation.value(QStringLiteral("backup-dir"))
                                   : BackupFolder();
        if (!QDir().mkpath(folder)) {
            PrintError(nothing + QStringLiteral("the folder %1 could not be made").arg(folder));
            return ExitFailed;
        }
        const QString backup = UniqueBackupPath(folder);
        if (!SaveImage(backup, before, connection.fileNumber()))
            return ExitFailed;
        PrintOut(QStringLiteral("backup: %1").arg(backup));
    }

    const Work write = [&image](RadioLink &link, Progress &progress) {
        return WriteAllData(link, image, progress);
    };
    if (!Transfer(connection, QStringLiteral("writing"), write))
        return ExitFailed;
    PrintOut(QStringLiteral("wrote %1 to the radio").arg(file));
    if (!invocation.has(QStringLiteral("verify")))
        return ExitDone;

    CloneImage radio;
    if (!Transfer(connection, QStringLiteral("reading back"), ReadInto(radio),
                  QStringLiteral("the write is done, but reading it back failed: ")))
        return ExitFailed;
    return ReportDifferences(image, radio, file);
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
        {"ports", RunPorts},   {"read", RunRead},     {"write", RunWrite}, {"verify", RunVerify},
        {"export", RunExport}, {"import", RunImport}, {"show", RunShow},
    };
    for (const auto &[name, run] : runners) {
        if (invocation.command && invocation.command->name == QLatin1String(name))
            return run(invocation);
    }
    PrintError(QStringLiteral("no such command"));
    return ExitUsage;
}

} // namespace n35::cli
