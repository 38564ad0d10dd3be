#include "cli/radioconnection.h"

#include "files/settingsfile.h"
#include "model/fixedtexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace n35::cli
{

Result<PortTarget> ParsePortArgument(const QString &text)
{
    if (text.trimmed().isEmpty())
        return Problem{QStringLiteral("--port"), {}, QStringLiteral("no port given")};
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    // "5" is COM5, as the window's menu numbers the ports; a device path is never a bare number.
    static const QRegularExpression bareNumber(QStringLiteral("^\\d+$"));
    const QRegularExpressionMatch bare = bareNumber.match(text);
    if (const QRegularExpressionMatch match = bare.hasMatch() ? bare : com.match(text); match.hasMatch()) {
        const int number = match.captured(bare.hasMatch() ? 0 : 1).toInt();
        if (number < 1 || number > PortResolver::PortCount)
            return Problem{
                QStringLiteral("--port"),
                {},
                QStringLiteral("%1 is not one of COM1..COM%2").arg(text).arg(PortResolver::PortCount)};
        return PortTarget{number, {}};
    }
    return PortTarget{0, QFileInfo(text).absoluteFilePath()};
}

int DefaultPortNumber()
{
    return ProgramSettings::read(SettingsFilePath()).port;
}

RadioConnection::RadioConnection(const PortTarget &portTarget) : target(portTarget)
{
    PortResolver &resolver = work.portResolver();
    if (target.isPath()) {
        links = std::make_unique<QTemporaryDir>();
        // A link that cannot be made leaves COM1 unbound; opening it then says "not connected".
        QFile::link(target.device, QDir(links->path()).filePath(QStringLiteral("com1")));
        resolver.setLinkDirectory(links->path());
        resolver.setSystemDevices({});
    }
    work.link().setPortNumber(fileNumber());
}

QString RadioConnection::explain(const QString &detail) const
{
    if (!target.isPath())
        return detail;
    // The user named a device, not a COM number: the detail names it the same way.
    QString text = detail;
    text.replace(QStringLiteral("COM1 (%1)").arg(target.device), target.device);
    return text;
}

TransferOutcome RadioConnection::run(const std::function<TransferOutcome(Session &)> &workflow)
{
    TransferOutcome outcome = workflow(work);
    // A radio that did not answer is named like a port that would not open.
    outcome.message.detail = explain(outcome.message.detail);
    return outcome;
}

} // namespace n35::cli
