#pragma once

#include "model/fixedtexts.h"
#include "model/notice.h"
#include "model/result.h"

#include <QList>
#include <QString>

namespace n35
{

// How a region transfer ended. A failure carries the message its caller shows (none when text is
// empty); either way `notices` are shown first, in order (a partition read from the radio that had to be
// replaced by the default, say).
struct TransferOutcome {
    bool ok = true;
    Notice message;
    QList<Notice> notices;

    static TransferOutcome success() { return {}; }
    static TransferOutcome failure(const QString &text, const QString &title, const QString &detail = {})
    {
        return {false, Notice{text, title, detail}, {}};
    }
    static TransferOutcome failure(const QString &text, const QString &title, const Problem &problem)
    {
        return failure(text, title, problem.describe());
    }
};

// Every transfer starts by identifying the radio; nothing else is sent when that fails.
inline TransferOutcome NegotiationError()
{
    return TransferOutcome::failure(FixedText::NegotiationError(), FixedText::NgTitle());
}

} // namespace n35
