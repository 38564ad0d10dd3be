#include "model/result.h"

namespace n35
{

QString Problem::describe() const
{
    QString text = where;
    if (!what.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + what;
    if (!why.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + why;
    if (!text.isEmpty() && !(whereIsFileName && !where.isEmpty()))
        text[0] = text[0].toUpper();
    return text;
}

QString QuotedExcerpt(const QString &text)
{
    constexpr qsizetype Shown = 80;
    if (text.size() <= Shown)
        return text;
    // Never cut a surrogate pair in half.
    qsizetype cut = Shown;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QStringLiteral("... (%1 characters)").arg(text.size());
}

} // namespace n35
