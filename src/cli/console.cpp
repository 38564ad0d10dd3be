#include "cli/console.h"

#include "model/result.h"

#include <QStringList>
#include <cstdio>

namespace n35::cli
{

namespace
{

void Put(std::FILE *stream, const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void QuietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        PrintError(OneLine(message));
}

} // namespace

void PrintOut(const QString &line)
{
    Put(stdout, line);
}

void PrintError(const QString &text)
{
    Put(stderr, QStringLiteral("hvn35: error: ") + text);
}

void PrintWarning(const QString &text)
{
    Put(stderr, QStringLiteral("hvn35: warning: ") + text);
}

void PrintNote(const QString &text)
{
    Put(stderr, QStringLiteral("hvn35: note: ") + text);
}

QString OneLine(const QString &text, const QString &detail)
{
    auto flatten = [](const QString &part) {
        QStringList lines;
        for (const QString &line : part.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        }
        return lines.join(QStringLiteral("; "));
    };
    QString head = flatten(text);
    QString tail = flatten(detail);
    if (tail.isEmpty())
        return head;
    if (head.isEmpty())
        return tail;
    // Fixed texts such as "Negotiation Error." already end in a full stop.
    return (head.endsWith(QLatin1Char('.')) ? head.chopped(1) : head) + QStringLiteral(": ") + tail;
}

void PrintProblem(const QString &headline, const Problem &problem)
{
    PrintError(OneLine(headline, problem.whereIsFileName ? problem.why : problem.describe()));
}

void InstallQuietMessageHandler()
{
    qInstallMessageHandler(QuietHandler);
}

} // namespace n35::cli
