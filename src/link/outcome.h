#pragma once

#include <QString>

namespace n35
{

// How a region transfer ended, with the message its caller shows on failure (none when text is empty).
struct TransferOutcome {
    bool ok = true;
    QString text;
    QString title;
    QString detail;

    static TransferOutcome success() { return {}; }
    static TransferOutcome failure(const QString &text, const QString &title, const QString &detail = {})
    {
        return {false, text, title, detail};
    }
};

// Every transfer starts by identifying the radio; nothing else is sent when that fails.
inline TransferOutcome NegotiationError()
{
    return TransferOutcome::failure(QStringLiteral("Negotiation Error."), QStringLiteral(" NG"));
}

} // namespace n35
